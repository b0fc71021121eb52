// The sample product's real NSIS installer as the download's payload, through
// the product's life: a fresh install into Program Files, the hand-off from
// the installed copy and from the download, the accepted update question, the
// uninstaller and a second install; and the installer's exit codes becoming
// the launcher's.
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/launch_outcome.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/msgdlg_driver.h"
#include "tools/harness/observed_values.h"
#include "tools/harness/payload_resource.h"
#include "tools/harness/scratch_dir.h"
#include "tools/harness/utf8.h"
#include "tools/harness/version_resource.h"

namespace {

const wchar_t kOlderVersion[] = L"1.30.0315";

std::wstring ProductDir() { return SampleProductDir(); }
std::wstring Installed(const wchar_t* name) { return ProductDir() + L"\\" + name; }

std::wstring SampleInstaller(const wchar_t* name) {
  return std::wstring(QUARNEL_TEST_BIN_DIR) + L"\\installer\\" + name;
}

std::wstring KeyValue(const wchar_t* name) {
  return StringValueIn(HKEY_LOCAL_MACHINE, expected::kUninstallKey, name, KEY_WOW64_32KEY);
}

// True while a process whose image name starts with `prefix` runs.
bool ProcessRunning(const std::wstring& prefix) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    found = _wcsnicmp(entry.szExeFile, prefix.c_str(), prefix.size()) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

// Checks `done` every 100 ms for at most `ms`; true once it holds.
template <typename Condition>
bool WaitUntil(Condition done, DWORD ms = 30000) {
  for (const DWORD start = GetTickCount(); !done(); Sleep(100)) {
    if (GetTickCount() - start > ms) return false;
  }
  return true;
}

// What an earlier run or a failed test left in Program Files, a file that
// blocks the folder included.
void RemoveProductFolder() {
  for (const wchar_t* name : {L"Quarnel.exe", L"Zelvane.exe", L"uninstall.exe"}) {
    DeleteFileW(Installed(name).c_str());
  }
  RemoveDirectoryW(ProductDir().c_str());
  DeleteFileW(ProductDir().c_str());
  RemoveDirectoryW((ProductDir() + L"\\..").c_str());
}

std::string Bytes(const std::wstring& path) {
  std::string bytes;
  ReadWholeFile(path, &bytes);
  return bytes;
}

class RealInstaller : public ::testing::Test {
 protected:
  RealInstaller() { RemoveProductFolder(); }
  ~RealInstaller() override { RemoveProductFolder(); }

  // The download carries `installer` as its payload.
  void Download(LauncherWorld& machine, const wchar_t* installer) {
    ASSERT_TRUE(ReplacePayload(machine.DownloadedLauncher(), SampleInstaller(installer)));
  }

  // The product as the installer leaves it, with the launcher that ran it.
  void ExpectInstalledBy(const std::wstring& launcher) {
    EXPECT_EQ(Bytes(launcher), Bytes(Installed(L"Quarnel.exe")));
    EXPECT_TRUE(FileExists(Installed(L"Zelvane.exe")));
    const std::wstring uninstaller = L"\"" + Installed(L"uninstall.exe") + L"\"";
    const struct {
      const wchar_t* name;
      std::wstring value;
    } values[] = {
        {L"DisplayName", L"Zelvane"},
        {L"InstallLocation", ProductDir()},
        {L"UninstallString", uninstaller},
        {L"QuietUninstallString", uninstaller + L" /S"},
        {L"DisplayVersion", FileVersionOf(launcher)},
        {L"Publisher", L"Velmora"},
    };
    for (const auto& expectedValue : values) {
      EXPECT_EQ(expectedValue.value, KeyValue(expectedValue.name)) << ToUtf8(expectedValue.name);
    }
  }

  // Runs the download on the machine, accepting the update question.
  DWORD RunAcceptingTheQuestion() {
    ChildProcess launcher;
    if (!world.Start(launcher, world.DownloadedLauncher())) return static_cast<DWORD>(-1);
    const HWND question = WaitForProcessDialog(launcher.Id());
    if (question) ClickAt(question, 216, 292);  // OK
    if (!launcher.Wait(60000)) launcher.Kill();
    EXPECT_TRUE(question) << "no update question";
    return launcher.ExitCode();
  }

  void ExpectHandOffFrom(const std::wstring& launcher, size_t count) {
    ASSERT_TRUE(world.WaitForRecord(L"zelvane-start", 30000, count));
    const StandinRecord start = RecordsOf(world.Records(), L"zelvane-start").back();
    EXPECT_TRUE(SamePath(Installed(L"Zelvane.exe"), start.Field(L"program")))
        << start.Field(L"program");
    EXPECT_TRUE(SamePath(launcher, start.Field(L"parent"))) << start.Field(L"parent");
  }

