// Hand-off latency: from just before CreateProcess of the installed launcher
// to the start of the Zelvane.exe it hands off to, against the same for two
// floors: a program that does nothing but the shell start, and one that does
// exactly what the launcher is required to do first (required_floor_main.cpp).
// The three take turns, so drift of the machine hits all alike. The notes
// after the rows show where the time goes (handoff_diagnosis.h).
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

// The programs each round starts, in this order the first time.
constexpr int kLauncher = 0, kShellFloor = 1, kRequiredFloor = 2, kPrograms = 3;

int ParseRuns(int argc, wchar_t** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--runs") == 0) return std::max(3, _wtoi(argv[i + 1]));
  }
  return 40;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = ParseRuns(argc, argv);
  ScratchInstall install;
  if (!install.Ready()) {
    PrintNote("hand-off: the scratch install could not be prepared");
    return 1;
  }
  HandoffRunner runner(install);
  const std::wstring programs[kPrograms] = {install.Launcher(), install.Floor(),
                                            install.RequiredFloor()};
  for (int i = 0; i < 3; ++i) {  // warm the file cache and the prefix
    for (const std::wstring& program : programs) runner.Latency(program);
  }
  std::vector<double> samples[kPrograms], paired[kPrograms];
  int failures = 0;
  for (int i = 0; i < runs; ++i) {
    // Rotating which goes first keeps any after-effect of one start off
    // the others' figures.
    double ms[kPrograms];
    for (int k = 0; k < kPrograms; ++k) {
      const int which = (i + k) % kPrograms;
      ms[which] = runner.Latency(programs[which]);
    }
    for (int k = 0; k < kPrograms; ++k) {
      if (ms[k] >= 0)
        samples[k].push_back(ms[k]);
      else
        ++failures;
      if (k != kLauncher && ms[kLauncher] >= 0 && ms[k] > 0)
        paired[k].push_back(ms[kLauncher] / ms[k]);
    }
  }
  const SampleSummary ours = Summarize(samples[kLauncher]);
  const SampleSummary floor = Summarize(samples[kShellFloor]);
  const SampleSummary required = Summarize(samples[kRequiredFloor]);
  const double ratio = Ratio(ours.median, floor.median);
  PrintRow(FormatRow("1 hand-off latency", FormatSummary(ours, "ms", 1),
                     FormatSummary(floor, "ms", 1), ratio, "<= 1.15x",
                     MetText(ratio, Goal{GoalKind::kAtMost, 1.15})));
  const double requiredRatio = Ratio(ours.median, required.median);
  PrintRow(FormatRow("1 hand-off vs. required floor", FormatSummary(ours, "ms", 1),
                     "HandoffRequiredFloor " + FormatSummary(required, "ms", 1), requiredRatio,
                     "<= 1.10x", MetText(requiredRatio, Goal{GoalKind::kAtMost, 1.10})));
  PrintNote(
      "hand-off: ratio of each launch to the floor's launch beside it, min / median / "
      "max: " +
      FormatSummary(Summarize(paired[kShellFloor]), "x", 2) +
      " (steadier than the ratio of medians when the machine's load drifts)");
  PrintNote(
      "hand-off: the same against the required floor (manifest, common controls, GDI+, "
      "two file versions, shell start): " +
      FormatSummary(Summarize(paired[kRequiredFloor]), "x", 2) + "; ours minus the floor, " +
      "median: " + FormatNumber(ours.median - required.median, 1) +
      " ms: what the launcher does beyond it (framework, mutexes, library-search guard, "
      "icon, fonts, dialog object) and its larger image, each shown in the notes below");
  if (failures) PrintNote("hand-off: " + std::to_string(failures) + " launches recorded no start");
  ReportStartupSteps(runner, install, std::max(5, runs / 3));
  ReportEntryCosts(runner, install, std::max(5, runs / 3));
  return 0;
}
