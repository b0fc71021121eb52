#include "app/quarnel_app.h"

#include <shlwapi.h>

#include "app/app_handoff.h"
#include "app/failure_message.h"
#include "app/file_version.h"
#include "app/installed_product.h"
#include "app/interactive_session.h"
#include "app/launch_rules.h"
#include "app/own_path.h"
#include "app/repair_offer.h"
#include "app/run_failure.h"
#include "app/setup_deploy.h"
#include "app/trace.h"
#include "base/scoped_handles.h"
#include "channel/command_channel.h"
#include "i18n/catalogue.h"
#include "i18n/language_source.h"
#include "res/resource.h"
#include "ui/msg_dlg.h"

CQuarnelApp* g_pApp = nullptr;

namespace {

const WCHAR kInstanceMutexName[] = L"Global\\ZelvaneInst7003";

// Another launcher holds the instance mutex: the handle just obtained is
// closed and true returned. So does one of another account, whose mutex this
// one may not open (a deployment as SYSTEM while the person starts the
// product). No handle for any other reason counts as being alone. The mutex
// works through its existence alone: nobody ever waits on it.
bool AnotherLauncherRuns(ScopedHandle& mutex) {
  const HANDLE handle = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  const DWORD error = GetLastError();
  mutex.Reset(handle);
  if (handle && error == ERROR_ALREADY_EXISTS) {
    mutex.Close();
    Trace(L"instance: busy, another launcher runs; exit code %d", kExitAnotherLauncherRuns);
    return true;
  }
  if (!handle && error == ERROR_ACCESS_DENIED) {
    Trace(L"instance: busy, another account's launcher runs (access denied); exit code %d",
          kExitAnotherLauncherRuns);
    return true;
  }
  if (!handle) {
    Trace(L"instance: alone, CreateMutexW failed, error %lu", error);
  } else {
    Trace(L"instance: alone");
  }
  return false;
}

// The start-up's gate: takes the instance mutex into `instanceMutex` (a
// ScopedHandle); false when another launcher runs.
bool TakeInstanceMutex(void* instanceMutex) {
  return !AnotherLauncherRuns(*static_cast<ScopedHandle*>(instanceMutex));
}

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
  const LanguageIndex language = LanguageIndexFromLcid(GetUserDefaultLCID());
  dialog.m_strMessage = LoadLocalizedString(IDS_MSG_UNSUPPORTED_OS, language);
  dialog.m_nStyle = MB_ICONERROR | MB_OK;
  dialog.m_nLanguage = language;
  const INT_PTR answer = dialog.DoModal();
  Trace(L"unsupported: message shown in language %d -> %d; exit code %d",
        static_cast<int>(language), static_cast<int>(answer), kExitUnsupportedWindows);
}

// The launcher's own path and version; the path stays empty when the
// platform could not give it or had to cut it, and the version then too.
void ReadOwnVersion(WCHAR (&ownPath)[kLauncherPathChars], CString& ownVersion) {
  if (!GetOwnModulePath(ownPath)) {
    Trace(L"own: GetModuleFileNameW failed or cut the path, error %lu", GetLastError());
  }
  if (ReadFileVersion(ownPath, ownVersion)) {
    Trace(L"own: %s", ownVersion.GetString());
  } else {
    Trace(L"own: no version, the file \"%s\" was not found", ownPath);
  }
}

// The product's uninstall key read; true when the product counts as
// installed, with its version and launcher path filled.
bool DetectInstalledProduct(CString& installedVersion, CString& installedPath) {
  const StepResult found = FindInstalledProduct(installedVersion, installedPath);
  if (found) {
    Trace(L"installed: %s at %s", installedVersion.GetString(), installedPath.GetString());
  } else {
    Trace(L"installed: no, %s failed, error %lu", StepCallName(found.step), found.error);
  }
  return found.ok;
}

