// The one start-up the launcher and its dialog hosts share: its steps in the
// launcher's order, and a closed gate ending it before the version library,
// the icon and the fonts.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/quarnel_app.h"

namespace {

struct Seen {
  bool gateOpen = true;
  int gateCalls = 0;
  std::vector<StartUpStep> steps;
};

bool Gate(void* context) {
  Seen* seen = static_cast<Seen*>(context);
  ++seen->gateCalls;
  return seen->gateOpen;
}

void StepDone(StartUpStep step, void* context) {
  static_cast<Seen*>(context)->steps.push_back(step);
}

TEST(StartUp, RunsTheLaunchersStepsInOrderAndStopsAtAClosedGate) {
  using S = StartUpStep;
  struct Case {
    bool gateOpen;
    bool result;
    std::vector<StartUpStep> steps;
    bool iconAndFonts;
  } cases[] = {
      {true,
       true,
       {S::kCommonControls, S::kFramework, S::kGdiplus, S::kVersionBinding, S::kIconAndFonts},
       true},
      {false, false, {S::kCommonControls, S::kFramework, S::kGdiplus}, false},
  };
  for (const Case& c : cases) {
    CQuarnelApp app;
    Seen seen;
    seen.gateOpen = c.gateOpen;
    EXPECT_EQ(c.result, app.StartUp({Gate, StepDone, &seen})) << "gate open " << c.gateOpen;
    EXPECT_EQ(&app, g_pApp);
    EXPECT_EQ(1, seen.gateCalls);
    EXPECT_EQ(c.steps, seen.steps) << "gate open " << c.gateOpen;
    EXPECT_EQ(c.iconAndFonts, app.m_hIcon != nullptr) << "gate open " << c.gateOpen;
    EXPECT_EQ(c.iconAndFonts, app.GetTitleFont().m_hObject != nullptr)
        << "gate open " << c.gateOpen;
    g_pApp = nullptr;
  }
}

TEST(StartUp, WithoutHooksRunsEveryStep) {
  CQuarnelApp app;
  EXPECT_TRUE(app.StartUp());
  EXPECT_NE(nullptr, app.m_hIcon);
  EXPECT_NE(nullptr, app.GetTitleFont().m_hObject);
  g_pApp = nullptr;
}

}  // namespace
