// The real Quarnel.exe on 64-bit Windows, observed from outside: which
// registry view holds the product, where "SetupPath" lands, the path notices
// at the 64-bit service with ten launchers at once, and the 64-bit programs
// it starts (the main application, and an installer built for 64 bits).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/launch_outcome.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/observed_values.h"
#include "tools/harness/payload_resource.h"
#include "tools/harness/scratch_dir.h"
#include "tools/harness/standin_service_process.h"

namespace {

// The uninstall key's "InstallLocation" in registry view `view`.
std::wstring InstallLocationIn(REGSAM view) {
  return StringValueIn(HKEY_LOCAL_MACHINE, expected::kUninstallKey, L"InstallLocation", view);
}

void WriteUninstallKeyIn64BitView(const std::wstring& installLocation) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, expected::kUninstallKey, 0, nullptr, 0,
                            KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr));
  RegSetValueExW(key, L"InstallLocation", 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(installLocation.c_str()),
                 static_cast<DWORD>((installLocation.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void DeleteUninstallKeyIn(REGSAM view) {
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, expected::kUninstallKey, view, 0);
}

// "SetupPath" as a 64-bit program reads it.
std::wstring SetupPathFor64BitReader() {
  return StringValueIn(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath", KEY_WOW64_64KEY);
}

// How many of `processes` still run once the others have ended or `ms`
// have passed.
size_t RunningAfter(std::vector<ChildProcess>& processes, DWORD ms) {
  const DWORD start = GetTickCount();
  size_t running = processes.size();
  do {
    running = 0;
    for (ChildProcess& process : processes) running += process.Wait(0) ? 0 : 1;
    if (running <= 1) break;
    Sleep(100);
  } while (GetTickCount() - start < ms);
  return running;
}

class Wow64Launcher : public ::testing::Test {
 protected:
  ~Wow64Launcher() override { DeleteUninstallKeyIn(KEY_WOW64_64KEY); }

  LauncherWorld world{L"wow64"};
};

TEST_F(Wow64Launcher, TheUninstallKeyIsReadFromThe32BitView) {
  world.InstallProduct(L"=");
  ASSERT_TRUE(SamePath(world.InstallDir(), InstallLocationIn(KEY_WOW64_32KEY)));
  ASSERT_TRUE(InstallLocationIn(KEY_WOW64_64KEY).empty())
      << "the 64-bit view shows the 32-bit one's key";
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  EXPECT_TRUE(world.WaitForRecord(L"zelvane-start"));
  EXPECT_TRUE(RecordsOf(world.Records(), L"installer-start").empty());
}

TEST_F(Wow64Launcher, TheSameKeyInThe64BitViewOnlyIsNotTheProduct) {
  world.InstallProduct(L"=");
  DeleteUninstallKeyIn(KEY_WOW64_32KEY);
  WriteUninstallKeyIn64BitView(world.InstallDir());
  ASSERT_TRUE(InstallLocationIn(KEY_WOW64_32KEY).empty());
  world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  EXPECT_EQ(1u, RecordsOf(world.Records(), L"installer-start").size());
  EXPECT_TRUE(RecordsOf(world.Records(), L"zelvane-start").empty());
}

TEST_F(Wow64Launcher, SetupPathIsWhereA64BitReaderFindsIt) {
  world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  ASSERT_EQ(1u, RecordsOf(world.Records(), L"installer-start").size());
  EXPECT_TRUE(SamePath(world.TempDir() + L"\\Quarnel_Setup1.exe", SetupPathFor64BitReader()))
      << SetupPathFor64BitReader();
}

TEST_F(Wow64Launcher, TheHandOffStartsThe64BitMainApplicationInTheProductFolder) {
  world.InstallProduct(L"=");
  EXPECT_EQ(0u, world.Run(world.DownloadedLauncher()));
  ASSERT_TRUE(world.WaitForRecord(L"zelvane-start"));
  const auto starts = RecordsOf(world.Records(), L"zelvane-start");
  ASSERT_EQ(1u, starts.size());
  EXPECT_EQ(L"64", starts[0].Field(L"bits"));
  EXPECT_TRUE(SamePath(world.InstallDir() + L"\\Zelvane.exe", starts[0].Field(L"program")))
      << starts[0].Field(L"program");
  EXPECT_TRUE(SamePath(world.InstallDir(), starts[0].Field(L"cwd"))) << starts[0].Field(L"cwd");
}

TEST_F(Wow64Launcher, TenLaunchersAgainstThe64BitServiceStartOneInstallerAndNoticeIntact) {
  const std::wstring serviceLog = world.LogPath() + L".service";
  StandinService service;
  ASSERT_TRUE(service.Start(L"--status 0 --log \"" + serviceLog + L"\""));
  NamedEvent release(L"QuarnelTestReleaseWow64Installer");
  world.Env()[L"QUARNEL_STANDIN_WAIT_EVENT"] = release.Name();
  world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
  std::vector<ChildProcess> launchers(10);
  for (ChildProcess& launcher : launchers) {
    ASSERT_TRUE(world.Start(launcher, world.DownloadedLauncher()));
  }
  ASSERT_TRUE(world.WaitForRecord(L"installer-start", 120000));
  // Every launcher but the one waiting for its installer ends by itself.
  EXPECT_EQ(1u, RunningAfter(launchers, 120000));
  release.Set();
  // The one that installed says so; the others did nothing and say so.
  size_t installed = 0, busy = 0;
  for (ChildProcess& launcher : launchers) {
    ASSERT_TRUE(launcher.Wait(60000));
    installed += launcher.ExitCode() == 0;
    busy += launcher.ExitCode() == ERROR_INSTALL_ALREADY_RUNNING;
  }
  EXPECT_EQ(1u, installed);
  EXPECT_EQ(9u, busy);
  EXPECT_EQ(1u, RecordsOf(world.Records(), L"installer-start").size());

  const auto requests = ReadServiceLog(serviceLog);
  ASSERT_EQ(2u, requests.size());
  EXPECT_TRUE(SamePath(world.DownloadedLauncher(), requests[0].Field(L"path")))
      << requests[0].Field(L"path");
  EXPECT_EQ(0, _wcsicmp(world.DownloadDir().c_str(), requests[1].Field(L"path").c_str()))
      << "the folder, without a trailing backslash: " << requests[1].Field(L"path");
  for (const ServiceLogEntry& request : requests) {
    EXPECT_EQ(L"253", request.Field(L"command"));
    EXPECT_EQ(L"536", request.Field(L"size"));
    EXPECT_EQ(L"zero", request.Field(L"tail"));
  }
}

TEST_F(Wow64Launcher, A64BitInstallerIsStartedAndWaitedForAndInstallsTheProduct) {
  ASSERT_TRUE(ReplacePayload(world.DownloadedLauncher(), StandinPath(L"standin_installer.exe")));
  NamedEvent release(L"QuarnelTestReleaseWow64Installer64");
  world.Env()[L"QUARNEL_STANDIN_WAIT_EVENT"] = release.Name();
  ChildProcess launcher;
  ASSERT_TRUE(world.Start(launcher, world.DownloadedLauncher()));
  ASSERT_TRUE(world.WaitForRecord(L"installer-installed", 120000));
  EXPECT_FALSE(launcher.Wait(300)) << "the launcher waits for its installer";
  release.Set();
  ASSERT_TRUE(launcher.Wait(60000));
  EXPECT_EQ(0u, launcher.ExitCode());

  const auto starts = RecordsOf(world.Records(), L"installer-start");
  ASSERT_EQ(1u, starts.size());
  EXPECT_EQ(L"64", starts[0].Field(L"bits"));
  EXPECT_EQ(L"ok", RecordsOf(world.Records(), L"installer-installed")[0].Field(L"result"));
  EXPECT_TRUE(SamePath(world.InstallDir(), InstallLocationIn(KEY_WOW64_32KEY)));

  world.Env().erase(L"QUARNEL_STANDIN_WAIT_EVENT");
  EXPECT_EQ(0u, world.Run(world.InstallDir() + L"\\Quarnel.exe"));
  ASSERT_TRUE(world.WaitForRecord(L"zelvane-start"));
  EXPECT_EQ(L"64", RecordsOf(world.Records(), L"zelvane-start")[0].Field(L"bits"));
}

}  // namespace
