// Reads back what a font was made from, for tests that check the fonts the
// launcher creates.
#pragma once
#include <windows.h>

// The description of `font`. False without a font or when GDI cannot say.
inline bool ReadLogFont(HFONT font, LOGFONTW* description) {
  return font && GetObjectW(font, sizeof(LOGFONTW), description) == sizeof(LOGFONTW);
}
