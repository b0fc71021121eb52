# The WoW64 lane. The end-to-end and integration programs, the tooling's
# that start the launcher among them (QUARNEL_TOOLING_LAYERS), run once more
# in the build tree's 64-bit Wine prefix (QUARNEL_WINE_LANE=wow64, see
# tools/setup/wine-env.sh), where the 32-bit launcher and test programs run
# as 32-bit programs run on 64-bit Windows and start the product's 64-bit
# stand-ins; beside them, the programs in wow64/ check what only such a
# Windows shows. Everything here has the label wow64: `ctest -L wow64` runs
# this lane alone, `ctest -LE wow64` the 32-bit lane alone.
#
# Each lane's tests hold their prefix's lock, so `ctest -j 2` runs the two
# lanes side by side and each lane's tests one at a time, as one prefix
# needs (they share its registry, named objects and display).

quarnel_wine_path(lane_scratch ${CMAKE_BINARY_DIR}/test-scratch/wow64)
quarnel_wine_path(lane_artifacts ${CMAKE_BINARY_DIR}/test-artifacts/wow64)
quarnel_wine_path(lane_standins ${CMAKE_BINARY_DIR}/bin/standins64)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/test-scratch/wow64 ${CMAKE_BINARY_DIR}/test-artifacts/wow64)
set(QUARNEL_WOW64_ENVIRONMENT
    QUARNEL_WINE_LANE=wow64
    "QUARNEL_TEST_SCRATCH_DIR=${lane_scratch}"
    "QUARNEL_TEST_ARTIFACT_DIR=${lane_artifacts}"
    "QUARNEL_TEST_PRODUCT_STANDIN_DIR=${lane_standins}")

file(GLOB wow64_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/wow64/*_test.cpp)
foreach(test_source ${wow64_tests})
  quarnel_add_test_program(wow64 ${test_source})
endforeach()

# Registers wow64_<test>, the 32-bit lane's test `test` run again as
# `command...`, with its labels, time-out, environment, fixtures and skip code.
function(quarnel_wow64_copy test)
  add_test(NAME wow64_${test} COMMAND ${ARGN})
  set_tests_properties(wow64_${test} PROPERTIES LABELS wow64)
  foreach(property LABELS TIMEOUT ENVIRONMENT FIXTURES_REQUIRED SKIP_RETURN_CODE)
    get_test_property(${test} ${property} value)
    if(value)
      set_property(TEST wow64_${test} APPEND PROPERTY ${property} ${value})
    endif()
  endforeach()
endfunction()

# Collected as they were added, not globbed by folder: tooling/ holds some.
get_property(both_lanes_programs GLOBAL PROPERTY QUARNEL_BOTH_LANES_PROGRAMS)
foreach(program ${both_lanes_programs})
  quarnel_wow64_copy(${program} ${program} --gtest_brief=1)
  add_dependencies(${program} standins64)
endforeach()
# The unsupported-Windows message in each user locale (e2e/msgdlg_user_locales.cmake).
foreach(entry ${QUARNEL_MSGDLG_LOCALES})
  string(REGEX REPLACE "\\..*" "" short "${entry}")
  quarnel_wow64_copy(e2e_msgdlg_locale_${short} e2e_msgdlg_launcher_test --gtest_brief=1
                     --gtest_filter=*UserLocaleLanguage*)
endforeach()
# The failure messages in the two further locales (same file).
foreach(short de_DE ja_JP)
  quarnel_wow64_copy(e2e_launcher_failures_locale_${short} e2e_launcher_failures_test
                     --gtest_brief=1 --gtest_filter=*TemporaryFolder*:*NoProgram*:*MainApplicationThatIsGone*)
endforeach()
# The dialog as accessibility clients read it, in both locales
# (gui/msgdlg_reading_locales.cmake).
quarnel_wow64_copy(gui_msgdlg_reading_test gui_msgdlg_reading_test --gtest_brief=1)
quarnel_wow64_copy(gui_msgdlg_reading_locale_ja_JP gui_msgdlg_reading_test --gtest_brief=1
                   --gtest_filter=*PlatformMessageBox*)

# The dialog at each display scale: the 64-bit prefix's Wine scales too.
quarnel_wow64_copy(gui_msgdlg_dpi_test gui_msgdlg_dpi_test --gtest_brief=1)

get_property(all_tests DIRECTORY PROPERTY TESTS)
foreach(test ${all_tests})
  if(test MATCHES "^wow64_")
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT ${QUARNEL_WOW64_ENVIRONMENT})
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK quarnel-wine-wow64)
  else()
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK quarnel-wine-win32)
  endif()
endforeach()
foreach(test_source ${wow64_tests})
  get_filename_component(stem ${test_source} NAME_WE)
  add_dependencies(wow64_${stem} standins64)
  set_property(TEST wow64_${stem} APPEND PROPERTY LABELS e2e)
endforeach()
