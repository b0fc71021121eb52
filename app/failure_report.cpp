#include "app/failure_report.h"

#include "app/failure_message.h"
#include "app/interactive_session.h"
#include "app/trace.h"
#include "i18n/language_source.h"

void ReportFailure(CMsgDlg& dialog, const RunOutcome& outcome) {
  const UINT messageId = MessageIdOf(outcome.end);
  const int code = ExitCodeOf(outcome);
  if (outcome.end == RunEnd::kElevationDeclined) {
    Trace(L"failure: exit code %d, no message, the elevation prompt was declined", code);
    return;
  }
  if (outcome.end == RunEnd::kRepairDeclined) {
    // Cancel was the answer to the failure already: no second message.
    Trace(L"failure: exit code %d, no message, the repair was declined", code);
    return;
  }
  if (!messageId) return;
  if (!IsInteractiveSession()) {
    Trace(L"failure: exit code %d, no message, nobody to see it", code);
    return;
  }
  const LanguageIndex language = UserLocaleLanguageIndex();
  const INT_PTR answer =
      dialog.ShowMessage(FittedFailureMessage(messageId, language, outcome.error, outcome.program),
                         MB_ICONERROR | MB_OK, language);
  Trace(L"failure: exit code %d, message shown in language %d -> %s", code,
        static_cast<int>(language), DialogResultName(answer));
}
