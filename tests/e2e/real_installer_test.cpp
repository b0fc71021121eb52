// The sample product's real NSIS installer as the download's payload, through
// the product's life: a fresh install into Program Files, the hand-off from
// the installed copy and from the download, the accepted update question, the
// uninstaller and a second install; the installer's exit codes becoming
// the launcher's; nothing changed while Zelvane.exe runs; -P and the repair
// offer from the product's folder.
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/hidden_desktop.h"
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

// Everything of the product a failed run must leave as it was: the files'
// bytes and the uninstall key's values.
std::vector<std::string> ProductState() {
  std::vector<std::string> state;
  for (const wchar_t* name : {L"Quarnel.exe", L"Zelvane.exe", L"uninstall.exe"}) {
    state.push_back(Bytes(Installed(name)));
  }
  for (const wchar_t* name : {L"DisplayName", L"InstallLocation", L"DisplayVersion"}) {
    state.push_back(ToUtf8(KeyValue(name)));
  }
  return state;
}

// The uninstaller run in place (NSIS's _?=), so that its exit code is its
// caller's to read.
DWORD UninstallInPlace() {
  ChildProcess uninstaller;
  if (!uninstaller.Start(Installed(L"uninstall.exe"), L"/S _?=" + ProductDir(), {})) return 0;
  if (!uninstaller.Wait(30000)) uninstaller.Kill();
  return uninstaller.ExitCode();
}

// The product's Zelvane.exe running, as the hand-off leaves it, until the
// object goes.
class RunningZelvane {
 public:
  RunningZelvane() {
    m_process.Start(Installed(L"Zelvane.exe"), L"",
                    {{L"QUARNEL_STANDIN_WAIT_EVENT", m_release.Name()},
                     {L"QUARNEL_STANDIN_STARTED_EVENT", m_started.Name()}},
                    ProductDir());
  }
  ~RunningZelvane() {
    m_release.Set();
    if (!m_process.Wait(30000)) m_process.Kill();
  }
  bool Started() { return m_started.Wait(30000); }

 private:
  NamedEvent m_release{L"QuarnelTestReleaseRunningZelvane"};
  NamedEvent m_started{L"QuarnelTestRunningZelvaneStarted"};
  ChildProcess m_process;
};

std::wstring Catalogue(UINT baseId, int language) {
  const wchar_t* text = nullptr;
  const int length =
      LoadStringW(nullptr, baseId + 1000 * language, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
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

  // Runs the installed launcher on `desktop` (empty: this one's), answering
  // a dialog by a click at (`x`, 292); the exit code, and what was asked.
  DWORD RunInstalledAnswering(int x, const std::wstring& desktop, std::wstring* asked) {
    ChildProcess launcher;
    if (!launcher.Start(Installed(L"Quarnel.exe"), L"", world.Env(), L"", desktop)) return 0;
    const HWND question = desktop.empty() ? WaitForProcessDialog(launcher.Id()) : nullptr;
    if (question) {
      *asked = ReadChild(question, IDC_MSG_TEXT).text;
      ClickAt(question, x, 292);
    }
    for (int i = 0; i < 600 && !launcher.Wait(100); ++i) {
      for (HWND window : launcher.Windows()) {
        EXPECT_EQ(question, window) << "a second window";
        if (window != question) PostMessageW(window, WM_CLOSE, 0, 0);
      }
    }
    if (!launcher.Wait(0)) launcher.Kill();
    return launcher.ExitCode();
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

// While Zelvane.exe runs, neither the accepted update nor the uninstaller
// changes anything, and both end with 1603; the installed launcher keeps the
// old version, so once Zelvane.exe has ended the update is offered again.
TEST_F(RealInstaller, WhileZelvaneRunsNothingChangesAndTheUpdateIsOfferedAgain) {
  Download(world, L"Zelvane_Setup.exe");
  const std::wstring download = world.DownloadedLauncher();
  ASSERT_EQ(0u, world.Run(download));
  std::wstring error;
  ASSERT_TRUE(WriteVersionedCopy(download, Installed(L"Quarnel.exe"),
                                 BuildVersionResource(kOlderVersion), &error))
      << ToUtf8(error);
  const std::vector<std::string> before = ProductState();
  {
    RunningZelvane running;
    ASSERT_TRUE(running.Started());
    const struct {
      const char* name;
      std::function<DWORD()> run;
    } rows[] = {
        {"the accepted update", [this] { return RunAcceptingTheQuestion(); }},
        {"the uninstaller", UninstallInPlace},
    };
    for (const auto& row : rows) {
      SCOPED_TRACE(row.name);
      EXPECT_EQ(1603u, row.run());
      EXPECT_TRUE(before == ProductState()) << "the product changed";
      EXPECT_EQ(kOlderVersion, FileVersionOf(Installed(L"Quarnel.exe")));
    }
  }
  EXPECT_EQ(0u, RunAcceptingTheQuestion());
  ExpectInstalledBy(download);
}

// -P from the product's folder: its launcher stays, the rest is written again.
TEST_F(RealInstaller, ForcedFromTheProductsFolderWritesTheProductAgain) {
  Download(world, L"Zelvane_Setup.exe");
  ASSERT_EQ(0u, world.Run(world.DownloadedLauncher()));
  ASSERT_TRUE(DeleteFileW(Installed(L"Zelvane.exe").c_str()));
  ASSERT_TRUE(DeleteFileW(Installed(L"uninstall.exe").c_str()));
  EXPECT_EQ(0u, world.Run(Installed(L"Quarnel.exe"), L"-P"));
  ExpectInstalledBy(world.DownloadedLauncher());
  EXPECT_TRUE(FileExists(Installed(L"uninstall.exe")));
}

// Zelvane.exe gone, the installed launcher offers to repair the product, in
// the language of the user's locale: OK runs the install branch as -P does,
// with the sample's installer; Cancel ends with 12 and says nothing more;
// nobody to see the question, 12 without one.
TEST_F(RealInstaller, AMissingZelvaneIsRepairedWhenThePersonAccepts) {
  Download(world, L"Zelvane_Setup.exe");
  ASSERT_EQ(0u, world.Run(world.DownloadedLauncher()));
  const HiddenDesktop hidden;
  const struct {
    const char* name;
    int clickX;  // Cancel, OK; 0: nobody to see
    DWORD exitCode;
  } rows[] = {{"declined", 364, 12}, {"nobody to see", 0, 12}, {"accepted", 216, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.clickX == 0 && !hidden.Usable()) {
      EXPECT_TRUE(hidden.Visible()) << "no window station of the test's own";
      continue;  // this Wine shows every station: nobody-to-see cannot be made
    }
    DeleteFileW(Installed(L"Zelvane.exe").c_str());
    std::wstring asked;
    EXPECT_EQ(row.exitCode,
              RunInstalledAnswering(row.clickX, row.clickX ? L"" : hidden.Name(), &asked));
    const int language = ExpectedLanguageOfLocale(GetUserDefaultLCID());
    EXPECT_EQ(row.clickX ? Catalogue(IDS_MSG_REPAIR_QUESTION, language) : L"", asked);
    EXPECT_EQ(row.exitCode == 0, FileExists(Installed(L"Zelvane.exe")));
  }
  EXPECT_TRUE(SamePath(world.TempDir() + L"\\Quarnel_Setup2.exe", SetupPathValue()));
  ExpectInstalledBy(world.DownloadedLauncher());
  EXPECT_EQ(0u, world.Run(Installed(L"Quarnel.exe")));
  ExpectHandOffFrom(Installed(L"Quarnel.exe"), 1);
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
