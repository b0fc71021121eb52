# The dialog's reading beside the platform's own message box, whose button
# texts follow the user locale that Wine fixes when a program starts: the
# whole program runs in an English locale, and the comparison once more in a
# Japanese one, each told which locale identifier Wine must report.
set_property(TEST gui_msgdlg_reading_test APPEND PROPERTY ENVIRONMENT
             "LC_ALL=en_US.UTF-8;QUARNEL_TEST_USER_LCID=0x0409")
add_test(NAME gui_msgdlg_reading_locale_ja_JP COMMAND gui_msgdlg_reading_test --gtest_brief=1
         --gtest_filter=*PlatformMessageBox*)
set_tests_properties(gui_msgdlg_reading_locale_ja_JP PROPERTIES LABELS "gui;launcher" TIMEOUT 300
    ENVIRONMENT "LC_ALL=ja_JP.UTF-8;QUARNEL_TEST_USER_LCID=0x0411")
