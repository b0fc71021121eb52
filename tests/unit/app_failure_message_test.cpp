// A failure's message: the line, then the system's own text of the error
// with its inserts filled, then the number.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/failure_message.h"
#include "i18n/catalogue.h"
#include "resource.h"
#include "system_text.h"
#include "text_values.h"

namespace {

// The system's text as it stands, inserts and all.
std::wstring RawSystemText(DWORD error) {
  WCHAR text[kSystemTextChars] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, kSystemTextChars, nullptr);
  return text;
}

TEST(FailureMessage, TheLineThenTheSystemTextAndTheNumber) {
  const std::wstring line = ToWide(LoadLocalizedString(IDS_MSG_SETUP_NOT_STARTED, LANGUAGE_GERMAN));
  ASSERT_FALSE(line.empty());
  const std::wstring fileNotFound = SystemTextOf(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(fileNotFound.empty());
  const struct {
    DWORD error;
    std::wstring expected;
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, line + L"\n" + fileNotFound + L" (2)"},
      // No error known: the line alone, not "The operation completed successfully".
      {0, line},
      // An error the system has no text for: the number alone.
      {0x2AAAAAAA, line + L"\n(715827882)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, ToWide(FailureMessageText(IDS_MSG_SETUP_NOT_STARTED, LANGUAGE_GERMAN,
                                                    c.error, L"Quarnel_Setup1.exe")))
        << c.error;
  }
}

// "%1 is not a valid Win32 application": the program's name stands there,
// never "%1", and an insert the text names beyond it is left empty.
TEST(FailureMessage, InsertsNameTheProgramNeverAPlaceholder) {
  int withInserts = 0;
  for (DWORD error : {193u, 34u, 1157u, 2u, 1260u}) {
    const std::wstring raw = RawSystemText(error);
    if (raw.empty()) continue;  // a system without that text
    const std::wstring text = SystemTextOf(error, L"Quarnel_Setup7.exe");
    EXPECT_EQ(std::wstring::npos, text.find(L'%')) << error << ": " << text;
    if (raw.find(L"%1") == std::wstring::npos) continue;
    ++withInserts;
    EXPECT_NE(std::wstring::npos, text.find(L"Quarnel_Setup7.exe")) << error << ": " << text;
  }
  EXPECT_GT(withInserts, 0) << "no system text here names %1";
  const std::wstring anonymous = SystemTextOf(193, nullptr);
  EXPECT_EQ(std::wstring::npos, anonymous.find(L'%')) << anonymous;
}

TEST(FailureMessage, SystemTextsLoseTheirLineEnds) {
  for (DWORD error : {2u, 5u, 193u, 206u, 1260u}) {
    const std::wstring text = SystemTextOf(error);
    if (text.empty()) continue;  // a system without that text
    EXPECT_EQ(std::wstring::npos, std::wstring(L"\r\n \t").find(text.back())) << error;
  }
}

}  // namespace
