#include "i18n/catalogue.h"

#include "i18n/language_source.h"

CString LoadLocalizedString(UINT baseId, int language) {
  // A language outside the eight would address another catalogue entry, or
  // none; such a caller gets English, like every other unknown language.
  const UINT id = baseId + kLanguageIdStep * static_cast<UINT>(LanguageOrEnglish(language));
  // An identifier missing from the catalogue is a programming error. The
  // launcher has no exceptions to raise, so the text is then simply empty;
  // the catalogue tests make sure no caller's identifier is missing.
  CString text;
  text.LoadString(id);
  return text;
}

CString LoadServiceLanguageString(UINT baseId) {
  return LoadLocalizedString(baseId, ServiceLanguageIndex());
}
