// The one start-up the launcher and its dialog hosts share: its steps in the
// launcher's order, and a busy instance mutex ending the run before the
// version library, the icon and the fonts.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/launcher_run.h"
#include "app/quarnel_app.h"
#include "base/scoped_handles.h"
#include "tools/harness/expected_values.h"

namespace {

void StepDone(RunStep step, void* context) {
  static_cast<std::vector<RunStep>*>(context)->push_back(step);
}

TEST(StartUp, RunsTheLaunchersStepsInOrderAndStopsAtABusyInstanceMutex) {
  using S = RunStep;
  struct Case {
    bool anotherLauncher;
    std::vector<RunStep> steps;
    bool iconAndFonts;
  } cases[] = {
      {false,
       {S::kCommonControls, S::kFramework, S::kGdiplus, S::kVersionBinding, S::kIconAndFonts},
       true},
      {true, {S::kCommonControls, S::kFramework, S::kGdiplus}, false},
  };
  for (const Case& c : cases) {
    CQuarnelApp app;
    std::vector<RunStep> seen;
    const RunObserver observer = {StepDone, &seen};
    if (c.anotherLauncher) {
      const ScopedHandle other(CreateMutexW(nullptr, FALSE, expected::kInstanceMutex));
      const RunOutcome outcome = RunLauncher(app, observer);
      EXPECT_EQ(RunEnd::kAnotherLauncherRuns, outcome.end);
      EXPECT_EQ(static_cast<int>(ERROR_INSTALL_ALREADY_RUNNING), ExitCodeOf(outcome));
    } else {
      app.StartUp(observer);
    }
    EXPECT_EQ(&app, g_pApp);
    EXPECT_EQ(c.steps, seen) << "another launcher " << c.anotherLauncher;
    EXPECT_EQ(c.iconAndFonts, app.m_hIcon != nullptr) << "another launcher " << c.anotherLauncher;
    EXPECT_EQ(c.iconAndFonts, app.GetTitleFont().m_hObject != nullptr)
        << "another launcher " << c.anotherLauncher;
    g_pApp = nullptr;
  }
}

}  // namespace
