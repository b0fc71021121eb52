#include "app/version_gate.h"

#include "app/interactive_session.h"
#include "app/launch_rules.h"
#include "app/trace.h"
#include "i18n/catalogue.h"
#include "i18n/language_source.h"
#include "res/resource.h"

namespace {

// true on Windows 6.1 and later; a failed version query reads unsupported.
bool IsSupportedSystem() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL known = GetVersionExW(&info);
#pragma GCC diagnostic pop
  const bool supported = IsSupportedWindows(info.dwMajorVersion, info.dwMinorVersion);
  Trace(L"windows: %lu.%lu %s%s", info.dwMajorVersion, info.dwMinorVersion,
        supported ? L"supported" : L"unsupported", known ? L"" : L" (GetVersionExW failed)");
  return supported;
}

// The unsupported-Windows message, in the language of the user's locale,
// where somebody can see it.
void ShowUnsupportedWindows(CMsgDlg& dialog) {
  if (!IsInteractiveSession()) {
    Trace(L"unsupported: no message, nobody to see it; exit code %d", kExitUnsupportedWindows);
    return;
  }
  const LanguageIndex language = UserLocaleLanguageIndex();
  const INT_PTR answer = dialog.ShowMessage(LoadLocalizedString(IDS_MSG_UNSUPPORTED_OS, language),
                                            MB_ICONERROR | MB_OK, language);
  Trace(L"unsupported: message shown in language %d -> %d; exit code %d",
        static_cast<int>(language), static_cast<int>(answer), kExitUnsupportedWindows);
}

}  // namespace

RunOutcome PassVersionGate(CMsgDlg& dialog) {
  if (IsSupportedSystem()) return RunOutcome::GoOn();
  ShowUnsupportedWindows(dialog);
  return RunOutcome::Ended(RunEnd::kUnsupportedWindows);
}
