// Placeholder until localisation lands: English, default fonts.
#include "app/quarnel_app.h"
#include "i18n/catalogue.h"
#include "i18n/language_source.h"

DWORD ReadServiceLanguage() { return 0; }
LanguageIndex ServiceLanguageIndex() { return LANGUAGE_ENGLISH; }
LanguageIndex LanguageIndexFromLcid(LCID) { return LANGUAGE_ENGLISH; }
CString LoadLocalizedString(UINT baseId, int language) {
  CString text;
  text.LoadString(baseId + kLanguageIdStep * language);
  return text;
}
CString LoadServiceLanguageString(UINT baseId) { return LoadLocalizedString(baseId, 0); }
void CQuarnelApp::CreateLanguageFonts() {}
CFont& CQuarnelApp::GetTextFont(LanguageIndex language) { return m_fontText[language]; }
CFont& CQuarnelApp::GetTitleFont() { return m_fontTitle; }