// A dialog result as the trace names it; never null.
LPCWSTR DialogResultName(INT_PTR result) {
  switch (result) {
    case IDOK: return L"IDOK";
    case IDCANCEL: return L"IDCANCEL";
    case IDYES: return L"IDYES";
    case IDNO: return L"IDNO";
  }
  return L"no answer";
}

// true when the user accepts the update of an older installed product (OK);
// Cancel, the close button or no answer at all refuse it. Where nobody can
// see the question, its default button answers it: a deployment tool that
// runs the newer launcher means it to update.
bool UserAcceptsUpdate(CMsgDlg& dialog) {
  if (!IsInteractiveSession()) {
    Trace(L"decision: update, nobody to ask");
    return true;
  }
  const INT_PTR answer = dialog.AskUpdate();
  Trace(L"decision: ask update -> %s", DialogResultName(answer));
  return answer == IDOK;
}

// The launch decision: true to install when forced, when the product is not
// installed, or when it is older and the user accepts the update; each term
// is looked at only when all before it failed. false to hand off, with
// `installedPath` filled.
bool DecideToInstall(bool force, LPCWSTR ownVersion, CMsgDlg& dialog, CString& installedPath) {
  if (force) {
    Trace(L"decision: install, forced by -P");
    return true;
  }
  CString installedVersion;
  if (!DetectInstalledProduct(installedVersion, installedPath)) {
    Trace(L"decision: install, product not installed");
    return true;
  }
  if (IsUpdateOffered(ownVersion, installedVersion)) return UserAcceptsUpdate(dialog);
  Trace(L"decision: hand-off, own %s is not newer than installed %s", ownVersion,
        installedVersion.GetString());
  return false;
}

// Sends one path notice and traces its status. A 255 may leave a late answer
// behind in the service's record (see CCommandChannel::Exchange).
void SendNotice(CCommandChannel& channel, int ordinal, LPCWSTR path) {
  const DWORD start = GetTickCount();
  const DWORD status = channel.SendPathNotice(path);
  const DWORD elapsed = GetTickCount() - start;
  if (status == CMD_STATUS_NO_REPLY) {
    Trace(
        L"notice %d: status 255 after %lu ms, no answer in time; a late answer may still "
        L"overwrite the next request in the service's record",
        ordinal, elapsed);
  } else {
    Trace(L"notice %d: status %lu after %lu ms", ordinal, status, elapsed);
  }
}

// Announces the launcher's path and folder to the service, then deploys and
// runs the installer, holding the command mutex's handle until it has ended;
// the deployment's result, `report` filled. A failed notice changes nothing.
StepResult RunInstallBranch(DeployReport& report) {
  CCommandChannel channel;
  if (channel.HoldsMutex()) {
    Trace(L"channel: command mutex held");
  } else {
    Trace(L"channel: no command mutex, error %lu; notices go unserialised", channel.OpenError());
  }
  WCHAR path[kLauncherPathChars];
  // A path the platform had to cut is never announced.
  if (GetOwnModulePath(path)) {
    SendNotice(channel, 1, path);
    ReduceToAnnouncedFolder(path);
    SendNotice(channel, 2, path);
  } else {
    Trace(L"notice: none sent, own path cut or unreadable, error %lu", GetLastError());
  }
  const StepResult deployment = DeploySetup(report);
  channel.Close();
  return deployment;
}

// Starts the installed product's main application where somebody can see it,
// else only checks that it is there; the hand-off's result, traced when it
// failed.
StepResult RunHandOff(LPCWSTR installedPath) {
  const StepResult handoff = IsInteractiveSession() ? LaunchInstalledApplication(installedPath)
                                                    : ConfirmInstalledApplication(installedPath);
  TraceIfFailed(L"hand-off", handoff);
  return handoff;
}

