// The real Quarnel.exe as deployment tools run it: unseen, judged by its
// exit code alone. The installer's verdict must reach that code, no dialog
// may wait where nobody can answer it, a refused Windows must not read as
// done (a busy launcher: launcher_decision_test), and nobody may change the
// installer copy before or while it runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/harness/expected_values.h"
#include "tools/harness/hidden_desktop.h"
#include "tools/harness/launch_outcome.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/observed_values.h"
#include "tools/harness/scratch_dir.h"
#include "trace_log.h"

namespace {

class UnattendedRuns : public ::testing::Test {
 protected:
  UnattendedRuns() {
    world.Env()[L"QUARNEL_TRACE"] = TracePath();
    world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
  }
  std::wstring TracePath() const { return world.LogPath() + L".trace"; }
  std::vector<TraceLine> Trace() const { return ReadTraceLog(TracePath()); }
  size_t Installs() const { return RecordsOf(world.Records(), L"installer-start").size(); }

  // Runs the downloaded launcher on `desktop` and waits for it; its exit
  // code, STILL_ACTIVE (after killing it) when it did not end in a minute.
  DWORD RunOn(const std::wstring& desktop, const std::wstring& args = L"") {
    ChildProcess process;
    if (!process.Start(world.DownloadedLauncher(), args, world.Env(), L"", desktop)) return 0;
    if (!process.Wait(60000)) {
      process.Kill();
      return STILL_ACTIVE;
    }
    return process.ExitCode();
  }

