#include "bench/handoff/handoff_diagnosis.h"

#include <cstdio>
#include <string>
#include <vector>

#include "bench/common/bench_row.h"
#include "bench/common/profile_marks.h"
#include "bench/common/sample_stats.h"

namespace {

// The marks of bench/handoff/profile_main.cpp, in its order.
const std::vector<const char*> kSteps(kProfileMarks, kProfileMarks + kProfileMarkCount);

std::size_t IndexOf(const char* step) {
  for (std::size_t i = 0; i < kSteps.size(); ++i) {
    if (std::string(kSteps[i]) == step) return i;
  }
  return 0;
}

}  // namespace

void ReportStartupSteps(HandoffRunner& runner, ScratchInstall& install, int runs) {
  if (!install.InstallAt(install.ProfileFolder())) return;
  const std::size_t count = kSteps.size();
  const std::size_t shell = IndexOf("shell");
  std::vector<std::vector<double>> deltas(count + 1);
  for (int i = 0; i < runs; ++i) {
    const std::vector<double> stamps = runner.ProfileStamps(kSteps);
    if (stamps.size() != count + 1) continue;
    for (std::size_t s = 0; s < count; ++s) {
      deltas[s].push_back(stamps[s] - (s ? stamps[s - 1] : 0));
    }
    // Zelvane's start counts from the shell call, which started it.
    deltas[count].push_back(stamps[count] - stamps[shell]);
  }
  install.InstallAt(install.Folder());
  std::string text = "hand-off steps, median ms each (process start ->):";
  for (std::size_t s = 0; s <= count; ++s) {
    char part[64];
    std::snprintf(part, sizeof(part), " %s %.2f", s < count ? kSteps[s] : "zelvane_after_shell",
                  Summarize(deltas[s]).median);
    text += part;
  }
  PrintNote(text + " (n=" + std::to_string(deltas[0].size()) + ")");
}

void ReportEntryCosts(HandoffRunner& runner, const ScratchInstall& install, int runs) {
  struct Program {
    std::wstring path;
    const char* name;
  };
  // From the launcher's image down to a minimal program, each leaving out
  // one thing the launcher's image brings.
  const Program programs[] = {
      {install.Profile(), "launcher-like image"},
      {install.ProfileAligned(), "the same page-aligned"},
      {install.ProfileLight(), "without its payload"},
      {install.FloorStamped(), "hand-off floor"},
      {install.EntryProbeImports(), "minimal program with the launcher's imports and manifest"},
      {install.EntryProbeComctl(), "with comctl32 and the manifest"},
      {install.EntryProbeOle(), "with ole32"},
      {install.EntryProbeManifest(), "with the manifest"},
      {install.EntryProbe(), "minimal program"}};
  constexpr std::size_t kPrograms = sizeof(programs) / sizeof(programs[0]);
  std::vector<double> samples[kPrograms];
  for (int i = 0; i < runs; ++i) {
    for (std::size_t p = 0; p < kPrograms; ++p) {
      const double ms = runner.EntryMs(programs[p].path);
      if (ms >= 0) samples[p].push_back(ms);
    }
  }
  // Other work on the machine only ever adds time, so the minimum shows a
  // program's own cost best; the median is given beside it.
  std::string text = "process start -> entry point, min / median ms:";
  for (std::size_t p = 0; p < kPrograms; ++p) {
    const SampleSummary summary = Summarize(samples[p]);
    char part[128];
    std::snprintf(part, sizeof(part), " %s %.1f / %.1f;", programs[p].name, summary.min,
                  summary.median);
    text += part;
  }
  PrintNote(text + " (n=" + std::to_string(samples[kPrograms - 1].size()) + ")");
}
