// The application's nine fonts: one per language and the title's, each its
// own, deleted with the application, and each drawing every catalogue text.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "app/quarnel_app.h"
#include "i18n/catalogue.h"
#include "i18n/language_fonts.h"
#include "resource.h"
#include "support/font_description.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/pixel_canvas.h"

namespace {

const wchar_t* const* const kExpectedTextFaces = expected::kTextFaces;

TEST(ApplicationFonts, CreatedForEveryLanguageAndDeletedWithTheApplication) {
  std::vector<HGDIOBJ> handles;
  {
    CQuarnelApp app;
    app.CreateLanguageFonts();
    for (int language = 0; language < kLanguageCount; ++language) {
      CFont& font = app.GetTextFont(static_cast<LanguageIndex>(language));
      EXPECT_EQ(&app.m_fontText[language], &font);
      const std::string what = "application text font " + std::to_string(language);
      ExpectSameFont(ExpectedFont(kExpectedTextFaces[language], expected::kTextFontHeight),
                     ReadBack(font), what.c_str());
      handles.push_back(font.m_hObject);
    }
    EXPECT_EQ(&app.m_fontTitle, &app.GetTitleFont());
    ExpectSameFont(ExpectedFont(expected::kTitleFace, expected::kTitleFontHeight),
                   ReadBack(app.GetTitleFont()), "application title font");
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
