// The launcher's hand-off road step by step, with a performance-counter
// reading after each step of the launcher's own run, for finding what the
// hand-off latency is made of.
// Built like the launcher (no exceptions, no standard library, the same
// resources and payload) so that loading it costs what loading the launcher
// costs. Appends one line to the file named by QUARNEL_BENCH_PROFILE_LOG:
//   profile<TAB>entry=Q<TAB>app=Q<TAB>... (Q: counter after that step)
#include <windows.h>

#include <shlwapi.h>

#include "app/file_version.h"
#include "app/launcher_run.h"
#include "app/own_path.h"
#include "app/quarnel_app.h"
#include "app/version_api.h"
#include "base/scoped_handles.h"
#include "bench/common/profile_log.h"
#include "bench/common/profile_marks.h"
#include "tools/harness/expected_values.h"

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

// A reading as each step of the run ends.
void MarkStep(RunStep step, void* context) {
  static_cast<StepLog*>(context)->Mark(RunStepMark(step));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  StepLog log;
  log.Mark(kProfileMarks[0]);
  const ScopedHandle rovevuv(CreateMutexW(nullptr, FALSE, expected::kStartupMutex));
  CQuarnelApp app;
  BindVersionApi();
  log.Mark(kProfileMarks[1]);
  // The launcher's own run, step by step: installed beside itself at its
  // own version, it hands off.
  RunLauncher(app, {MarkStep, &log});
  // Not the launcher's: version reads of images that are not loaded, beside
  // this program's folder (see bench/handoff/scratch_install.h): the
  // launcher with its payload, without it, and page-aligned. They show what
  // detection costs a launcher that runs from elsewhere, as a download does.
  const LPCWSTR images[] = {L"Quarnel.exe", L"StartupProfileLight.exe",
                            L"StartupProfileAligned.exe"};
  for (int i = 0; i < 3; ++i) {
    ReadSiblingVersion(images[i]);
    log.Mark(kProfileMarks[kMarksBeforeRun + kRunStepCount + i]);
  }
  log.Write();
  return 0;
}
