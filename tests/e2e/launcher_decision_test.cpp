// The real Quarnel.exe through its decisions, observed from outside: what the
// stand-in installer and main application recorded, the installer copy, the
// "SetupPath" value and the named objects.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/scoped_handles.h"
#include "fake_channel_service.h"
#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/launch_outcome.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/msgdlg_driver.h"
#include "tools/harness/observed_values.h"
#include "trace_log.h"

namespace {

const wchar_t* const kInstanceMutex = expected::kInstanceMutex;

class LauncherDecision : public ::testing::Test {
 protected:
  LauncherDecision() { world.Env()[L"QUARNEL_TRACE"] = TracePath(); }
  // Beside the stand-ins' log, outside the temporary folder some tests move.
  std::wstring TracePath() { return world.LogPath() + L".trace"; }
  std::vector<TraceLine> Trace() { return ReadTraceLog(TracePath()); }

  LauncherWorld world{L"decision"};
};

TEST_F(LauncherDecision, FreshMachineInstallsThenTheInstalledCopyHandsOff) {
  NamedEvent release(L"QuarnelTestReleaseInstaller");
  world.Env()[L"QUARNEL_STANDIN_WAIT_EVENT"] = release.Name();
  ChildProcess launcher;
  ASSERT_TRUE(world.Start(launcher, world.DownloadedLauncher()));
  ASSERT_TRUE(world.WaitForRecord(L"installer-installed"));

  // The launcher waits for its installer and keeps the instance mutex.
  EXPECT_FALSE(launcher.Wait(300));
  EXPECT_TRUE(MutexExists(kInstanceMutex));
  EXPECT_TRUE(MutexExists(expected::kStartupMutex));
  release.Set();
  ASSERT_TRUE(launcher.Wait(30000));
  EXPECT_EQ(0u, launcher.ExitCode());
  EXPECT_FALSE(MutexExists(kInstanceMutex));
  EXPECT_FALSE(MutexExists(expected::kStartupMutex));

  const std::wstring copy = world.TempDir() + L"\\Quarnel_Setup1.exe";
  const auto starts = RecordsOf(world.Records(), L"installer-start");
  ASSERT_EQ(1u, starts.size());
  EXPECT_TRUE(SamePath(copy, starts[0].Field(L"program"))) << starts[0].Field(L"program");
  EXPECT_TRUE(SamePath(world.TempDir(), starts[0].Field(L"cwd"))) << starts[0].Field(L"cwd");
  EXPECT_TRUE(SamePath(world.DownloadedLauncher(), starts[0].Field(L"parent")))
      << starts[0].Field(L"parent");
  // Started through the shell with the quoted path and no arguments.
  EXPECT_EQ(0, _wcsicmp((L"\"" + copy + L"\"").c_str(), starts[0].Field(L"cmdline").c_str()))
      << starts[0].Field(L"cmdline");
  EXPECT_TRUE(SamePath(copy, SetupPathValue())) << SetupPathValue();

  // The copy is the payload, byte for byte, at the product installer's size.
  std::string written, payload;
  ASSERT_TRUE(ReadWholeFile(copy, &written));
  EXPECT_EQ(8527640u, written.size());
  std::string launcherBytes;
  ASSERT_TRUE(ReadWholeFile(world.DownloadedLauncher(), &launcherBytes));
  EXPECT_NE(std::string::npos, launcherBytes.find(written.substr(0, 4096)));

  // Second start, of the installed copy: straight to the main application.
  world.Env().erase(L"QUARNEL_STANDIN_WAIT_EVENT");
  EXPECT_EQ(0u, world.Run(world.InstallDir() + L"\\Quarnel.exe"));
  ASSERT_TRUE(world.WaitForRecord(L"zelvane-start"));
  const auto handoffs = RecordsOf(world.Records(), L"zelvane-start");
  ASSERT_EQ(1u, handoffs.size());
  EXPECT_TRUE(SamePath(world.InstallDir() + L"\\Zelvane.exe", handoffs[0].Field(L"program")));
  EXPECT_TRUE(SamePath(world.InstallDir(), handoffs[0].Field(L"cwd")));
  EXPECT_EQ(1u, RecordsOf(world.Records(), L"installer-start").size());
}

TEST_F(LauncherDecision, SameVersionHandsOffWithoutWaiting) {
  world.InstallProduct(L"1.40.0300");
  NamedEvent release(L"QuarnelTestReleaseZelvane");
  world.Env()[L"QUARNEL_STANDIN_WAIT_EVENT"] = release.Name();
  // Started from another folder: the main application still comes from the
  // installed copy's folder.
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  ASSERT_TRUE(world.WaitForRecord(L"zelvane-start"));
  const auto records = world.Records();
  ASSERT_EQ(1u, records.size());
  EXPECT_TRUE(SamePath(world.InstallDir() + L"\\Zelvane.exe", records[0].Field(L"program")));
  EXPECT_TRUE(SamePath(world.InstallDir(), records[0].Field(L"cwd")));
  EXPECT_EQ(L"\"" + world.InstallDir() + L"\\Zelvane.exe\"", records[0].Field(L"cmdline"));
  EXPECT_TRUE(SetupPathValue().empty());
}

std::wstring Backslashed(std::wstring path) {
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return path;
}

TEST_F(LauncherDecision, ForwardSlashesInTheInstallLocationHandOffFromThatFolder) {
  world.InstallProduct(L"=");
  // "X:\\...\\installed/" and "X:/.../installed/": the detection accepts both.
  std::wstring allForward = world.InstallDir() + L"/";
  for (wchar_t& c : allForward) c = c == L'\\' ? L'/' : c;
  for (const std::wstring& location : {world.InstallDir() + L"/", allForward}) {
    WriteUninstallKey(location);
    bool shellSpoke = false;
    EXPECT_EQ(0u, RunAnsweringDialogs(world, world.DownloadedLauncher(), L"", &shellSpoke))
        << location;
  }
  ASSERT_TRUE(world.WaitForRecord(L"zelvane-start", 30000, 2));
  for (const StandinRecord& start : RecordsOf(world.Records(), L"zelvane-start")) {
    EXPECT_TRUE(
        SamePath(world.InstallDir() + L"\\Zelvane.exe", Backslashed(start.Field(L"program"))))
        << start.Field(L"program");
    EXPECT_TRUE(SamePath(world.InstallDir(), Backslashed(start.Field(L"cwd"))))
        << start.Field(L"cwd");
  }
}

TEST_F(LauncherDecision, ALocationThatIsNoFolderInstallsInsteadOfStartingBesideTheDownload) {
  world.InstallProduct(L"=");
  world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
  // Where the shell would look first for a bare or relative name.
  ASSERT_TRUE(CopyFileW((world.InstallDir() + L"\\Zelvane.exe").c_str(),
                        (world.DownloadDir() + L"\\Zelvane.exe").c_str(), FALSE));
  const wchar_t* const locations[] = {L"", L".", L"installed", L"\\installed"};
  for (const wchar_t* location : locations) {
    WriteUninstallKey(location);
    EXPECT_EQ(0u, world.Run(world.DownloadedLauncher())) << location;
  }
  EXPECT_EQ(4u, RecordsOf(world.Records(), L"installer-start").size());
  EXPECT_TRUE(RecordsOf(world.Records(), L"zelvane-start").empty());
  EXPECT_EQ(4u, TraceMessages(Trace(), L"decision: install, product not installed").size())
      << TraceText(Trace());
}

TEST_F(LauncherDecision, ListAndExpandableLocationsNameTheInstalledFolder) {
  world.InstallProduct(L"=");
  world.Env()[L"QUARNEL_TEST_PRODUCT"] = world.InstallDir();
  WriteUninstallKey(world.InstallDir(), REG_MULTI_SZ);
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  WriteUninstallKey(L"%QUARNEL_TEST_PRODUCT%", REG_EXPAND_SZ);
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  ASSERT_TRUE(world.WaitForRecord(L"zelvane-start", 30000, 2));
  for (const StandinRecord& start : RecordsOf(world.Records(), L"zelvane-start")) {
    EXPECT_TRUE(SamePath(world.InstallDir() + L"\\Zelvane.exe", start.Field(L"program")))
        << start.Field(L"program");
  }
  EXPECT_TRUE(RecordsOf(world.Records(), L"installer-start").empty());
}

TEST_F(LauncherDecision, NewerInstalledProductHandsOff) {
  world.InstallProduct(L"2.00.0100");
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  ASSERT_TRUE(world.WaitForRecord(L"zelvane-start"));
  EXPECT_TRUE(RecordsOf(world.Records(), L"installer-start").empty());
}

TEST_F(LauncherDecision, ForceSwitchInstallsOverTheSameVersion) {
  world.InstallProduct(L"=");
  world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher(), L"-P"));
  EXPECT_EQ(1u, RecordsOf(world.Records(), L"installer-start").size());
  EXPECT_TRUE(RecordsOf(world.Records(), L"zelvane-start").empty());
}

