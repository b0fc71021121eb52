#include "i18n/language_source.h"

#include "base/scoped_handles.h"

namespace {

const wchar_t kServiceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\zelvane";
const wchar_t kLanguageValue[] = L"Language";

// Primary languages of a locale (its low 8 bits) that have a language of
// their own; every other one reads English.
struct PrimaryLanguageMapping {
  BYTE primaryLanguage;
  LanguageIndex language;
};

const PrimaryLanguageMapping kPrimaryLanguages[] = {
    {LANG_CHINESE, LANGUAGE_CHINESE_SIMPLIFIED},
    {LANG_GERMAN, LANGUAGE_GERMAN},
    {LANG_SPANISH, LANGUAGE_SPANISH},
    {LANG_FRENCH, LANGUAGE_FRENCH},
    {LANG_ITALIAN, LANGUAGE_ITALIAN},
    {LANG_JAPANESE, LANGUAGE_JAPANESE},
    {LANG_PORTUGUESE, LANGUAGE_PORTUGUESE},
};

}  // namespace

DWORD ReadServiceLanguage() {
  ScopedRegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kServiceKey, KEY_READ) != ERROR_SUCCESS) return 0;
  // The type is deliberately not checked: whatever fits in four bytes counts,
  // little-endian over zeros. Longer data makes the call fail with
  // ERROR_MORE_DATA, after which the buffer's content is undefined, so only a
  // successful read may leave anything but 0.
  DWORD data = 0;
  DWORD bytes = sizeof(data);
  const LONG status = RegQueryValueExW(key.Get(), kLanguageValue, nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&data), &bytes);
  if (status != ERROR_SUCCESS || bytes > sizeof(data)) return 0;
  return data;
}

LanguageIndex ServiceLanguageIndex() {
  const DWORD value = ReadServiceLanguage();
  if (value >= 1 && value < static_cast<DWORD>(kLanguageCount)) {
    return static_cast<LanguageIndex>(value);
  }
  return LANGUAGE_ENGLISH;
}

LanguageIndex LanguageIndexFromLcid(LCID lcid) {
  // Only the low 8 bits: the sublanguage never matters, so every Chinese
  // locale reads Simplified Chinese and every Portuguese one Portuguese.
  const BYTE primaryLanguage = static_cast<BYTE>(lcid & 0xFF);
  for (const PrimaryLanguageMapping& mapping : kPrimaryLanguages) {
    if (mapping.primaryLanguage == primaryLanguage) return mapping.language;
  }
  return LANGUAGE_ENGLISH;
}

LanguageIndex UserLocaleLanguageIndex() { return LanguageIndexFromLcid(GetUserDefaultLCID()); }
