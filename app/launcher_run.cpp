#include "app/launcher_run.h"

#include "app/app_handoff.h"
#include "app/failure_report.h"
#include "app/install_branch.h"
#include "app/instance_gate.h"
#include "app/launch_decision.h"
#include "app/launch_rules.h"
#include "app/repair_offer.h"
#include "app/version_gate.h"
#include "base/scoped_handles.h"
#include "ui/msg_dlg.h"

namespace {

// Zelvane.exe gone from the product's folder: the repair, accepted, is the
// install branch as -P runs it; declined, the run says no more.
RunOutcome RepairIfAccepted(CMsgDlg& dialog, const RunOutcome& handoff) {
  switch (OfferRepair(dialog, handoff)) {
    case RepairAnswer::kAccepted: return RunInstallBranch();
    case RepairAnswer::kDeclined: {
      RunOutcome declined = handoff;
      declined.end = RunEnd::kRepairDeclined;
      return declined;
    }
    case RepairAnswer::kNotOffered: break;
  }
  return handoff;
}

}  // namespace

RunOutcome RunLauncher(CQuarnelApp& app, const RunObserver& observer) {
  app.StartLibraries(observer);
  ScopedHandle instance;
  const RunOutcome busy = TakeInstanceMutex(instance);
  if (busy.Ended()) return busy;
  app.LoadResources(observer);
  // The run's one dialog, whichever message it shows.
  CMsgDlg dialog;

  const RunOutcome unsupported = PassVersionGate(dialog);
  observer.Done(RunStep::kVersionGate);
  if (unsupported.Ended()) {
    instance.Release();  // the instance mutex stays until the process ends
    return unsupported;
  }

  WCHAR ownPath[kLauncherPathChars];
  CString ownVersion;
  ReadOwnVersion(ownPath, ownVersion);
  observer.Done(RunStep::kOwnVersion);

  CString installedPath;
  const bool install =
      DecideToInstall(IsForceInstall(app.m_lpCmdLine), ownVersion, dialog, installedPath);
  observer.Done(RunStep::kDecision);

  const RunOutcome outcome =
      install ? RunInstallBranch() : RepairIfAccepted(dialog, RunHandOff(installedPath));
  observer.Done(RunStep::kAction);
  // Reported while the instance mutex is held: one launcher, and its
  // message, at a time.
  ReportFailure(dialog, outcome);
  return outcome;
}
