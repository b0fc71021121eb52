# res/strings.rc is generated and committed; it must match its generator's
# table, or an edit of one side never reached the other.
add_test(NAME check_strings_rc_generated
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/gen_strings.py --check)
set_tests_properties(check_strings_rc_generated PROPERTIES LABELS "check;launcher")
