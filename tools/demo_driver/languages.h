// The launcher's eight languages as the demo names them, and which of them a
// user locale stands for.
#pragma once
#include <windows.h>

constexpr int kLanguageCount = 8;

struct DemoLanguage {
  const wchar_t* english;  // "French"
  const wchar_t* native;   // "Français"
  WORD primaryLanguage;    // LANG_FRENCH
};

// The language of index `index` (0 English ... 7 Japanese); null outside.
const DemoLanguage* LanguageAt(int index);

// The index of the language of `lcid` by its primary language; -1 when it is
// none of the eight.
int LanguageOfLocale(LCID lcid);