  LauncherWorld world{L"real-installer"};
};

TEST_F(RealInstaller, InstallsHandsOffUpdatesUninstallsAndInstallsAgain) {
  Download(world, L"Zelvane_Setup.exe");
  const std::wstring download = world.DownloadedLauncher();

  EXPECT_EQ(0u, world.Run(download));
  // The installer had ended, and left the product, when the launcher did.
  EXPECT_FALSE(ProcessRunning(L"Quarnel_Setup"));
  EXPECT_TRUE(SamePath(world.TempDir() + L"\\Quarnel_Setup1.exe", SetupPathValue()));
  EXPECT_EQ(Bytes(SampleInstaller(L"Zelvane_Setup.exe")), Bytes(SetupPathValue()));
  ExpectInstalledBy(download);

  EXPECT_EQ(0u, world.Run(Installed(L"Quarnel.exe")));
  ExpectHandOffFrom(Installed(L"Quarnel.exe"), 1);
  EXPECT_EQ(0u, world.Run(download));
  ExpectHandOffFrom(download, 2);

  std::wstring error;
  ASSERT_TRUE(WriteVersionedCopy(download, Installed(L"Quarnel.exe"),
                                 BuildVersionResource(kOlderVersion), &error))
      << ToUtf8(error);
  EXPECT_EQ(0u, RunAcceptingTheQuestion());
  EXPECT_TRUE(SamePath(world.TempDir() + L"\\Quarnel_Setup2.exe", SetupPathValue()));
  ExpectInstalledBy(download);

  // The uninstaller goes on in a copy of itself and returns at once.
  ChildProcess uninstaller;
  ASSERT_TRUE(uninstaller.Start(Installed(L"uninstall.exe"), L"/S", {}));
  EXPECT_TRUE(WaitUntil([] {
    return !FileExists(ProductDir()) && KeyValue(L"DisplayName").empty() &&
           KeyValue(L"InstallLocation").empty();
  })) << "the uninstaller left the product";

  EXPECT_EQ(0u, world.Run(download));
  EXPECT_TRUE(SamePath(world.TempDir() + L"\\Quarnel_Setup3.exe", SetupPathValue()));
  ExpectInstalledBy(download);
  EXPECT_EQ(2u, RecordsOf(world.Records(), L"zelvane-start").size());
}

// The installer's exit code is the launcher's, for the tool that ran it.
TEST_F(RealInstaller, TheInstallersExitCodeIsTheLaunchers) {
  const struct {
    const wchar_t* installer;
    bool folderBlocked;  // a file where the install folder goes
    DWORD exitCode;
  } cases[] = {
      {L"Zelvane_Setup.exe", false, 0},
      {L"Zelvane_Setup.exe", true, 1603},          // ERROR_INSTALL_FAILURE
      {L"Zelvane_Setup_Reboot.exe", false, 3010},  // ERROR_SUCCESS_REBOOT_REQUIRED
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(ToUtf8(row.installer) + (row.folderBlocked ? ", folder blocked" : ""));
    RemoveProductFolder();
    LauncherWorld machine(L"real-installer-exit");
    Download(machine, row.installer);
    if (row.folderBlocked) {
      CreateDirectoryW((ProductDir() + L"\\..").c_str(), nullptr);
      ASSERT_TRUE(WriteWholeFile(ProductDir(), "not a folder"));
    }
    EXPECT_EQ(row.exitCode, machine.Run(machine.DownloadedLauncher()));
    EXPECT_EQ(!row.folderBlocked, FileExists(Installed(L"Quarnel.exe")));
    EXPECT_EQ(row.folderBlocked, KeyValue(L"DisplayName").empty());
  }
}

// Started by hand, not by the launcher, it has no launcher to install. (Not
// from this program: test programs carry the launcher's version resource.)
TEST_F(RealInstaller, StartedByAnythingButTheLauncherInstallsNothing) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_NE(0u, GetSystemDirectoryW(system, MAX_PATH));
  ChildProcess shell;
  ASSERT_TRUE(shell.Start(std::wstring(system) + L"\\cmd.exe",
                          L"/c start \"\" /wait \"" + SampleInstaller(L"Zelvane_Setup.exe") + L"\"",
                          {}));
  ASSERT_TRUE(shell.Wait(30000));
  EXPECT_EQ(1603u, shell.ExitCode());
  EXPECT_FALSE(FileExists(ProductDir()));
  EXPECT_TRUE(KeyValue(L"DisplayName").empty());
}

}  // namespace