  LauncherWorld world{L"unattended"};
};

// Windows Installer's numbers, which distribution tools act on: success, a
// failure, the user's cancel, a fatal error, and the two restarts.
TEST_F(UnattendedRuns, TheInstallersExitCodeIsTheRunsExitCode) {
  for (DWORD code : {0u, 1u, 1602u, 1603u, 3010u, 1641u}) {
    world.Env()[L"QUARNEL_STANDIN_EXIT_CODE"] = std::to_wstring(code);
    DeleteFileW(TracePath().c_str());
    EXPECT_EQ(code, world.Run(world.DownloadedLauncher())) << code;
    const auto trace = Trace();
    EXPECT_EQ(
        1u,
        TraceMessages(trace, L"deploy: installer ended, exit code " + std::to_wstring(code)).size())
        << TraceText(trace);
    EXPECT_TRUE(TraceMessages(trace, L"failure:").empty()) << TraceText(trace);
  }
  EXPECT_EQ(6u, Installs());
}

// Nobody sees a window station of one's own: the update question takes its
// default button (OK, so the tool's newer launcher updates), the
// unsupported-Windows message and a failure's message are left out, the
// main application is not started, and every run ends by itself with its
// code.
TEST_F(UnattendedRuns, NoDialogWaitsWhereNobodyCanAnswerIt) {
  const HiddenDesktop hidden;
  if (hidden.Visible()) GTEST_SKIP() << "this Wine shows every window station";
  ASSERT_TRUE(hidden.Usable());
  struct Case {
    const char* name;
    const wchar_t* installed;  // the installed launcher's version; null: none
    const wchar_t* windows;    // reported to Quarnel.exe; empty: as it is
    bool removeMainApplication;
    DWORD exitCode;
    size_t installs;
    const wchar_t* traced;
  };
  const Case cases[] = {
      {"older product: the update question", L"1.30.0315", L"", false, 0, 1,
       L"decision: update, nobody to ask"},
      {"Windows 6.0", L"1.30.0315", L"vista", false, 13, 0,
       L"unsupported: no message, nobody to see it"},
      {"Windows 5.1", nullptr, L"winxp", false, 13, 0,
       L"unsupported: no message, nobody to see it"},
      // A window nobody can use would only hold the product's files.
      {"the product up to date", L"=", L"", false, 0, 0,
       L"hand-off: up to date, nobody to see the application"},
      {"the main application gone", L"=", L"", true, 12, 0,
       L"failure: exit code 12, no message, nobody to see it"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetProductState();
    DeleteFileW(TracePath().c_str());
    DeleteFileW(world.LogPath().c_str());
    if (c.installed) world.InstallProduct(c.installed);
    if (c.removeMainApplication) DeleteFileW((world.InstallDir() + L"\\Zelvane.exe").c_str());
    SetReportedWindowsVersion(c.windows);
    EXPECT_EQ(c.exitCode, RunOn(hidden.Name()));
    EXPECT_EQ(c.installs, Installs());
    EXPECT_TRUE(RecordsOf(world.Records(), L"zelvane-start").empty());
    const auto trace = Trace();
    EXPECT_EQ(1u, TraceMessages(trace, c.traced).size()) << TraceText(trace);
  }
  SetReportedWindowsVersion(L"");
}

// Where a person can see it, the unsupported-Windows message is shown and
// the run still does not read as done.
TEST_F(UnattendedRuns, UnsupportedWindowsIsNoSuccess) {
  SetReportedWindowsVersion(L"vista");
  bool dialogShown = false;
  EXPECT_EQ(13u, RunAnsweringDialogs(world, world.DownloadedLauncher(), L"", &dialogShown));
  EXPECT_TRUE(dialogShown);
  EXPECT_EQ(0u, Installs());
  SetReportedWindowsVersion(L"");
}

// While the installer runs, its copy can be neither rewritten, nor renamed,
// nor deleted by another process: what runs, possibly elevated, is what the
// launcher wrote.
TEST_F(UnattendedRuns, TheRunningCopyCannotBeChanged) {
  world.Env()[L"QUARNEL_STANDIN_PROBE_LOCK"] = L"1";
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  const auto probes = RecordsOf(world.Records(), L"installer-lock");
  ASSERT_EQ(1u, probes.size());
  for (const wchar_t* field : {L"write", L"delete", L"rename"}) {
    EXPECT_EQ(0u, probes[0].Field(field).find(L"denied")) << field << "=" << probes[0].Field(field);
  }
  EXPECT_TRUE(FileExists(world.TempDir() + L"\\Quarnel_Setup1.exe"));
}

// The first `count` bytes of the file at `path`; empty when unreadable.
std::string FirstBytes(const std::wstring& path, size_t count) {
  std::string bytes;
  return ReadWholeFile(path, &bytes) ? bytes.substr(0, count) : std::string();
}

// Another process rewrites the copy at its size the moment the launcher's
// writer lets go of it, with another program's bytes: the file's identity
// and size stay as written. Whether it still holds its handle when the
// launcher takes its hold (which a scanner's hold is waited out for) or not,
// nothing it wrote is started, and the copy stays for whoever investigates.
TEST_F(UnattendedRuns, ACopyRewrittenBeforeItRunsIsNeverStarted) {
  const struct {
    const char* name;
    bool rewritten;
    DWORD holdMs;  // the writer's handle kept after writing
    DWORD exitCode;
    const wchar_t* traced;
  } cases[] = {
      {"rewritten between the write and the hold", true, 0, 10, L"failure: exit code 10, message"},
      {"rewritten, the handle held across the hold", true, 700, 10,
       L"deploy: installer copy lock failed, error 32, try 2 of 6"},
      {"untouched", false, 0, 0, L"deploy: installer ended, exit code 0"},
  };
  const std::wstring copy = world.TempDir() + L"\\Quarnel_Setup1.exe";
  const std::wstring planted = StandinPath(L"Zelvane.exe");
  std::string plantedBytes;
  ASSERT_TRUE(ReadWholeFile(planted, &plantedBytes));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // The writer races the hold: a try where the hold came first shows
    // nothing, and is run again.
    bool landed = !c.rewritten;
    for (int attempt = 0; attempt < 10 && (attempt == 0 || !landed); ++attempt) {
      ResetProductState();
      DeleteFileW(copy.c_str());
      DeleteFileW(TracePath().c_str());
      DeleteFileW(world.LogPath().c_str());
      ChildProcess writer;
      if (c.rewritten) {
        std::wstring arguments = L"\"" + copy;
        arguments.append(L"\" \"").append(planted).append(L"\" ").append(std::to_wstring(c.holdMs));
        ASSERT_TRUE(writer.Start(StandinPath(L"hostile_writer.exe"), arguments, world.Env()));
      }
      bool dialogShown = false;
      const DWORD exitCode =
          RunAnsweringDialogs(world, world.DownloadedLauncher(), L"", &dialogShown);
      writer.Kill();
      const auto records = world.Records();
      if (c.rewritten && (records.empty() || records[0].event != L"hostile-write")) continue;
      landed = true;
      EXPECT_EQ(c.exitCode, exitCode);
      EXPECT_EQ(c.rewritten, dialogShown);
      EXPECT_EQ(c.rewritten ? 0u : 1u, Installs());
      EXPECT_TRUE(RecordsOf(records, L"zelvane-start").empty()) << "the planted program ran";
      const auto trace = Trace();
      EXPECT_EQ(1u, TraceMessages(trace, c.traced).size()) << TraceText(trace);
      if (!c.rewritten) break;
      EXPECT_EQ(1u, TraceMessages(trace, L"deploy: installer copy check failed, error 1006").size())
          << TraceText(trace);
      EXPECT_EQ(plantedBytes, FirstBytes(copy, plantedBytes.size())) << "the copy was not left";
      EXPECT_TRUE(SetupPathValue().empty());
    }
    EXPECT_TRUE(landed) << "the writer never had the copy before the hold";
  }
}

}  // namespace
