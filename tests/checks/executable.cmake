# Checks of the built Quarnel.exe that need no Wine.
add_test(NAME check_executable_imports
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-executable.sh
            ${CMAKE_OBJDUMP} $<TARGET_FILE:Quarnel>)
set_tests_properties(check_executable_imports PROPERTIES LABELS "check;launcher"
    PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")

add_test(NAME check_reproducible_build
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-reproducible.sh
            ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/reproducible-check $<TARGET_FILE:Quarnel>)
set_tests_properties(check_reproducible_build PROPERTIES LABELS "check;launcher" TIMEOUT 900
    PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")
