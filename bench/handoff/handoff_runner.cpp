#include "bench/handoff/handoff_runner.h"

#include "base/scoped_handles.h"
#include "bench/common/clock.h"
#include "bench/common/own_folder.h"
#include "bench/common/standin_qpc.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/scratch_dir.h"

namespace {

const wchar_t kStartedEvent[] = L"Global\\QuarnelBenchZelvaneStarted";
constexpr DWORD kWaitMs = 15000;
// Lets the last started programs end, so the next start finds a quiet machine.
constexpr DWORD kSettleMs = 30;

std::string ReadAll(const std::wstring& path) {
  std::string bytes;
  ScopedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.Valid()) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.Get(), chunk, sizeof(chunk), &got, nullptr) && got) bytes.append(chunk, got);
  return bytes;
}

}  // namespace

HandoffRunner::HandoffRunner(const ScratchInstall& install)
    : m_install(install), m_started(CreateEventW(nullptr, TRUE, FALSE, kStartedEvent)) {
  m_zelvaneLog = install.Folder() + L"\\zelvane.log";
  m_profileLog = install.Folder() + L"\\profile.log";
  SetEnvironmentVariableW(L"QUARNEL_STANDIN_LOG", m_zelvaneLog.c_str());
  SetEnvironmentVariableW(L"QUARNEL_STANDIN_STARTED_EVENT", kStartedEvent);
  SetEnvironmentVariableW(L"QUARNEL_BENCH_PROFILE_LOG", m_profileLog.c_str());
}

bool HandoffRunner::Run(const std::wstring& exe, Launch* launch) {
  DeleteFileW(m_zelvaneLog.c_str());
  DeleteFileW(m_profileLog.c_str());
  ResetEvent(m_started.Get());
  ChildProcess child;
  launch->start = CounterNow();
  if (!child.Start(exe, L"", {}, FolderOf(exe))) return false;
  const bool started = WaitForSingleObject(m_started.Get(), kWaitMs) == WAIT_OBJECT_0;
  const bool ended = child.Wait(kWaitMs);
  launch->zelvaneLog = ReadAll(m_zelvaneLog);
  launch->profileLog = ReadAll(m_profileLog);
  Sleep(kSettleMs);
  return started && ended;
}

double HandoffRunner::Latency(const std::wstring& exe) {
  Launch launch;
  if (!Run(exe, &launch)) return -1;
  const long long zelvane = StandinCounter(launch.zelvaneLog, "zelvane-start");
  return zelvane < 0 ? -1 : CounterMs(launch.start, zelvane);
}

double HandoffRunner::EntryMs(const std::wstring& exe) {
  DeleteFileW(m_profileLog.c_str());
  ChildProcess child;
  const LONGLONG start = CounterNow();
  // Some of these programs hand off too; only their own end is awaited.
  if (!child.Start(exe, L"", {}, FolderOf(exe)) || !child.Wait(kWaitMs)) return -1;
  const long long entry = StandinCounter(ReadAll(m_profileLog), "profile", "entry");
  Sleep(kSettleMs);
  return entry < 0 ? -1 : CounterMs(start, entry);
}

std::vector<double> HandoffRunner::ProfileStamps(const std::vector<const char*>& steps) {
  Launch launch;
  std::vector<double> stamps;
  if (!Run(m_install.Profile(), &launch)) return stamps;
  for (const char* step : steps) {
    const long long at = StandinCounter(launch.profileLog, "profile", step);
    if (at < 0) return {};
    stamps.push_back(CounterMs(launch.start, at));
  }
  const long long zelvane = StandinCounter(launch.zelvaneLog, "zelvane-start");
  if (zelvane < 0) return {};
  stamps.push_back(CounterMs(launch.start, zelvane));
  return stamps;
}
