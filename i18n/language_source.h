// Where a language comes from: the product service's "Language" setting, or
// the user's locale.
#pragma once
#include <windows.h>

#include "i18n/language.h"

// The service's "Language" value (HKLM, the service's key): whatever data of
// at most 4 bytes is stored, little-endian over zeros, whatever its type. 0
// when the key cannot be opened, the value is missing or unreadable, or the
// data is longer than 4 bytes.
DWORD ReadServiceLanguage();
// The LanguageIndex of the service's setting: 1..7 as it is, anything else
// English. Reads the registry afresh at every call.
LanguageIndex ServiceLanguageIndex();
// The LanguageIndex of a locale by its low 8 bits (the primary language);
// the sublanguage never counts, and an unlisted language is English.
LanguageIndex LanguageIndexFromLcid(LCID lcid);
// The LanguageIndex of the user's locale: the language the launcher's own
// messages speak (the update question alone speaks the service's).
LanguageIndex UserLocaleLanguageIndex();
