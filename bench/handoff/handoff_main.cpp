// Hand-off latency: from just before CreateProcess of the installed launcher
// to the start of the Zelvane.exe it hands off to, against the same for a
// floor program that does nothing but the shell start. Launcher and floor
// alternate, so drift of the machine hits both alike. The notes after the
// row show where the time goes (handoff_diagnosis.h).
//   quarnel_bench_handoff [--runs N]
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "bench/common/bench_row.h"
#include "bench/handoff/handoff_diagnosis.h"
#include "bench/handoff/handoff_runner.h"
#include "bench/handoff/scratch_install.h"
#include "bench_paths.h"

namespace {

int ParseRuns(int argc, wchar_t** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--runs") == 0) return std::max(3, _wtoi(argv[i + 1]));
  }
  return 40;
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
  ReportStartupSteps(runner, install, std::max(5, runs / 3));
  ReportEntryCosts(runner, install, std::max(5, runs / 3));
  return 0;
}
