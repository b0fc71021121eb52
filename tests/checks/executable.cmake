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

# Windows calls the version library's guard only if the image lets it (no
# NO_SEH flag, the handler in any SafeSEH table); Wine never checks. The
# second test gives copies of the image those faults, so a check that stopped
# looking would show.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# check_<name>_<mode>, `script` run on the image and `input`, and
# check_<name>_fixtures, the same script proving on faulty copies that it can fail.
function(quarnel_image_checks name mode script input)
  foreach(test ${mode} fixtures)
    set(flag "")
    if(test STREQUAL "fixtures")
      set(flag --fixtures)
    endif()
    add_test(NAME check_${name}_${test}
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/checks/${script} ${flag}
                $<TARGET_FILE:Quarnel> ${input})
    set_tests_properties(check_${name}_${test} PROPERTIES LABELS "check;launcher"
        PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL")
  endforeach()
endfunction()
quarnel_image_checks(safeseh guard check-safeseh.py ${QUARNEL_LINK_MAP})

# The loaders of Windows 5.1 and 6.0 must accept the image, so that it can
# refuse them with its own message; Wine's loader checks nothing of this.
quarnel_image_checks(imports imports check-imports.py
                     ${CMAKE_CURRENT_SOURCE_DIR}/checks/import-minimums.tsv)
