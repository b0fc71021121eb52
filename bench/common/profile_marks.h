// The names of the start-up profiler's counter readings, in the order it
// takes them: two before the run, one as each step of the launcher's own run
// ends (app/run_steps.h), three after it. Header only, free of the standard
// library, like the profiler.
#pragma once
#include "app/run_steps.h"

constexpr const char* kProfileMarks[] = {"entry",
                                         "statics",
                                         "controls",
                                         "framework",
                                         "gdiplus",
                                         "mutex_bind",
                                         "icon_fonts",
                                         "version_gate",
                                         "own_version",
                                         "installed",
                                         "shell",
                                         "read_unloaded_version",
                                         "read_light_version",
                                         "read_aligned_version"};
constexpr int kMarksBeforeRun = 2;
constexpr int kProfileMarkCount = sizeof(kProfileMarks) / sizeof(kProfileMarks[0]);
static_assert(kProfileMarkCount == kMarksBeforeRun + kRunStepCount + 3,
              "one mark for each step of the run");

// The mark taken as `step` ends.
inline const char* RunStepMark(RunStep step) {
  return kProfileMarks[kMarksBeforeRun + static_cast<int>(step)];
}
