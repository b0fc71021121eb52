# A release engineer who forgets QUARNEL_SETUP_PAYLOAD must get a failed
# configure naming the option, not a launcher that embeds the stand-in.
add_test(NAME check_payload_must_be_named
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-payload-option.sh
            ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/payload-option-check)
set_tests_properties(check_payload_must_be_named PROPERTIES LABELS "check;launcher" TIMEOUT 300
    PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")

# A release carries the installer its tree names, whatever the file's time
# stamp, and the version it is configured with.
add_test(NAME check_payload_follows_the_named_file
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-payload-rebuild.sh
            ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/payload-rebuild-check)
set_tests_properties(check_payload_follows_the_named_file PROPERTIES LABELS "check;launcher"
    TIMEOUT 900 PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")
