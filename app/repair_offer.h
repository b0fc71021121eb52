// The repair a launcher offers when the installed product has lost its main
// application (most often to an antivirus scanner's quarantine): it carries
// the whole installer, so it need not send the person off to download it.
#pragma once
#include <windows.h>

#include "app/run_outcome.h"
#include "ui/msg_dlg.h"

enum class RepairAnswer { kNotOffered, kAccepted, kDeclined };

// true when the hand-off failed because no Zelvane.exe is in the product's
// folder (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND), found by the shell or
// by the check that stands in for the start where nobody sees it.
bool IsRepairable(const RunOutcome& handoff);

// After such a hand-off, asks the person in front of the screen, in their
// locale's language, whether to repair the product, on the run's one dialog.
// kNotOffered for any other result and where nobody can see the question.
RepairAnswer OfferRepair(CMsgDlg& dialog, const RunOutcome& handoff);
