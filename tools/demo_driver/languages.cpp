#include "languages.h"

namespace {

const DemoLanguage kLanguages[kLanguageCount] = {
    {L"English", L"English", LANG_ENGLISH},
    {L"French",
     L"Fran\x00E7"
     L"ais",
     LANG_FRENCH},
    {L"German", L"Deutsch", LANG_GERMAN},
    {L"Italian", L"Italiano", LANG_ITALIAN},
    {L"Spanish", L"Espa\x00F1ol", LANG_SPANISH},
    {L"Portuguese", L"Portugu\x00EAs", LANG_PORTUGUESE},
    {L"Simplified Chinese", L"\x7B80\x4F53\x4E2D\x6587", LANG_CHINESE},
    {L"Japanese", L"\x65E5\x672C\x8A9E", LANG_JAPANESE},
};

}  // namespace

const DemoLanguage* LanguageAt(int index) {
  return index >= 0 && index < kLanguageCount ? &kLanguages[index] : nullptr;
}

int LanguageOfLocale(LCID lcid) {
  const WORD primary = PRIMARYLANGID(LANGIDFROMLCID(lcid));
  for (int i = 0; i < kLanguageCount; ++i) {
    if (kLanguages[i].primaryLanguage == primary) return i;
  }
  return -1;
}
