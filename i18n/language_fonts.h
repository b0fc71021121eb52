// The dialog fonts: one bold text font per language and one bold title font.
#pragma once
#include "afxwin.h"
#include "i18n/language.h"

// Fills `logFont` with the text font of `language` (0..7): the language's
// face, height -16, weight 700, DEFAULT_CHARSET, every other field zero. A
// language outside 0..7 gets the English face.
void DescribeTextFont(LanguageIndex language, LOGFONTW* logFont);
// Fills `logFont` with the title font: "Segoe UI", height -24, weight 700,
// DEFAULT_CHARSET, every other field zero.
void DescribeTitleFont(LOGFONTW* logFont);
