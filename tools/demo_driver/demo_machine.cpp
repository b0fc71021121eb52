#include "demo_machine.h"

#include "tools/harness/msgdlg_driver.h"
#include "tools/harness/observed_values.h"
#include "tools/harness/scratch_dir.h"

namespace {

const DWORD kRunLimitMs = 60000;
const DWORD kAwaitLimitMs = 10000;
// Long enough for a wrongly started program to show up in the log.
const DWORD kQuietMs = 800;

size_t CountEvent(const std::vector<StandinRecord>& records, const std::wstring& event) {
  return RecordsOf(records, event).size();
}

template <typename T>
std::vector<T> From(const std::vector<T>& all, size_t first) {
  return first >= all.size() ? std::vector<T>() : std::vector<T>(all.begin() + first, all.end());
}

// Lets the run's dialog be answered, or cancels an unexpected one so the
// run still ends. False when the run must be stopped.
bool AnswerDialog(const ChildProcess& process, const DialogAnswer& answer) {
  const HWND dialog = WaitForProcessDialog(process.Id());
  if (!dialog) return false;
  if (answer) return answer(dialog);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return true;
}

}  // namespace

DemoMachine::DemoMachine(const std::wstring& root, const std::wstring& builtLauncher)
    : m_root(root), m_builtLauncher(builtLauncher), m_installDir(SampleProductDir()) {
  m_env[L"TEMP"] = TempDir();
  m_env[L"TMP"] = TempDir();
  m_env[L"QUARNEL_STANDIN_LOG"] = StandinLog();
  m_env[L"QUARNEL_STANDIN_INSTALL_DIR"] = InstallDir();
}

bool DemoMachine::Prepare(std::wstring* error) {
  for (const std::wstring& dir : {m_root, m_installDir}) {
    if (!RemoveTree(dir)) {
      *error = L"cannot empty " + dir;
      return false;
    }
  }
  for (const std::wstring& dir : {m_root, TempDir(), m_root + L"\\download"}) {
    if (!CreateDirectoryW(dir.c_str(), nullptr)) {
      *error = L"cannot create " + dir;
      return false;
    }
  }
  if (!CopyFileW(m_builtLauncher.c_str(), DownloadedLauncher().c_str(), FALSE)) {
    *error = L"cannot copy " + m_builtLauncher + L" to " + DownloadedLauncher();
    return false;
  }
  return true;
}

std::wstring DemoMachine::SetupCopy(int n) const {
  return TempDir() + L"\\Quarnel_Setup" + std::to_wstring(n) + L".exe";
}

RunObservation DemoMachine::Run(const std::wstring& launcher, const DialogAnswer& answer,
                                const std::wstring& awaitEvent) {
  const std::vector<StandinRecord> recordsBefore = ReadStandinLog(StandinLog());
  const size_t requestsBefore = ReadServiceLog(ServiceLog()).size();
  RunObservation run;
  run.exitCode = static_cast<DWORD>(-1);
  ChildProcess process;
  if (!process.Start(launcher, L"", m_env)) return run;

  bool answered = false;
  const DWORD start = GetTickCount();
  while (!process.Wait(50) && GetTickCount() - start < kRunLimitMs) {
    if (answered || process.Windows().empty()) continue;
    run.windowShown = true;
    answered = true;
    if (!AnswerDialog(process, answer)) process.Kill();
  }
  if (!process.Wait(0)) process.Kill();
  run.exitCode = process.ExitCode();

  const size_t awaitedBefore = CountEvent(recordsBefore, awaitEvent);
  const DWORD settleStart = GetTickCount();
  if (awaitEvent.empty()) Sleep(kQuietMs);
  while (!awaitEvent.empty() && GetTickCount() - settleStart < kAwaitLimitMs &&
         CountEvent(ReadStandinLog(StandinLog()), awaitEvent) <= awaitedBefore) {
    Sleep(50);
  }
  run.records = From(ReadStandinLog(StandinLog()), recordsBefore.size());
  run.requests = From(ReadServiceLog(ServiceLog()), requestsBefore);
  return run;
}
