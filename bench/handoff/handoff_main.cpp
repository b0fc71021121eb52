// Hand-off latency: from just before CreateProcess of the installed launcher
// to the start of the Zelvane.exe it hands off to, against the same for a
// floor program that does nothing but the shell start. Launcher and floor
// alternate, so drift of the machine hits both alike. A third program, the
// launcher's road with timestamps, shows where the time goes.
//   quarnel_bench_handoff [--runs N]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/common/bench_row.h"
#include "bench/common/child.h"
#include "bench/common/clock.h"
#include "bench/common/standin_qpc.h"
#include "bench/handoff/scratch_install.h"
#include "bench_paths.h"

namespace {

const wchar_t kStartedEvent[] = L"Global\\QuarnelBenchZelvaneStarted";
const char* const kProfileSteps[] = {"entry",      "statics",     "controls",  "framework",
                                     "gdiplus",    "mutex_bind",  "icon_fonts", "own_version",
                                     "installed",  "shell",       "reread_version",
                                     "read_light_version", "read_aligned_version"};

std::string ReadAll(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

struct Launch {
  LONGLONG start = 0;      // counter just before CreateProcess
  std::string zelvaneLog;  // the stand-in's log of that run
  std::string profileLog;  // the profile program's line, if it ran
};

class HandoffRunner {
 public:
  explicit HandoffRunner(const ScratchInstall& install) : m_install(install) {
    m_started = CreateEventW(nullptr, TRUE, FALSE, kStartedEvent);
    m_zelvaneLog = install.Folder() + L"\\zelvane.log";
    m_profileLog = install.Folder() + L"\\profile.log";
    SetEnvironmentVariableW(L"QUARNEL_STANDIN_LOG", m_zelvaneLog.c_str());
    SetEnvironmentVariableW(L"QUARNEL_STANDIN_STARTED_EVENT", kStartedEvent);
    SetEnvironmentVariableW(L"QUARNEL_BENCH_PROFILE_LOG", m_profileLog.c_str());
  }
  ~HandoffRunner() {
    if (m_started) CloseHandle(m_started);
  }
  HandoffRunner(const HandoffRunner&) = delete;
  HandoffRunner& operator=(const HandoffRunner&) = delete;

  // Starts `exe` from the install folder and waits until it has ended and
  // Zelvane.exe has recorded its start; false when either did not happen.
  bool Run(const std::wstring& exe, Launch* launch) {
    DeleteFileW(m_zelvaneLog.c_str());
    DeleteFileW(m_profileLog.c_str());
    ResetEvent(m_started);
    BenchChild child;
    launch->start = CounterNow();
    if (!child.Start(exe, L"", m_install.Folder())) return false;
    const bool started = WaitForSingleObject(m_started, 15000) == WAIT_OBJECT_0;
    const bool ended = child.Wait(15000);
    launch->zelvaneLog = ReadAll(m_zelvaneLog);
    launch->profileLog = ReadAll(m_profileLog);
    // Lets Zelvane.exe end too, so the next start finds a quiet machine.
    Sleep(30);
    return started && ended;
  }

  // Milliseconds from the launch to Zelvane's start; negative on failure.
  double Latency(const std::wstring& exe) {
    Launch launch;
    if (!Run(exe, &launch)) return -1;
    const long long zelvane = StandinCounter(launch.zelvaneLog, "zelvane-start");
    return zelvane < 0 ? -1 : CounterMs(launch.start, zelvane);
  }

  // Milliseconds from the launch of `exe` (a profile program or the entry
  // probe) to its entry point; negative on failure. These programs start no
  // Zelvane.exe unless they hand off, so only the process's end is awaited.
  double EntryMs(const std::wstring& exe) {
    DeleteFileW(m_profileLog.c_str());
    BenchChild child;
    const LONGLONG start = CounterNow();
    if (!child.Start(exe, L"", m_install.Folder()) || !child.Wait(15000)) return -1;
    const long long entry = StandinCounter(ReadAll(m_profileLog), "profile", "entry");
    Sleep(30);
    return entry < 0 ? -1 : CounterMs(start, entry);
  }

  // One profiled run: milliseconds from the launch to each step's end, the
  // last entry Zelvane's start. Empty on failure.
  std::vector<double> Profile() {
    Launch launch;
    std::vector<double> stamps;
    if (!Run(m_install.Profile(), &launch)) return stamps;
    for (const char* step : kProfileSteps) {
      const long long at = StandinCounter(launch.profileLog, "profile", step);
      if (at < 0) return {};
      stamps.push_back(CounterMs(launch.start, at));
    }
    const long long zelvane = StandinCounter(launch.zelvaneLog, "zelvane-start");
    if (zelvane < 0) return {};
    stamps.push_back(CounterMs(launch.start, zelvane));
    return stamps;
  }

 private:
  const ScratchInstall& m_install;
  HANDLE m_started = nullptr;
  std::wstring m_zelvaneLog;
  std::wstring m_profileLog;
};

int ParseRuns(int argc, wchar_t** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--runs") == 0) return std::max(3, _wtoi(argv[i + 1]));
  }
  return 40;
}

void ReportProfile(HandoffRunner& runner, int runs) {
  const size_t steps = sizeof(kProfileSteps) / sizeof(kProfileSteps[0]);
  std::vector<std::vector<double>> deltas(steps + 1);
  for (int i = 0; i < runs; ++i) {
    const std::vector<double> stamps = runner.Profile();
    if (stamps.size() != steps + 1) continue;
    for (size_t s = 0; s < steps; ++s) deltas[s].push_back(stamps[s] - (s ? stamps[s - 1] : 0));
    // Zelvane's start counts from the shell call, which started it.
    deltas[steps].push_back(stamps[steps] - stamps[steps - 4]);
  }
  std::string text = "hand-off steps, median ms each (process start ->):";
  for (size_t s = 0; s <= steps; ++s) {
    char part[64];
    std::snprintf(part, sizeof(part), " %s %.2f", s < steps ? kProfileSteps[s] : "zelvane_after_shell",
                  Summarize(deltas[s]).median);
    text += part;
  }
  PrintNote(text + " (n=" + std::to_string(deltas[0].size()) + ")");
}

// Process start to entry point, from the launcher's image down to a minimal
// program, each step leaving out one thing the launcher's image brings.
void ReportEntry(HandoffRunner& runner, const ScratchInstall& install, int runs) {
  const std::wstring programs[] = {
      install.Profile(),           install.ProfileAligned(),   install.ProfileLight(),
      install.FloorStamped(),      install.EntryProbeImports(), install.EntryProbeComctl(),
      install.EntryProbeOle(),     install.EntryProbeManifest(), install.EntryProbe()};
  const char* const names[] = {"launcher-like image", "the same page-aligned",
                               "without its payload", "hand-off floor",
                               "minimal program with the launcher's imports and manifest",
                               "with comctl32 and the manifest", "with ole32",
                               "with the manifest", "minimal program"};
  constexpr int kPrograms = 9;
  std::vector<double> samples[kPrograms];
  for (int i = 0; i < runs; ++i) {
    for (int p = 0; p < kPrograms; ++p) {
      const double ms = runner.EntryMs(programs[p]);
      if (ms >= 0) samples[p].push_back(ms);
    }
  }
  // Other work on the machine only ever adds time, so the minimum shows a
  // program's own cost best; the median is given beside it.
  std::string text = "process start -> entry point, min / median ms:";
  for (int p = 0; p < kPrograms; ++p) {
    const SampleSummary summary = Summarize(samples[p]);
    char part[128];
    std::snprintf(part, sizeof(part), " %s %.1f / %.1f;", names[p], summary.min, summary.median);
    text += part;
  }
  PrintNote(text + " (n=" + std::to_string(samples[kPrograms - 1].size()) + ")");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = ParseRuns(argc, argv);
  ScratchInstall install(std::wstring(BENCH_SCRATCH_DIR) + L"\\handoff");
  if (!install.Ready()) {
    PrintNote("hand-off: the scratch install could not be prepared");
    return 1;
  }
  HandoffRunner runner(install);
  for (int i = 0; i < 3; ++i) {  // warm the file cache and the prefix
    runner.Latency(install.Launcher());
    runner.Latency(install.Floor());
  }
  std::vector<double> ours, floor, paired;
  int failures = 0;
  for (int i = 0; i < runs; ++i) {
    // Alternating which goes first keeps any after-effect of one start off
    // the other's figures.
    const bool launcherFirst = i % 2 == 0;
    const double a = runner.Latency(launcherFirst ? install.Launcher() : install.Floor());
    const double b = runner.Latency(launcherFirst ? install.Floor() : install.Launcher());
    const double launcher = launcherFirst ? a : b, floorMs = launcherFirst ? b : a;
    if (launcher >= 0) ours.push_back(launcher); else ++failures;
    if (floorMs >= 0) floor.push_back(floorMs); else ++failures;
    if (launcher >= 0 && floorMs > 0) paired.push_back(launcher / floorMs);
  }
  const SampleSummary oursSummary = Summarize(ours), floorSummary = Summarize(floor);
  const double ratio = Ratio(oursSummary.median, floorSummary.median);
  const Goal goal{GoalKind::kAtMost, 1.15};
  PrintRow(FormatRow("1 hand-off latency", FormatSummary(oursSummary, "ms", 1),
                     FormatSummary(floorSummary, "ms", 1), ratio, "<= 1.15x",
                     MetText(ratio, goal)));
  PrintNote("hand-off: ratio of each launch to the floor's launch beside it, min / median / "
            "max: " + FormatSummary(Summarize(paired), "x", 2) +
            " (steadier than the ratio of medians when the machine's load drifts)");
  if (failures) PrintNote("hand-off: " + std::to_string(failures) + " launches recorded no start");
  ReportProfile(runner, std::max(5, runs / 3));
  ReportEntry(runner, install, std::max(5, runs / 3));
  return 0;
}
