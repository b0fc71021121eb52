// The dialog fonts: one bold text font per language and one bold title font.
#pragma once
#include "afxwin.h"
#include "i18n/language.h"

// The DPI at which the fonts have their base heights.
constexpr UINT kFontBaseDpi = 96;

// Fills `logFont` with the text font of `language` (0..7): the language's
// face, height -16 at 96 DPI (scaled to `dpi`, rounded), weight 700,
// DEFAULT_CHARSET, every other field zero. A language outside 0..7 gets the
// English face.
void DescribeTextFont(LanguageIndex language, LOGFONTW* logFont, UINT dpi = kFontBaseDpi);
// Fills `logFont` with the title font: "Segoe UI", height -24 at 96 DPI
// (scaled to `dpi`), weight 700, DEFAULT_CHARSET, every other field zero.
void DescribeTitleFont(LOGFONTW* logFont, UINT dpi = kFontBaseDpi);
