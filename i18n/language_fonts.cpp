#include "i18n/language_fonts.h"

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

// Heights are logical units of the screen, which are the display's pixels:
// the dialog draws at its window's DPI, so the height is scaled to it.
void DescribeBoldFont(const FaceName& face, LONG height, UINT dpi, LOGFONTW* logFont) {
  ZeroMemory(logFont, sizeof(*logFont));
  logFont->lfHeight = MulDiv(height, static_cast<int>(dpi), static_cast<int>(kFontBaseDpi));
  logFont->lfWeight = FW_BOLD;
  logFont->lfCharSet = DEFAULT_CHARSET;
  CopyMemory(logFont->lfFaceName, face, sizeof(logFont->lfFaceName));
}

}  // namespace

void DescribeTextFont(LanguageIndex language, LOGFONTW* logFont, UINT dpi) {
  DescribeBoldFont(kTextFaces[LanguageOrEnglish(language)], kTextHeight, dpi, logFont);
}

void DescribeTitleFont(LOGFONTW* logFont, UINT dpi) {
  DescribeBoldFont(kTitleFace, kTitleHeight, dpi, logFont);
}
