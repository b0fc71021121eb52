// Where a language comes from: the product service's "Language" setting, or
// the user's locale.
#pragma once
#include <windows.h>

#include "i18n/language.h"

// The service's "Language" value, 0 when it cannot be read.
DWORD ReadServiceLanguage();
// The LanguageIndex of the service's setting, read afresh at every call.
LanguageIndex ServiceLanguageIndex();
// The LanguageIndex of a locale, by its primary language.
LanguageIndex LanguageIndexFromLcid(LCID lcid);
