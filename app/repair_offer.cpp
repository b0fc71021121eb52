#include "app/repair_offer.h"

#include "app/interactive_session.h"
#include "app/trace.h"
#include "i18n/catalogue.h"
#include "i18n/language_source.h"
#include "res/resource.h"

bool IsRepairable(const RunOutcome& handoff) {
  // kHandoffProgram: found missing where nobody sees, before any start.
  const bool looked =
      handoff.step == StepId::kHandoffStart || handoff.step == StepId::kHandoffProgram;
  return handoff.end == RunEnd::kApplicationNotStarted && looked &&
         (handoff.error == ERROR_FILE_NOT_FOUND || handoff.error == ERROR_PATH_NOT_FOUND);
}

RepairAnswer OfferRepair(CMsgDlg& dialog, const RunOutcome& handoff) {
  if (!IsRepairable(handoff)) return RepairAnswer::kNotOffered;
  if (!IsInteractiveSession()) {
    Trace(L"repair: not offered, nobody to ask");
    return RepairAnswer::kNotOffered;
  }
  const LanguageIndex language = UserLocaleLanguageIndex();
  const INT_PTR answer = dialog.ShowMessage(LoadLocalizedString(IDS_MSG_REPAIR_QUESTION, language),
                                            MB_ICONERROR | MB_OKCANCEL, language);
  Trace(L"repair: asked in language %d -> %d", static_cast<int>(language),
        static_cast<int>(answer));
  if (answer != IDOK) return RepairAnswer::kDeclined;
  Trace(L"decision: install, the repair was accepted");
  return RepairAnswer::kAccepted;
}
