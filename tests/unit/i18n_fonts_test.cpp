// The dialog fonts as GDI holds them, read back from the created fonts.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>
#include <vector>

#include "app/quarnel_app.h"
#include "i18n/catalogue.h"
#include "i18n/language_fonts.h"
#include "resource.h"
#include "support/font_description.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/pixel_canvas.h"

namespace {

LOGFONTW ExpectedFont(const wchar_t* face, LONG height) {
  LOGFONTW expected;
  std::memset(&expected, 0, sizeof(expected));
  expected.lfHeight = height;
  expected.lfWeight = 700;
  expected.lfCharSet = 1;
  wcscpy(expected.lfFaceName, face);
  return expected;
}

// Compares field by field first, for a readable failure, then byte for byte,
// so that even the unused tail of the face name must be zero.
void ExpectSameFont(const LOGFONTW& expected, const LOGFONTW& actual, const char* what) {
  EXPECT_EQ(expected.lfHeight, actual.lfHeight) << what;
  EXPECT_EQ(expected.lfWidth, actual.lfWidth) << what;
  EXPECT_EQ(expected.lfEscapement, actual.lfEscapement) << what;
  EXPECT_EQ(expected.lfOrientation, actual.lfOrientation) << what;
  EXPECT_EQ(expected.lfWeight, actual.lfWeight) << what;
  EXPECT_EQ(expected.lfItalic, actual.lfItalic) << what;
  EXPECT_EQ(expected.lfUnderline, actual.lfUnderline) << what;
  EXPECT_EQ(expected.lfStrikeOut, actual.lfStrikeOut) << what;
  EXPECT_EQ(expected.lfCharSet, actual.lfCharSet) << what;
  EXPECT_EQ(expected.lfOutPrecision, actual.lfOutPrecision) << what;
  EXPECT_EQ(expected.lfClipPrecision, actual.lfClipPrecision) << what;
  EXPECT_EQ(expected.lfQuality, actual.lfQuality) << what;
  EXPECT_EQ(expected.lfPitchAndFamily, actual.lfPitchAndFamily) << what;
  EXPECT_STREQ(expected.lfFaceName, actual.lfFaceName) << what;
  EXPECT_EQ(0, std::memcmp(&expected, &actual, sizeof(expected))) << what;
}

LOGFONTW ReadBack(const CFont& font) {
  LOGFONTW actual;
  std::memset(&actual, 0xCC, sizeof(actual));
  EXPECT_TRUE(ReadLogFont(font, &actual));
  return actual;
}

const wchar_t* const* const kExpectedTextFaces = expected::kTextFaces;

TEST(LanguageFonts, TextFontOfEveryLanguage) {
  for (int language = 0; language < kLanguageCount; ++language) {
    LOGFONTW description;
    std::memset(&description, 0xCC, sizeof(description));
    DescribeTextFont(static_cast<LanguageIndex>(language), &description);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&description)) << language;
    const std::string what = "language " + std::to_string(language);
    ExpectSameFont(ExpectedFont(kExpectedTextFaces[language], -16), ReadBack(font), what.c_str());
  }
}

TEST(LanguageFonts, TitleFont) {
  LOGFONTW description;
  std::memset(&description, 0xCC, sizeof(description));
  DescribeTitleFont(&description);
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&description));
  ExpectSameFont(ExpectedFont(L"Segoe UI", -24), ReadBack(font), "title");
}

TEST(LanguageFonts, LanguageOutsideTheEightGetsTheEnglishFace) {
  for (int language : {-1, 8, 1000}) {
    LOGFONTW description;
    DescribeTextFont(static_cast<LanguageIndex>(language), &description);
    ExpectSameFont(ExpectedFont(L"Segoe UI", -16), description, "out of range");
  }
}

TEST(LanguageFonts, DestroyingTheHolderDeletesTheFont) {
  LOGFONTW description;
  DescribeTextFont(LANGUAGE_JAPANESE, &description);
  HGDIOBJ first = nullptr;
  HGDIOBJ second = nullptr;
  {
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&description));
    first = font.m_hObject;
    // Creating again must not leak the first font.
    ASSERT_TRUE(font.CreateFontIndirect(&description));
    second = font.m_hObject;
    ASSERT_NE(first, second);
    EXPECT_EQ(0u, GetObjectType(first));
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(second));
  }
  EXPECT_EQ(0u, GetObjectType(second));
}

