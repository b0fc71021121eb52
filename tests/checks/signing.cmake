# Authenticode signing with a throw-away certificate: check_signing signs and
# verifies a copy of the launcher, which e2e_signed_launcher_test then runs.
set(QUARNEL_SIGNED_COPY_DIR ${CMAKE_BINARY_DIR}/test-scratch/signed-launcher)
add_test(NAME check_signing
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-signing.sh
            ${CMAKE_SOURCE_DIR} ${CMAKE_COMMAND} $<TARGET_FILE:Quarnel> ${QUARNEL_SIGNED_COPY_DIR})
set_tests_properties(check_signing PROPERTIES LABELS check FIXTURES_SETUP signed_launcher
    PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")
if(TEST e2e_signed_launcher_test)
  set_tests_properties(e2e_signed_launcher_test PROPERTIES FIXTURES_REQUIRED signed_launcher)
endif()
