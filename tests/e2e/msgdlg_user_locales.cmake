# The unsupported-Windows message in the user's locale. Wine gives a program
# the locale of the Unix environment it starts in, and a launcher started by
# a test inherits the test program's, so the end-to-end test of that message
# runs once per locale with LC_ALL set, and is told which locale identifier
# Wine must report (the test fails rather than fall back to English).
set(QUARNEL_MSGDLG_LOCALES
    "fr_CA.UTF-8=0x0C0C" "zh_CN.UTF-8=0x0804" "ru_RU.UTF-8=0x0419" "ja_JP.UTF-8=0x0411"
    "en_US.UTF-8=0x0409" "fr_FR.UTF-8=0x040C" "de_DE.UTF-8=0x0407" "it_IT.UTF-8=0x0410"
    "es_ES.UTF-8=0x0C0A" "pt_PT.UTF-8=0x0816")
foreach(entry ${QUARNEL_MSGDLG_LOCALES})
  string(REPLACE "=" ";" parts "${entry}")
  list(GET parts 0 locale)
  list(GET parts 1 lcid)
  string(REGEX REPLACE "\\..*" "" short "${locale}")
  set(name e2e_msgdlg_locale_${short})
  add_test(NAME ${name} COMMAND e2e_msgdlg_launcher_test --gtest_brief=1
           --gtest_filter=*UserLocaleLanguage*)
  set_tests_properties(${name} PROPERTIES LABELS "e2e;launcher" TIMEOUT 300
      SKIP_RETURN_CODE ${QUARNEL_GTEST_SKIP_CODE}
      ENVIRONMENT "LC_ALL=${locale};QUARNEL_TEST_USER_LCID=${lcid}")
endforeach()

# The failure messages once more in two further locales, for the same reason:
# the catalogue line and the system's own text both follow the user locale.
foreach(entry "de_DE.UTF-8=0x0407" "ja_JP.UTF-8=0x0411")
  string(REPLACE "=" ";" parts "${entry}")
  list(GET parts 0 locale)
  list(GET parts 1 lcid)
  string(REGEX REPLACE "\\..*" "" short "${locale}")
  add_test(NAME e2e_launcher_failures_locale_${short}
           COMMAND e2e_launcher_failures_test --gtest_brief=1
           --gtest_filter=*TemporaryFolder*:*NoProgram*:*MainApplicationThatIsGone*)
  set_tests_properties(e2e_launcher_failures_locale_${short} PROPERTIES LABELS "e2e;launcher"
      TIMEOUT 300 SKIP_RETURN_CODE ${QUARNEL_GTEST_SKIP_CODE}
      ENVIRONMENT "LC_ALL=${locale};QUARNEL_TEST_USER_LCID=${lcid}")
endforeach()