TEST(ApplicationFonts, CreatedForEveryLanguageAndDeletedWithTheApplication) {
  std::vector<HGDIOBJ> handles;
  {
    CQuarnelApp app;
    app.CreateLanguageFonts();
    for (int language = 0; language < kLanguageCount; ++language) {
      CFont& font = app.GetTextFont(static_cast<LanguageIndex>(language));
      EXPECT_EQ(&app.m_fontText[language], &font);
      const std::string what = "application text font " + std::to_string(language);
      ExpectSameFont(ExpectedFont(kExpectedTextFaces[language], -16), ReadBack(font), what.c_str());
      handles.push_back(font.m_hObject);
    }
    EXPECT_EQ(&app.m_fontTitle, &app.GetTitleFont());
    ExpectSameFont(ExpectedFont(L"Segoe UI", -24), ReadBack(app.GetTitleFont()),
                   "application title font");
    handles.push_back(app.GetTitleFont().m_hObject);
    // Nine fonts of their own, none shared.
    EXPECT_EQ(handles.size(), std::set<HGDIOBJ>(handles.begin(), handles.end()).size());
    // A stray language must not reach past the eight fonts.
    EXPECT_EQ(&app.m_fontText[0], &app.GetTextFont(static_cast<LanguageIndex>(8)));
    EXPECT_EQ(&app.m_fontText[0], &app.GetTextFont(static_cast<LanguageIndex>(-1)));
  }
  for (HGDIOBJ handle : handles) EXPECT_EQ(0u, GetObjectType(handle)) << handle;
}

// Draws one character, black on white, with one font into a small canvas
// and returns its pixels.
class GlyphCanvas {
 public:
  explicit GlyphCanvas(HFONT font)
      : m_canvas(kSide, kSide, RGB(255, 255, 255)), m_oldFont(SelectObject(m_canvas.Dc(), font)) {}
  ~GlyphCanvas() { SelectObject(m_canvas.Dc(), m_oldFont); }
  GlyphCanvas(const GlyphCanvas&) = delete;
  GlyphCanvas& operator=(const GlyphCanvas&) = delete;

  bool Ready() const { return m_canvas.Dc() && m_oldFont; }

  std::vector<COLORREF> Draw(wchar_t character) {
    m_canvas.Fill(RGB(255, 255, 255));
    SetTextColor(m_canvas.Dc(), RGB(0, 0, 0));
    SetBkMode(m_canvas.Dc(), TRANSPARENT);
    TextOutW(m_canvas.Dc(), 2, 2, &character, 1);
    return m_canvas.Pixels().pixels;
  }

 private:
  static const int kSide = 40;
  PixelCanvas m_canvas;
  HGDIOBJ m_oldFont;
};

TEST(ApplicationFonts, EveryTextFontDrawsEveryCatalogueCharacter) {
  // The dialog's fonts follow the service's language while its texts may
  // follow the user's locale, so any text font may draw any language. A
  // character the font cannot draw comes out as the same box as a private-use
  // character that no font has.
  std::set<wchar_t> characters;
  const UINT baseIds[] = {
      IDS_BTN_OK,     IDS_BTN_CANCEL,          IDS_BTN_YES,           IDS_BTN_NO,
      IDS_BTN_UPDATE, IDS_MSG_UPDATE_QUESTION, IDS_MSG_UNSUPPORTED_OS};
  for (UINT baseId : baseIds) {
    for (int language = 0; language < kLanguageCount; ++language) {
      const CString text = LoadLocalizedString(baseId, language);
      for (int i = 0; i < text.GetLength(); ++i) {
        if (text.GetString()[i] > L' ') characters.insert(text.GetString()[i]);
      }
    }
  }
  ASSERT_GT(characters.size(), 120u);

  CQuarnelApp app;
  app.CreateLanguageFonts();
  for (int language = 0; language < kLanguageCount; ++language) {
    GlyphCanvas canvas(app.GetTextFont(static_cast<LanguageIndex>(language)));
    ASSERT_TRUE(canvas.Ready());
    const std::vector<COLORREF> blank = canvas.Draw(L' ');
    const std::vector<COLORREF> missing = canvas.Draw(L'\uE000');
    int undrawn = 0;
    for (wchar_t character : characters) {
      const std::vector<COLORREF> drawn = canvas.Draw(character);
      if (drawn == missing || drawn == blank) {
        ADD_FAILURE() << "text font " << language << " cannot draw U+" << std::hex
                      << static_cast<unsigned>(character);
        if (++undrawn == 5) break;
      }
    }
  }
}

}  // namespace
