// What the hand-off latency bench takes for granted: the installed launcher,
// started again and again from its folder, hands off every time (the
// instance mutex never refuses the next start), and the start time the
// stand-in records comes from the same performance counter as the bench's,
// so that it falls between the counter read just before the launch and the
// one after the record was seen.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "bench/common/clock.h"
#include "bench/common/standin_qpc.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/scratch_dir.h"

namespace {

std::string LogBytes(const std::wstring& path) {
  std::string bytes;
  ReadWholeFile(path, &bytes);
  return bytes;
}

TEST(BenchHandoffClock, BackToBackStartsEachHandOffOnTheSharedClock) {
  LauncherWorld world(L"bench_handoff_clock");
  world.InstallProduct(L"=");
  const std::wstring installed = world.InstallDir() + L"\\Quarnel.exe";
  for (int run = 0; run < 3; ++run) {
    DeleteFileW(world.LogPath().c_str());
    const LONGLONG before = CounterNow();
    ASSERT_EQ(0u, world.Run(installed)) << "run " << run;
    ASSERT_TRUE(world.WaitForRecord(L"zelvane-start", 15000)) << "run " << run;
    const LONGLONG after = CounterNow();
    const long long started = StandinCounter(LogBytes(world.LogPath()), "zelvane-start");
    ASSERT_GT(started, 0) << "run " << run;
    EXPECT_GT(started, before) << "run " << run;
    EXPECT_LT(started, after) << "run " << run;
    EXPECT_GT(CounterMs(before, started), 0.0);
    // Exactly one hand-off per start: no installer ran instead.
    int handoffs = 0;
    for (const StandinRecord& record : world.Records()) {
      EXPECT_EQ(L"zelvane-start", record.event) << "run " << run;
      handoffs += record.event == L"zelvane-start";
    }
    EXPECT_EQ(1, handoffs) << "run " << run;
  }
}

}  // namespace
