// The launcher's hand-off road step by step, with a performance-counter
// reading after each step, for finding what the hand-off latency is made of.
// Built like the launcher (no exceptions, no standard library, the same
// resources and payload) so that loading it costs what loading the launcher
// costs. Appends one line to the file named by QUARNEL_BENCH_PROFILE_LOG:
//   profile<TAB>entry=Q<TAB>app=Q<TAB>... (Q: counter after that step)
#include <windows.h>

#include <shlwapi.h>

#include "app/app_handoff.h"
#include "app/file_version.h"
#include "app/installed_product.h"
#include "app/own_path.h"
#include "app/quarnel_app.h"
#include "app/version_api.h"
#include "base/scoped_handles.h"
#include "bench/common/profile_log.h"
#include "ui/msg_dlg.h"

namespace {

constexpr int kMaxSteps = 16;

// The counter readings of one run, written out in one piece at the end so
// that the writing costs none of the steps.
class StepLog {
 public:
  void Mark(const char* name) {
    if (m_count == kMaxSteps) return;
    m_names[m_count] = name;
    QueryPerformanceCounter(&m_stamps[m_count]);
    ++m_count;
  }

  void Write() const {
    char line[kMaxSteps * 48 + 16];
    int used = wsprintfA(line, "profile");
    for (int i = 0; i < m_count; ++i) {
      used += wsprintfA(line + used, "\t%s=%I64d", m_names[i], m_stamps[i].QuadPart);
    }
    used += wsprintfA(line + used, "\n");
    AppendProfileLine(line, used);
  }

 private:
  const char* m_names[kMaxSteps] = {};
  LARGE_INTEGER m_stamps[kMaxSteps] = {};
  int m_count = 0;
};

// Reads the version of `name` in the folder above this program's.
void ReadSiblingVersion(LPCWSTR name) {
  WCHAR path[kLauncherPathChars];
  if (!GetOwnModulePath(path) || !PathRemoveFileSpecW(path) || !PathRemoveFileSpecW(path) ||
      !PathAppendW(path, name)) {
    return;
  }
  CString version;
  ReadFileVersion(path, version);
}

// What the start-up's hooks reach: the readings, and the instance mutex the
// gate takes as the launcher's does (whatever another program holds).
struct ProfiledStartUp {
  StepLog log;
  ScopedHandle instanceMutex;
};

bool TakeInstanceMutex(void* context) {
  static_cast<ProfiledStartUp*>(context)->instanceMutex.Reset(
      CreateMutexW(nullptr, FALSE, L"Global\\ZelvaneInst7003"));
  return true;
}

// A reading after each start-up step; the icon and the fonts are read
// together with the dialog's construction, after the start-up.
void MarkStep(StartUpStep step, void* context) {
  StepLog& log = static_cast<ProfiledStartUp*>(context)->log;
  switch (step) {
    case StartUpStep::kCommonControls: log.Mark("controls"); break;
    case StartUpStep::kFramework: log.Mark("framework"); break;
    case StartUpStep::kGdiplus: log.Mark("gdiplus"); break;
    case StartUpStep::kVersionBinding: log.Mark("mutex_bind"); break;
    case StartUpStep::kIconAndFonts: break;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  ProfiledStartUp run;
  StepLog& log = run.log;
  log.Mark("entry");
  const ScopedHandle rovevuv(CreateMutexW(nullptr, FALSE, L"Global\\Rovevuv"));
  CQuarnelApp app;
  BindVersionApi();
  log.Mark("statics");
  app.StartUp({TakeInstanceMutex, MarkStep, &run});
  CMsgDlg dialog;
  log.Mark("icon_fonts");
  WCHAR ownPath[kLauncherPathChars];
  GetOwnModulePath(ownPath);
  CString ownVersion;
  ReadFileVersion(ownPath, ownVersion);
  log.Mark("own_version");
  CString installedVersion;
  CString installedPath;
  const BOOL installed = FindInstalledProduct(installedVersion, installedPath).ok;
  log.Mark("installed");
  if (installed) LaunchInstalledApplication(installedPath);
  log.Mark("shell");
  // Not the launcher's: version reads of images that are not loaded, beside
  // this program's folder (see bench/handoff/scratch_install.h): the
  // launcher with its payload, without it, and page-aligned. They show what
  // detection costs a launcher that runs from elsewhere, as a download does.
  ReadSiblingVersion(L"Quarnel.exe");
  log.Mark("read_unloaded_version");
  ReadSiblingVersion(L"StartupProfileLight.exe");
  log.Mark("read_light_version");
  ReadSiblingVersion(L"StartupProfileAligned.exe");
  log.Mark("read_aligned_version");
  log.Write();
  return 0;
}
