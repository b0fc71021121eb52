// The steps of a run, in their order, for whoever watches them: the start-up
// profiler's timestamps, the tests of the start-up's order.
#pragma once

enum class RunStep {
  kCommonControls,
  kFramework,
  kGdiplus,
  kVersionBinding,
  kIconAndFonts,
  kVersionGate,
  kOwnVersion,
  kDecision,
  kAction,  // the install branch or the hand-off, and a repair it led to
};
constexpr int kRunStepCount = static_cast<int>(RunStep::kAction) + 1;

// Told of each step that ran, as it ends; `stepDone` may be null.
struct RunObserver {
  void (*stepDone)(RunStep step, void* context);
  void* context;

  void Done(RunStep step) const {
    if (stepDone) stepDone(step, context);
  }
};