TEST_F(LauncherDecision, OtherSwitchesTakeTheNormalDecision) {
  world.InstallProduct(L"=");
  for (const wchar_t* args : {L"-p", L"/P", L"\"-P\"", L"-P -x"}) {
    EXPECT_EQ(0u, world.Run(world.DownloadedLauncher(), args)) << args;
  }
  EXPECT_TRUE(world.WaitForRecord(L"zelvane-start", 30000, 4));
  EXPECT_TRUE(RecordsOf(world.Records(), L"installer-start").empty());
  EXPECT_EQ(4u, RecordsOf(world.Records(), L"zelvane-start").size());
}

TEST_F(LauncherDecision, SecondLauncherEndsAtOnceWhileTheFirstInstalls) {
  NamedEvent release(L"QuarnelTestReleaseInstaller2");
  world.Env()[L"QUARNEL_STANDIN_WAIT_EVENT"] = release.Name();
  world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
  ChildProcess first;
  ASSERT_TRUE(world.Start(first, world.DownloadedLauncher()));
  ASSERT_TRUE(world.WaitForRecord(L"installer-start"));

  world.InstallProduct(L"=");  // would otherwise hand off
  // A forced install too installed nothing: a deployment tool is told to try
  // again later, not that it is done.
  for (const wchar_t* args : {L"", L"-P"}) {
    ChildProcess second;
    ASSERT_TRUE(world.Start(second, world.DownloadedLauncher(), args));
    ASSERT_TRUE(second.Wait(30000));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSTALL_ALREADY_RUNNING), second.ExitCode()) << args;
    EXPECT_TRUE(second.Windows().empty());
    EXPECT_EQ(1u, TraceMessages(Trace(), L"instance: busy", second.Id()).size())
        << TraceText(Trace());
    EXPECT_TRUE(TraceMessages(Trace(), L"decision:", second.Id()).empty());
  }
  EXPECT_FALSE(first.Wait(0));
  EXPECT_TRUE(MutexExists(kInstanceMutex));

  release.Set();
  ASSERT_TRUE(first.Wait(30000));
  EXPECT_EQ(0u, first.ExitCode());
  EXPECT_FALSE(MutexExists(kInstanceMutex));
  EXPECT_EQ(1u, RecordsOf(world.Records(), L"installer-start").size());
  EXPECT_TRUE(RecordsOf(world.Records(), L"zelvane-start").empty());
}

