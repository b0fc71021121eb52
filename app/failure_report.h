// Telling the person in front of the screen that the run failed at its job.
#pragma once
#include "app/run_outcome.h"
#include "ui/msg_dlg.h"

// For an outcome that failed at the job, its message on `dialog` (the run's
// one dialog object) in the language of the user's locale, with the system's
// text of its error naming its program; nothing where nobody could answer,
// nor for the person's own choices (a declined elevation or repair). Traced.
void ReportFailure(CMsgDlg& dialog, const RunOutcome& outcome);
