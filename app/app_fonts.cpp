// The application object's fonts, made from the per-language descriptions
// of i18n/language_fonts.h.
#include "app/quarnel_app.h"
#include "i18n/language_fonts.h"

void CQuarnelApp::CreateLanguageFonts(UINT dpi) {
  // A font GDI refuses leaves its member empty; controls then fall back to
  // the system font, which is all the dialog needs.
  LOGFONTW logFont;
  for (int language = 0; language < kLanguageCount; ++language) {
    DescribeTextFont(static_cast<LanguageIndex>(language), &logFont, dpi);
    m_fontText[language].CreateFontIndirect(&logFont);
  }
  DescribeTitleFont(&logFont, dpi);
  m_fontTitle.CreateFontIndirect(&logFont);
  m_nFontDpi = dpi;
}

void CQuarnelApp::UseFontsForDpi(UINT dpi) {
  if (dpi != m_nFontDpi) CreateLanguageFonts(dpi);
}

CFont& CQuarnelApp::GetTextFont(LanguageIndex language) {
  return m_fontText[LanguageOrEnglish(language)];
}

CFont& CQuarnelApp::GetTitleFont() { return m_fontTitle; }
