# Checks of the set-up scripts test.sh, demo.sh and bench.sh stand on.
add_test(NAME check_setup_failure_line
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-setup-failures.sh
            ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/setup-failure-check)
set_tests_properties(check_setup_failure_line PROPERTIES LABELS check TIMEOUT 300
    PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")