// Another account's launcher (a deployment as SYSTEM while the person starts
// the product) made the instance mutex with rights this account lacks: an
// access list that lets nobody open it stands for those rights. Installing
// beside it is what the mutex is there to prevent.
TEST_F(LauncherDecision, ALauncherOfAnotherAccountCountsAsRunning) {
  SECURITY_DESCRIPTOR sd = {};
  ACL acl = {};
  ASSERT_TRUE(InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(InitializeAcl(&acl, sizeof(acl), ACL_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE));
  SECURITY_ATTRIBUTES sa = {sizeof(sa), &sd, FALSE};
  const ScopedHandle othersMutex(CreateMutexW(&sa, FALSE, kInstanceMutex));
  ASSERT_TRUE(othersMutex.Valid());
  ASSERT_FALSE(ScopedHandle(CreateMutexW(nullptr, FALSE, kInstanceMutex)).Valid())
      << "this Wine lets every account open it";
  for (const wchar_t* args : {L"", L"-P"}) {
    ChildProcess launcher;
    ASSERT_TRUE(world.Start(launcher, world.DownloadedLauncher(), args));
    ASSERT_TRUE(launcher.Wait(30000));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSTALL_ALREADY_RUNNING), launcher.ExitCode()) << args;
    EXPECT_EQ(1u, TraceMessages(Trace(), L"instance: busy, another account's launcher runs",
                                launcher.Id())
                      .size())
        << TraceText(Trace());
  }
  EXPECT_TRUE(world.Records().empty());
}

