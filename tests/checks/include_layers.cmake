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
# The run table of docs/ARCHITECTURE.md names the file that defines each of
# its functions; the second test shows the check refusing a page that drifted.
add_test(NAME check_architecture_map
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-architecture-map.py
            ${CMAKE_SOURCE_DIR})
add_test(NAME check_architecture_map_rejects_drift
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-architecture-map.py
            ${CMAKE_CURRENT_SOURCE_DIR}/checks/architecture_map_fixture)
set_tests_properties(check_architecture_map PROPERTIES LABELS "layers;launcher"
    PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")
set_tests_properties(check_architecture_map_rejects_drift PROPERTIES LABELS "layers;launcher"
    PASS_REGULAR_EXPRESSION "FAIL: row 'End' names EndRun in app/run.cpp, which does not define it")
