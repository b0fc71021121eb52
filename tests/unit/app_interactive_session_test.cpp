// Whether somebody can see the session the launcher runs in.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/interactive_session.h"

namespace {

TEST(InteractiveSession, OnlyAVisibleStationOutsideTheServicesSessionHasSomebodyToAsk) {
  const struct {
    bool stationVisible;
    DWORD windowsMajor;
    bool sessionKnown;
    DWORD session;
    bool interactive;
  } cases[] = {
      {true, 10, true, 1, true},
      {true, 6, true, 2, true},
      // Since 6.0 only services run in session 0, on a station marked visible.
      {true, 10, true, 0, false},
      {true, 6, true, 0, false},
      // Before it, session 0 is the console's own.
      {true, 5, true, 0, true},
      {true, 5, false, 0, true},
      {true, 10, false, 1, false},
      {false, 10, true, 1, false},
      {false, 5, true, 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.interactive,
              IsInteractive(c.stationVisible, c.windowsMajor, c.sessionKnown, c.session))
        << c.stationVisible << " " << c.windowsMajor << " " << c.sessionKnown << " " << c.session;
  }
}

}  // namespace
