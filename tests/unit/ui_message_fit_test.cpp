// A failure's message kept inside the dialog's message area however long
// the system's text of the error is.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/failure_message.h"
#include "i18n/catalogue.h"
#include "resource.h"
#include "system_text.h"
#include "text_values.h"
#include "tools/harness/expected_values.h"
#include "ui/message_fit.h"
#include "ui/msg_dlg.h"

namespace {

// The dialog's text font with the service's language unset.
class TextFontDC {
 public:
  TextFontDC(const wchar_t* face = expected::kTextFaces[0]) {
    LOGFONTW description = {};
    description.lfHeight = expected::kTextFontHeight;
    description.lfWeight = FW_BOLD;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(description.lfFaceName, face, LF_FACESIZE);
    m_font = CreateFontIndirectW(&description);
    m_dc = CreateCompatibleDC(nullptr);
    m_previous = SelectObject(m_dc, m_font);
  }
  ~TextFontDC() {
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
    DeleteObject(m_font);
  }
  HDC dc() const { return m_dc; }
  HFONT font() const { return m_font; }
  int Height(const std::wstring& text) const { return Size(text).cy; }
  SIZE Size(const std::wstring& text) const {
    return WrappedTextSize(m_dc, text.c_str(), static_cast<int>(text.size()), kMessageAreaWidth);
  }

 private:
  HFONT m_font;
  HDC m_dc;
  HGDIOBJ m_previous;
};

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(MessageFit, TextsTooTallForTheAreaLoseWordsBeforeTheirLastOne) {
  const TextFontDC measure;
  std::wstring words;
  while (measure.Height(words) <= 3 * kMessageAreaHeight) words += L"blocked by policy ";
  std::wstring ideographs;
  while (measure.Height(ideographs) <= 3 * kMessageAreaHeight) ideographs += L"\x6587\x4EF6";
  const struct {
    const char* name;
    std::wstring text;
    std::wstring end;  // what the fitted text ends with
    bool shortened;
  } cases[] = {
      {"fits", L"\"Quarnel\" could not start its installer.\nAccess denied. (5)", L"(5)", false},
      {"words", L"First line.\n" + words + L"(1260)", L"\x2026 (1260)", true},
      {"no blanks but the number", L"First line.\n" + ideographs + L" (193)", L"\x2026 (193)",
       true},
      {"one endless word", std::wstring(2000, L'W'), L"\x2026", true},
  };
  for (const auto& c : cases) {
    const std::wstring fitted =
        ToWide(FitMessage(measure.dc(), c.text.c_str(), kMessageAreaWidth, kMessageAreaHeight));
    EXPECT_LE(measure.Height(fitted), kMessageAreaHeight) << c.name;
    EXPECT_LE(measure.Size(fitted).cx, kMessageAreaWidth) << c.name;
    EXPECT_TRUE(EndsWith(fitted, c.end)) << c.name;
    EXPECT_EQ(c.shortened, fitted != c.text) << c.name;
    if (c.shortened) {
      EXPECT_EQ(0u, fitted.find(c.text.substr(0, 5))) << c.name;
    }
  }
}

// The longest text this system has for any error, behind each language's
// longest failure line, in the face of each language's text: inside the
// area, number kept.
TEST(MessageFit, TheLongestSystemTextStaysInsideTheArea) {
  DWORD longest = 0;
  size_t longestLength = 0;
  for (DWORD error = 1; error < 16000; ++error) {
    const size_t length = SystemTextOf(error).size();
    if (length > longestLength) {
      longest = error;
      longestLength = length;
    }
  }
  ASSERT_GT(longestLength, 0u);
  const std::wstring number = L" (" + std::to_wstring(longest) + L")";
  const wchar_t* faces[] = {expected::kTextFaces[LANGUAGE_ENGLISH],
                            expected::kTextFaces[LANGUAGE_CHINESE_SIMPLIFIED],
                            expected::kTextFaces[LANGUAGE_JAPANESE]};
  for (const wchar_t* face : faces) {
    const TextFontDC measure(face);
    for (int language = 0; language < kLanguageCount; ++language) {
      const CString text = FailureMessageText(IDS_MSG_APP_NOT_STARTED, LanguageIndex(language),
                                              longest, L"Zelvane.exe");
      const std::wstring fitted = ToWide(FitToMessageArea(measure.font(), text));
      EXPECT_LE(measure.Height(fitted), kMessageAreaHeight) << "language " << language;
      EXPECT_LE(measure.Size(fitted).cx, kMessageAreaWidth) << "language " << language;
      EXPECT_TRUE(EndsWith(fitted, number)) << "language " << language;
      const std::wstring line = ToWide(LoadLocalizedString(IDS_MSG_APP_NOT_STARTED, language));
      EXPECT_EQ(0u, fitted.find(line + L"\n")) << "language " << language;
    }
  }
}

}  // namespace
