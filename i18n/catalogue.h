// Lookups in the eight-language string catalogue.
#pragma once
#include "afxwin.h"
#include "i18n/language.h"

// The text of `baseId` in `language`: identifier baseId + 1000 * language.
CString LoadLocalizedString(UINT baseId, int language);
// The text of `baseId` in the service's language.
CString LoadServiceLanguageString(UINT baseId);
