#include "app/quarnel_app.h"

#include <commctrl.h>

#include "app/app_handoff.h"
#include "app/file_version.h"
#include "app/installed_product.h"
#include "app/launch_rules.h"
#include "app/setup_deploy.h"
#include "app/version_api.h"
#include "channel/command_channel.h"
#include "i18n/catalogue.h"
#include "i18n/language_source.h"
#include "res/resource.h"
#include "ui/gdiplus_api.h"
#include "ui/msg_dlg.h"

CQuarnelApp* g_pApp = nullptr;

namespace {

const WCHAR kInstanceMutexName[] = L"Global\\ZelvaneInst7003";

// The instance mutex works through its existence alone: nobody ever waits
// on it. Closed explicitly on the paths that close it; the unsupported-Windows
// path leaves it to the end of the process.
struct InstanceMutex {
  HANDLE handle = nullptr;
  void Close() {
    if (handle) CloseHandle(handle);
    handle = nullptr;
  }
};

// Another launcher holds the instance mutex: the handle just obtained is
// closed and TRUE returned. No handle at all counts as being alone.
bool AnotherLauncherRuns(InstanceMutex& mutex) {
  mutex.handle = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  if (mutex.handle && GetLastError() == ERROR_ALREADY_EXISTS) {
    mutex.Close();
    return true;
  }
  return false;
}

bool IsSupportedSystem() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&info);
#pragma GCC diagnostic pop
  return IsSupportedWindows(info.dwMajorVersion, info.dwMinorVersion);
}

void ShowUnsupportedWindows(CMsgDlg& dialog) {
  const LanguageIndex language = LanguageIndexFromLcid(GetUserDefaultLCID());
  dialog.m_strMessage = LoadLocalizedString(IDS_MSG_UNSUPPORTED_OS, language);
  dialog.m_nStyle = MB_ICONERROR | MB_OK;
  dialog.m_nLanguage = language;
  dialog.DoModal();
}

// Announces the launcher's path and folder to the service, then deploys and
// runs the installer. The channel's handle to the command mutex is held until
// the installer has ended.
void RunInstallBranch() {
  CCommandChannel channel;
  WCHAR path[kLauncherPathChars];
  // A path the platform had to cut is never announced.
  if (GetOwnModulePath(path)) {
    channel.SendPathNotice(path);
    ReduceToAnnouncedFolder(path);
    channel.SendPathNotice(path);
  }
  DeploySetup();
  channel.Close();
}

}  // namespace

BEGIN_MESSAGE_MAP(CQuarnelApp, CWinAppEx)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQuarnelApp::CQuarnelApp() = default;

// The fonts delete themselves as members, before the library-search guard
// (declared first) frees the kernel library handle.
CQuarnelApp::~CQuarnelApp() = default;

int CQuarnelApp::ExitInstance() { return CWinAppEx::ExitInstance(); }

BOOL CQuarnelApp::InitInstance() {
  g_pApp = this;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  CWinAppEx::InitInstance();
  AfxEnableControlContainer();
  StartGdiplus();

  InstanceMutex instance;
  if (AnotherLauncherRuns(instance)) return FALSE;

  BindVersionApi();
  m_hIcon = LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_APP_ICON));
  CreateLanguageFonts();
  CMsgDlg dialog;

  if (!IsSupportedSystem()) {
    ShowUnsupportedWindows(dialog);
    return FALSE;  // the instance mutex stays until the process ends
  }

  const BOOL force = IsForceInstall(m_lpCmdLine);
  WCHAR ownPath[kLauncherPathChars];
  GetOwnModulePath(ownPath);
  CString ownVersion;
  ReadFileVersion(ownPath, ownVersion);

  CString installedVersion;
  CString installedPath;
  const bool install = force || !FindInstalledProduct(installedVersion, installedPath) ||
                       (CompareVersions(ownVersion, installedVersion) > 0 &&
                        dialog.AskUpdate() == IDOK);
  if (install) {
    RunInstallBranch();
  } else {
    LaunchInstalledApplication(installedPath);
  }
  instance.Close();
  return FALSE;
}
