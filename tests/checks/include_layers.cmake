# Includes point one way: base/ and framework/ at the bottom, channel/ i18n/
# ui/ on them, app/ on top. The second test runs the check on a tree with one wrong
# include, so a check that stopped looking would show.
add_test(NAME check_include_layers
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-include-layers.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(check_include_layers PROPERTIES LABELS "layers;launcher"
    PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")
add_test(NAME check_include_layers_rejects_upward
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-include-layers.sh
            ${CMAKE_CURRENT_SOURCE_DIR}/checks/upward_include_fixture)
set_tests_properties(check_include_layers_rejects_upward PROPERTIES LABELS "layers;launcher"
    PASS_REGULAR_EXPRESSION "FAIL: ui/wrong_way.h includes \"app/quarnel_app.h\"")
