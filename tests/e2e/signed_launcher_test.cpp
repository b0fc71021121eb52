// The launcher as a release engineer ships it: signed (check_signing signs a
// copy of the build with a throw-away certificate). The signature sits after
// the image, so the signed copy must still take every decision and still
// read its own "FileVersion" through the version resource.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "run_paths.h"
#include "tools/harness/launcher_run.h"

namespace {

// check_signing leaves it in the build's own scratch folder, for every lane.
std::wstring SignedCopy() {
  return std::wstring(QUARNEL_TEST_BUILT_SCRATCH_DIR) + L"\\signed-launcher\\Quarnel.exe";
}

size_t Count(const LauncherWorld& world, const std::wstring& event) {
  size_t count = 0;
  for (const StandinRecord& record : world.Records()) count += record.event == event;
  return count;
}

struct SignedRun {
  const wchar_t* installed;  // nullptr: no product installed
  bool asks;                 // the update question appears
  const wchar_t* outcome;    // the stand-in's record of what the run started
};

// The question on an older product shows that the own version read as 1.40:
// an unreadable one would compare smaller and hand off without a word.
const SignedRun kRuns[] = {
    {nullptr, false, L"installer-start"},
    {L"1.30.0315", true, L"zelvane-start"},
    {L"1.40.0300", false, L"zelvane-start"},
    {L"2.00.0100", false, L"zelvane-start"},
};

TEST(SignedLauncher, TakesItsDecisionsAndReadsItsOwnVersion) {
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(SignedCopy().c_str()))
      << "no signed copy; check_signing makes it";
  for (const SignedRun& run : kRuns) {
    SCOPED_TRACE(run.installed ? run.installed : L"not installed");
    LauncherWorld world(L"signed");
    ASSERT_TRUE(CopyFileW(SignedCopy().c_str(), world.DownloadedLauncher().c_str(), FALSE));
    if (run.installed) world.InstallProduct(run.installed);
    bool asked = false;
    const DWORD exitCode = RunAnsweringDialogs(world, world.DownloadedLauncher(), L"", &asked);
    EXPECT_EQ(run.asks, asked);
    // After a dialog the exit code is the last message's; without one it is 0.
    EXPECT_NE(static_cast<DWORD>(STILL_ACTIVE), exitCode);
    if (!run.asks) {
      EXPECT_EQ(0u, exitCode);
    }
    ASSERT_TRUE(world.WaitForRecord(run.outcome));
    EXPECT_EQ(1u, Count(world, run.outcome));
  }
}

}  // namespace
