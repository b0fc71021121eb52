// Lookups in the eight-language string catalogue.
#pragma once
#include "afxwin.h"
#include "i18n/language.h"

// The text of `baseId` in `language`: the string-table entry baseId + 1000 *
// language, unchanged. A language outside 0..7 reads English. An identifier
// missing from the catalogue gives an empty string (there is no exception to
// raise in the launcher).
CString LoadLocalizedString(UINT baseId, int language);
// The text of `baseId` in the language of ServiceLanguageIndex(), read from
// the registry at this call.
CString LoadServiceLanguageString(UINT baseId);
