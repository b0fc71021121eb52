// The launcher needs Windows 6.1: older systems are told so, in the user's
// own language, and nothing else happens.
#pragma once
#include "app/run_outcome.h"
#include "ui/msg_dlg.h"

// kUnsupportedWindows below 6.1 (a failed version query included), after
// the unsupported-Windows message on `dialog` where somebody can see it;
// otherwise the run goes on.
RunOutcome PassVersionGate(CMsgDlg& dialog);
