# The checks engineers run on themselves: the launcher's sources formatted as
# .clang-format says and clean under .clang-tidy, every shell script clean
# under shellcheck, the committed artwork what its generator makes.
add_test(NAME check_format
    COMMAND ${CMAKE_SOURCE_DIR}/tools/format-sources.sh --check ${CMAKE_SOURCE_DIR})
add_test(NAME check_shell_scripts
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-shell-scripts.sh ${CMAKE_SOURCE_DIR})
include(${CMAKE_SOURCE_DIR}/cmake/MingwGccPaths.cmake)
add_test(NAME check_tidy
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/checks/check-tidy.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}
            ${QUARNEL_GCC_CXX_INCLUDES})
set_tests_properties(check_format check_shell_scripts check_tidy PROPERTIES
    LABELS tooling PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")
add_test(NAME check_artwork_generated
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/gen_artwork.py --check ${CMAKE_SOURCE_DIR})
# The two that take minutes run in ./check-sources.sh (label source), which
# ./test.sh leaves out; a cold clang-tidy takes over ten minutes on two cores.
set_tests_properties(check_tidy check_artwork_generated PROPERTIES LABELS "tooling;source")
set_tests_properties(check_tidy PROPERTIES TIMEOUT 3600)