// Tells the person in front of the screen that the run failed at its job, in
// the language of their locale, with the system's text of `error` naming
// `program`; the same dialog object as the run's other message. Nothing is
// shown where nobody could answer (a service's session): the exit code says
// it there. A declined elevation prompt was the person's own choice.
void ReportFailure(CMsgDlg& dialog, RunFailure failure, DWORD error, LPCWSTR program) {
  if (failure == RunFailure::kNone) return;
  const int code = ExitCodeOf(failure);
  if (failure == RunFailure::kElevationDeclined) {
    Trace(L"failure: exit code %d, no message, the elevation prompt was declined", code);
    return;
  }
  if (!IsInteractiveSession()) {
    Trace(L"failure: exit code %d, no message, nobody to see it", code);
    return;
  }
  const LanguageIndex language = LanguageIndexFromLcid(GetUserDefaultLCID());
  dialog.m_strMessage = FittedFailureMessage(MessageIdOf(failure), language, error, program);
  dialog.m_nStyle = MB_ICONERROR | MB_OK;
  dialog.m_nLanguage = language;
  const INT_PTR answer = dialog.DoModal();
  Trace(L"failure: exit code %d, message shown in language %d -> %s", code,
        static_cast<int>(language), DialogResultName(answer));
}

}  // namespace

BEGIN_MESSAGE_MAP(CQuarnelApp, CWinAppEx)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQuarnelApp::CQuarnelApp() = default;

// The fonts go first; the library-search guard, declared last, is the first
// member destroyed after this body.
CQuarnelApp::~CQuarnelApp() {
  for (CFont& font : m_fontText) font.DeleteObject();
  m_fontTitle.DeleteObject();
}

// The framework base's result is the last message's word parameter, which
// means nothing after a dialog; the run's own code replaces it.
int CQuarnelApp::ExitInstance() {
  CWinAppEx::ExitInstance();
  return m_nExitCode;
}

BOOL CQuarnelApp::InitInstance() {
  m_nExitCode = kExitDone;
  // Closed explicitly on the paths that close it; the unsupported-Windows
  // path leaves it to the end of the process.
  ScopedHandle instance;
  const StartUpHooks hooks = {TakeInstanceMutex, nullptr, &instance};
  if (!StartUp(hooks)) {
    // Nothing was done: a deployment tool is to try again later.
    m_nExitCode = kExitAnotherLauncherRuns;
    return FALSE;
  }
  CMsgDlg dialog;

  if (!IsSupportedSystem()) {
    ShowUnsupportedWindows(dialog);
    m_nExitCode = kExitUnsupportedWindows;
    instance.Release();  // the instance mutex stays until the process ends
    return FALSE;
  }

  const bool force = IsForceInstall(m_lpCmdLine);
  WCHAR ownPath[kLauncherPathChars];
  CString ownVersion;
  ReadOwnVersion(ownPath, ownVersion);

  CString installedPath;
  bool install = DecideToInstall(force, ownVersion, dialog, installedPath);
  DeployReport report = {};
  StepResult result = install ? RunInstallBranch(report) : RunHandOff(installedPath);
  // Zelvane.exe gone from the product's folder: accepted, the repair is the
  // install branch as -P runs it.
  const RepairAnswer repair = install ? RepairAnswer::kNotOffered : OfferRepair(dialog, result);
  if (repair == RepairAnswer::kAccepted) {
    install = true;
    result = RunInstallBranch(report);
  }
  const RunFailure failure = install ? FailureOfDeployment(result) : FailureOfHandOff(result);
  // A system text's %1 names the program that failed to start.
  const LPCWSTR program = install ? PathFindFileNameW(report.copyPath) : kMainApplication;
  // Reported while the instance mutex is held: one launcher, and its
  // message, at a time.
  if (repair != RepairAnswer::kDeclined) ReportFailure(dialog, failure, result.error, program);
  // After an install, the installer's own verdict: a failure, a cancel or a
  // restart it needs reaches the tool that started the launcher.
  m_nExitCode = ExitCodeOf(failure, report.installerExitCode);
  instance.Close();
  return FALSE;
}
