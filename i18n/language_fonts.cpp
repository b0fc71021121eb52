#include "i18n/language_fonts.h"

#include "app/quarnel_app.h"

namespace {

// Sized to the face-name field, so a face that would not fit with its
// terminator cannot even compile.
typedef wchar_t FaceName[LF_FACESIZE];

const FaceName kTitleFace = L"Segoe UI";
const FaceName kTextFaces[kLanguageCount] = {
    L"Segoe UI", L"Segoe UI", L"Segoe UI", L"Segoe UI",
    L"Segoe UI", L"Segoe UI", L"SimSun",   L"Meiryo UI",
};

const LONG kTextHeight = -16;
const LONG kTitleHeight = -24;

// Heights are logical units of the screen, deliberately not scaled for the
// display's resolution.
void DescribeBoldFont(const FaceName& face, LONG height, LOGFONTW* logFont) {
  ZeroMemory(logFont, sizeof(*logFont));
  logFont->lfHeight = height;
  logFont->lfWeight = FW_BOLD;
  logFont->lfCharSet = DEFAULT_CHARSET;
  CopyMemory(logFont->lfFaceName, face, sizeof(logFont->lfFaceName));
}

}  // namespace

void DescribeTextFont(LanguageIndex language, LOGFONTW* logFont) {
  DescribeBoldFont(kTextFaces[LanguageOrEnglish(language)], kTextHeight, logFont);
}

void DescribeTitleFont(LOGFONTW* logFont) { DescribeBoldFont(kTitleFace, kTitleHeight, logFont); }

void CQuarnelApp::CreateLanguageFonts() {
  // A font GDI refuses leaves its member empty; controls then fall back to
  // the system font, which is all the dialog needs.
  LOGFONTW logFont;
  for (int language = 0; language < kLanguageCount; ++language) {
    DescribeTextFont(static_cast<LanguageIndex>(language), &logFont);
    m_fontText[language].CreateFontIndirect(&logFont);
  }
  DescribeTitleFont(&logFont);
  m_fontTitle.CreateFontIndirect(&logFont);
}

CFont& CQuarnelApp::GetTextFont(LanguageIndex language) {
  return m_fontText[LanguageOrEnglish(language)];
}

CFont& CQuarnelApp::GetTitleFont() { return m_fontTitle; }