TEST_F(LauncherDecision, WindowsBelowSixPointOneStopsBeforeLookingForTheProduct) {
  world.InstallProduct(L"=");
  for (const wchar_t* version : {L"winxp", L"vista"}) {
    SetReportedWindowsVersion(version);
    bool dialogShown = false;
    EXPECT_EQ(13u, RunAnsweringDialogs(world, world.DownloadedLauncher(), L"", &dialogShown))
        << version;
    EXPECT_TRUE(dialogShown) << version;
    // Give a hand-off the time it would need to show up.
    EXPECT_FALSE(world.WaitForRecord(L"zelvane-start", 1000)) << version;
    EXPECT_TRUE(world.Records().empty()) << version;
  }
  const auto lines = Trace();
  EXPECT_EQ(1u, TraceMessages(lines, L"windows: 5.1 unsupported").size()) << TraceText(lines);
  EXPECT_EQ(1u, TraceMessages(lines, L"windows: 6.0 unsupported").size()) << TraceText(lines);
  EXPECT_EQ(2u, TraceMessages(lines, L"unsupported: message shown").size()) << TraceText(lines);
  EXPECT_TRUE(TraceMessages(lines, L"installed:").empty()) << "the product was looked up";
}

TEST_F(LauncherDecision, WindowsSevenAndTenGoOn) {
  world.InstallProduct(L"=");
  for (const wchar_t* version : {L"win7", L"win10"}) {
    SetReportedWindowsVersion(version);
    EXPECT_EQ(0u, world.Run(world.DownloadedLauncher())) << version;
  }
  ASSERT_TRUE(world.WaitForRecord(L"zelvane-start", 30000, 2));
  EXPECT_EQ(2u, RecordsOf(world.Records(), L"zelvane-start").size());
}

TEST_F(LauncherDecision, MissingPayloadTargetFolderEndsWithTheNotWrittenCode) {
  // A temporary folder that does not exist: the copy cannot be written, so
  // nothing is recorded or started, and the launcher says so (10).
  world.Env()[L"TEMP"] = world.TempDir() + L"\\missing";
  world.Env()[L"TMP"] = world.TempDir() + L"\\missing";
  bool dialogShown = false;
  EXPECT_EQ(10u, RunAnsweringDialogs(world, world.DownloadedLauncher(), L"", &dialogShown));
  EXPECT_TRUE(dialogShown);
  EXPECT_TRUE(world.Records().empty());
  EXPECT_TRUE(SetupPathValue().empty());
  EXPECT_EQ(1u, TraceMessages(Trace(), L"deploy: installer copy failed, error 3").size())
      << TraceText(Trace());
}

TEST_F(LauncherDecision, AnOverlongTemporaryFolderEndsTheDeploymentBeforeAnythingIsWritten) {
  // Wine answers a TMP of 259 characters with GetTempPathW = 0, error 206.
  const std::wstring overlong = L"C:\\" + std::wstring(256, L't');
  world.Env()[L"TEMP"] = overlong;
  world.Env()[L"TMP"] = overlong;
  ChildProcess launcher;
  ASSERT_TRUE(launcher.Start(world.DownloadedLauncher(), L"", world.Env(), world.DownloadDir()));
  const HWND message = WaitForProcessDialog(launcher.Id(), nullptr, 60000);
  EXPECT_TRUE(message);
  if (message) PostMessageW(message, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(launcher.Wait(60000));
  EXPECT_EQ(10u, launcher.ExitCode());
  EXPECT_FALSE(FileExists(world.DownloadDir() + L"\\Quarnel_Setup1.exe"))
      << "the installer was written to the current folder";
  EXPECT_TRUE(world.Records().empty());
  EXPECT_TRUE(SetupPathValue().empty());
  EXPECT_EQ(1u, TraceMessages(Trace(), L"deploy: GetTempPathW failed, error 206").size())
      << TraceText(Trace());
}

TEST_F(LauncherDecision, InstalledFolderWithoutMainApplicationEndsWithTheHandOffCode) {
  world.InstallProduct(L"=");
  DeleteFileW((world.InstallDir() + L"\\Zelvane.exe").c_str());
  // The launcher's own message, not the shell's (see launcher_failures_test).
  bool dialogShown = false;
  EXPECT_EQ(12u, RunAnsweringDialogs(world, world.DownloadedLauncher(), L"", &dialogShown));
  EXPECT_TRUE(dialogShown);
  EXPECT_TRUE(world.Records().empty());
  EXPECT_EQ(1u, TraceMessages(Trace(), L"hand-off: ShellExecuteExW failed, error ").size())
      << TraceText(Trace());
}

}  // namespace
