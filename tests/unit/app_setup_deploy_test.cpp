// Writing the installer copy and recording it.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/private_folder.h"
#include "app/run_outcome.h"
#include "app/setup_deploy.h"
#include "own_payload.h"
#include "registry_sandbox.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/scratch_dir.h"

namespace {

TEST(FindFreeSetupPath, TakesTheFirstNameThatNamesNothing) {
  ScratchDir dir(L"names");
  wchar_t path[kDeployPathChars];
  ASSERT_TRUE(FindFreeSetupPath(dir.Path().c_str(), path));
  EXPECT_EQ(dir.File(L"Quarnel_Setup1.exe"), path);

  ASSERT_TRUE(WriteWholeFile(dir.File(L"Quarnel_Setup1.exe"), "x"));
  ASSERT_TRUE(WriteWholeFile(dir.File(L"Quarnel_Setup2.exe"), "x"));
  ASSERT_TRUE(FindFreeSetupPath(dir.Path().c_str(), path));
  EXPECT_EQ(dir.File(L"Quarnel_Setup3.exe"), path);

  // A folder of that name is taken as well.
  ASSERT_TRUE(CreateDirectoryW(dir.File(L"Quarnel_Setup3.exe").c_str(), nullptr));
  ASSERT_TRUE(FindFreeSetupPath((dir.Path() + L"\\").c_str(), path));
  EXPECT_EQ(dir.File(L"Quarnel_Setup4.exe"), path);
}

TEST(NextSetupNumber, StopsAtTheLastNumberInsteadOfWrapping) {
  DWORD n = 1;
  EXPECT_TRUE(NextSetupNumber(n));
  EXPECT_EQ(2u, n);
  n = kLastSetupNumber - 1;
  EXPECT_TRUE(NextSetupNumber(n));
  EXPECT_EQ(kLastSetupNumber, n);
  EXPECT_FALSE(NextSetupNumber(n));
  EXPECT_EQ(kLastSetupNumber, n);
}

TEST(FindFreeSetupPath, RefusesAFolderWhoseCandidatesWouldBeCut) {
  wchar_t path[kDeployPathChars];
  // 242 + 18 = 260 fits; one more character does not.
  const std::wstring fits = L"C:\\" + std::wstring(238, L'd') + L"\\";
  ASSERT_EQ(242u, fits.size());
  EXPECT_TRUE(FindFreeSetupPath(fits.c_str(), path));
  EXPECT_EQ(260u, wcslen(path));
  EXPECT_FALSE(FindFreeSetupPath((L"C:\\" + std::wstring(239, L'd') + L"\\").c_str(), path));
  EXPECT_STREQ(L"", path);
}

TEST(ExtractPayload, WritesTheResourceByteForByte) {
  const std::string payload = OwnPayload();
  ASSERT_GT(payload.size(), 1000u);
  ScratchDir dir(L"payload");
  ASSERT_TRUE(ExtractPayload(dir.File(L"Quarnel_Setup1.exe").c_str()));
  std::string written;
  ASSERT_TRUE(ReadWholeFile(dir.File(L"Quarnel_Setup1.exe"), &written));
  EXPECT_EQ(payload.size(), written.size());
  EXPECT_TRUE(payload == written);
}

TEST(ExtractPayload, NeverOverwritesWhatIsAlreadyThere) {
  // Another launcher's copy, or a file planted with an access list of its
  // maker's choosing: neither is truncated nor taken over.
  ScratchDir dir(L"payload");
  const std::string earlier(99, 'z');
  ASSERT_TRUE(WriteWholeFile(dir.File(L"Quarnel_Setup1.exe"), earlier));
  const StepResult refused = ExtractPayload(dir.File(L"Quarnel_Setup1.exe").c_str());
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(StepId::kSetupCopy, refused.step);
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), refused.error);
  std::string kept;
  ASSERT_TRUE(ReadWholeFile(dir.File(L"Quarnel_Setup1.exe"), &kept));
  EXPECT_EQ(earlier, kept);
}

// One launcher's claim of an installer copy, run on a thread of its own.
struct Claim {
  const std::wstring* folder;
  HANDLE start;
  wchar_t path[kDeployPathChars];
  StepResult result;
};

DWORD WINAPI ClaimOnThread(void* context) {
  Claim* claim = static_cast<Claim*>(context);
  WaitForSingleObject(claim->start, INFINITE);
  claim->result = WriteSetupCopy(claim->folder->c_str(), claim->path);
  return 0;
}

TEST(WriteSetupCopy, LaunchersThatFindTheSameFreeNameNeverShareACopy) {
  // Launchers that pass each other's instance mutex all find number 1 free;
  // each must still end with a whole copy of its own.
  const std::string payload = OwnPayload();
  constexpr int kLaunchers = 4;
  for (int round = 0; round < 5; ++round) {
    ScratchDir dir(L"race");
    const std::wstring& folder = dir.Path();
    HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Claim claims[kLaunchers];
    HANDLE threads[kLaunchers];
    for (int i = 0; i < kLaunchers; ++i) {
      claims[i] = Claim{&folder, start, {}, StepResult::Done(StepId::kSetupCopy)};
      threads[i] = CreateThread(nullptr, 0, ClaimOnThread, &claims[i], 0, nullptr);
      ASSERT_NE(nullptr, threads[i]);
    }
    SetEvent(start);
    WaitForMultipleObjects(kLaunchers, threads, TRUE, INFINITE);
    std::set<std::wstring> paths;
    for (int i = 0; i < kLaunchers; ++i) {
      CloseHandle(threads[i]);
      EXPECT_TRUE(claims[i].result.ok) << "error " << claims[i].result.error;
      paths.insert(claims[i].path);
      std::string written;
      EXPECT_TRUE(ReadWholeFile(claims[i].path, &written));
      EXPECT_TRUE(payload == written) << "round " << round << ": a copy was cut or mixed";
    }
    CloseHandle(start);
    EXPECT_EQ(static_cast<size_t>(kLaunchers), paths.size()) << "round " << round;
  }
}

TEST(ExtractPayload, FailsWhenTheFileCannotBeCreated) {
  ScratchDir dir(L"payload");
  EXPECT_FALSE(ExtractPayload(dir.File(L"missing\\sub\\Quarnel_Setup1.exe").c_str()));
  // A folder in the way cannot be overwritten.
  ASSERT_TRUE(CreateDirectoryW(dir.File(L"Quarnel_Setup1.exe").c_str(), nullptr));
  EXPECT_FALSE(ExtractPayload(dir.File(L"Quarnel_Setup1.exe").c_str()));
}

TEST(RecordSetupPath, NeedsTheUsersSoftwareKey) {
  RegistrySandbox registry;
  EXPECT_FALSE(RecordSetupPath(L"C:\\Temp\\Quarnel_Setup1.exe"));
}

TEST(RecordSetupPath, StoresTheTerminatedPathUnderTheUsersKey) {
  RegistrySandbox registry;
  registry.SetDword(HKEY_CURRENT_USER, L"SOFTWARE", L"placeholder", 0);
  const std::wstring first = L"C:\\Temp\\Quarnel_Setup1.exe";
  ASSERT_TRUE(RecordSetupPath(first.c_str()));
  std::wstring stored;
  ASSERT_TRUE(
      registry.GetString(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath", &stored));
  EXPECT_EQ(first, stored);

  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExW(HKEY_CURRENT_USER, expected::kSetupPathKey, 0, KEY_READ, &key));
  DWORD type = 0, bytes = 0;
  RegQueryValueExW(key, L"SetupPath", nullptr, &type, nullptr, &bytes);
  RegCloseKey(key);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ((first.size() + 1) * sizeof(wchar_t), bytes);

  // Each deployment overwrites the value with the newest copy.
  ASSERT_TRUE(RecordSetupPath(L"C:\\Temp\\Quarnel_Setup2.exe"));
  ASSERT_TRUE(
      registry.GetString(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath", &stored));
  EXPECT_EQ(L"C:\\Temp\\Quarnel_Setup2.exe", stored);
  EXPECT_FALSE(RecordSetupPath(nullptr));
}

TEST(GetDeployFolder, RefusesATemporaryFolderLongerThanItsBuffer) {
  wchar_t saved[4096] = {};
  const DWORD hadTmp = GetEnvironmentVariableW(L"TMP", saved, 4096);
  wchar_t folder[kDeployPathChars];

  // Windows reports the size it would need, Wine refuses outright; either
  // way nothing of the long path may be used.
  const std::wstring longFolder = L"C:\\" + std::wstring(280, L't');
  SetEnvironmentVariableW(L"TMP", longFolder.c_str());
  GetDeployFolder(GetTempPathW, folder);
  EXPECT_STREQ(L"", folder);

  // Wine answers a folder of 259 characters with 0 (error 206) instead of
  // the size it needs; an empty folder would put the copy in the current one.
  const std::wstring overlong = L"C:\\" + std::wstring(256, L't');
  SetEnvironmentVariableW(L"TMP", overlong.c_str());
  const DWORD reported = GetTempPathW(kDeployPathChars, folder);
  EXPECT_FALSE(GetDeployFolder(GetTempPathW, folder)) << "GetTempPathW gave " << reported;
  EXPECT_STREQ(L"", folder);

  SetEnvironmentVariableW(L"TMP", L"C:\\short");
  EXPECT_TRUE(GetDeployFolder(GetTempPathW, folder));
  EXPECT_STREQ(L"C:\\short\\", folder);

  SetEnvironmentVariableW(L"TMP", hadTmp ? saved : nullptr);
}

// Sets an environment variable for one test and restores it afterwards.
class EnvironmentSetting {
 public:
  EnvironmentSetting(const wchar_t* name, const std::wstring& value) : m_name(name) {
    wchar_t saved[4096];
    const DWORD length = GetEnvironmentVariableW(name, saved, 4096);
    m_had = length > 0 && length < 4096;
    if (m_had) m_saved = saved;
    SetEnvironmentVariableW(name, value.c_str());
  }
  ~EnvironmentSetting() { SetEnvironmentVariableW(m_name, m_had ? m_saved.c_str() : nullptr); }

 private:
  const wchar_t* m_name;
  bool m_had = false;
  std::wstring m_saved;
};

// Dismisses whatever message the shell shows on this thread's behalf while
// it exists, as a user would.
class ShellMessageDismisser {
 public:
  ShellMessageDismisser() : m_stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    m_thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
  }
  ~ShellMessageDismisser() {
    SetEvent(m_stop);
    WaitForSingleObject(m_thread, 10000);
    CloseHandle(m_thread);
    CloseHandle(m_stop);
  }

 private:
  static BOOL CALLBACK Dismiss(HWND window, LPARAM) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId() && IsWindowVisible(window)) {
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
  }
  static DWORD WINAPI Run(void* self) {
    while (WaitForSingleObject(static_cast<ShellMessageDismisser*>(self)->m_stop, 100) ==
           WAIT_TIMEOUT) {
      EnumWindows(Dismiss, 0);
    }
    return 0;
  }
  HANDLE m_stop;
  HANDLE m_thread;
};

TEST(RunInstaller, AStartTheShellRefusesIsAFailureOfTheStart) {
  ScratchDir dir(L"start");
  ShellMessageDismisser dismisser;
  const RunOutcome missing =
      RunInstaller(dir.File(L"Quarnel_Setup1.exe").c_str(), (dir.Path() + L"\\").c_str());
  EXPECT_EQ(RunEnd::kSetupNotStarted, missing.end);
  EXPECT_EQ(StepId::kInstallerStart, missing.step);
  EXPECT_NE(0u, missing.error);
  EXPECT_STREQ(L"Quarnel_Setup1.exe", missing.program);
}

TEST(DeploySetup, TheInstallerRunsEvenWhenSetupPathCannotBeRecorded) {
  ScratchDir dir(L"deploy");
  // No "SOFTWARE" key for the user: the record fails.
  RegistrySandbox registry;
  EnvironmentSetting tmp(L"TMP", dir.Path());
  EnvironmentSetting temp(L"TEMP", dir.Path());
  EnvironmentSetting log(L"QUARNEL_STANDIN_LOG", dir.File(L"standins.log"));
  EnvironmentSetting install(L"QUARNEL_STANDIN_INSTALL", L"0");
  EnvironmentSetting code(L"QUARNEL_STANDIN_EXIT_CODE", L"3010");
  const RunOutcome deployed = DeploySetup();
  EXPECT_EQ(RunEnd::kInstalled, deployed.end)
      << static_cast<int>(deployed.step) << ", error " << deployed.error;
  EXPECT_EQ(3010u, deployed.installerExitCode);
  const std::vector<StandinRecord> records = ReadStandinLog(dir.File(L"standins.log"));
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ(L"installer-start", records[0].event);
  EXPECT_TRUE(SamePath(dir.File(L"Quarnel_Setup1.exe"), records[0].Field(L"program")))
      << records[0].Field(L"program");
  std::wstring stored;
  EXPECT_FALSE(
      registry.GetString(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath", &stored));
}

TEST(DeploySetup, AFolderThePlatformCannotReportWritesAndStartsNothing) {
  ScratchDir dir(L"deploy-overlong");
  RegistrySandbox registry;
  registry.SetDword(HKEY_CURRENT_USER, L"SOFTWARE", L"placeholder", 0);
  const std::wstring overlong = L"C:\\" + std::wstring(256, L't');
  EnvironmentSetting tmp(L"TMP", overlong);
  EnvironmentSetting temp(L"TEMP", overlong);
  EnvironmentSetting log(L"QUARNEL_STANDIN_LOG", dir.File(L"standins.log"));
  wchar_t saved[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, saved);
  SetCurrentDirectoryW(dir.Path().c_str());
  const RunOutcome deployed = DeploySetup();
  SetCurrentDirectoryW(saved);
  EXPECT_EQ(RunEnd::kSetupNotWritten, deployed.end);
  EXPECT_EQ(StepId::kTempFolder, deployed.step);
  EXPECT_STREQ(L"", deployed.program);
  EXPECT_FALSE(FileExists(dir.File(L"Quarnel_Setup1.exe"))) << "written to the current folder";
  EXPECT_TRUE(ReadStandinLog(dir.File(L"standins.log")).empty());
  std::wstring stored;
  EXPECT_FALSE(
      registry.GetString(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath", &stored));
}

// A shell whose answers a test scripts, and a clock that only counts.
struct ScriptedShell {
  static const DWORD* errors;  // one per try, 0 for a start; the last repeats
  static int count;
  static int tries;
  static DWORD paused;

  static void Reset(const DWORD* script, int length) {
    errors = script;
    count = length;
    tries = 0;
    paused = 0;
  }
  static StepResult Start(SHELLEXECUTEINFOW& info, StepId step) {
    const DWORD error = errors[tries < count ? tries : count - 1];
    ++tries;
    info.hProcess = nullptr;
    return error ? StepResult::Failed(step, error) : StepResult::Done(step);
  }
  static void WINAPI Pause(DWORD milliseconds) { paused += milliseconds; }
};
const DWORD* ScriptedShell::errors = nullptr;
int ScriptedShell::count = 0;
int ScriptedShell::tries = 0;
DWORD ScriptedShell::paused = 0;

// A scanner's hold on the fresh copy is waited out for about three seconds;
// what waiting cannot change (a policy, a bad image, a declined prompt, a
// scanner's verdict) ends the start at once.
TEST(RunInstaller, OnlyAHeldCopyIsTriedAgain) {
  const struct {
    const char* name;
    std::vector<DWORD> script;
    int tries;
    DWORD paused;
    DWORD error;  // of the result; 0 for a start
  } cases[] = {
      {"started", {0}, 1, 0, 0},
      {"sharing violation, then gone", {32, 0}, 2, 100, 0},
      {"lock then access denied, then gone", {33, 5, 0}, 3, 300, 0},
      {"held throughout", {32}, 6, 3000, 32},
      {"held, then a policy", {32, 1260}, 2, 100, 1260},
      {"elevation declined", {1223}, 1, 0, 1223},
      {"policy", {1260}, 1, 0, 1260},
      {"no program", {193}, 1, 0, 193},
      {"a scanner's verdict", {225}, 1, 0, 225},
      {"a scanner's other verdict", {226}, 1, 0, 226},
  };
  for (const auto& c : cases) {
    ScriptedShell::Reset(c.script.data(), static_cast<int>(c.script.size()));
    const RunOutcome result = RunInstaller(L"C:\\Temp\\Quarnel_Setup1.exe", L"C:\\Temp\\",
                                           ScriptedShell::Start, ScriptedShell::Pause);
    EXPECT_EQ(c.tries, ScriptedShell::tries) << c.name;
    EXPECT_EQ(c.paused, ScriptedShell::paused) << c.name;
    EXPECT_EQ(c.error == 0, result.end == RunEnd::kInstalled) << c.name;
    EXPECT_EQ(c.error, result.error) << c.name;
    if (c.error) {
      EXPECT_EQ(StepId::kInstallerStart, result.step) << c.name;
    }
    EXPECT_EQ(0u, result.installerExitCode) << c.name;
  }
}

DWORD WINAPI ServicesTempPath(DWORD chars, LPWSTR buffer) {
  lstrcpynW(buffer, L"C:\\Windows\\SystemTemp\\", chars);
  return static_cast<DWORD>(lstrlenW(buffer));
}
DWORD WINAPI OverlongTempPath(DWORD, LPWSTR) { return 300; }

TEST(GetDeployFolder, TakesTheFolderFromTheCallTheSystemOffers) {
  wchar_t folder[kDeployPathChars];
  EXPECT_TRUE(GetDeployFolder(ServicesTempPath, folder));
  EXPECT_STREQ(L"C:\\Windows\\SystemTemp\\", folder);
  EXPECT_FALSE(GetDeployFolder(OverlongTempPath, folder));
  EXPECT_STREQ(L"", folder);
  // Wine, like Windows before build 20348, has no GetTempPath2W.
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const bool hasTempPath2 = GetProcAddress(kernel, "GetTempPath2W") != nullptr;
  EXPECT_EQ(hasTempPath2, ResolveTempPathFunction() != GetTempPathW);
}

// GetTokenInformation as it answers for a process of LocalSystem.
BOOL WINAPI SystemTokenUser(HANDLE, TOKEN_INFORMATION_CLASS kind, LPVOID buffer, DWORD bytes,
                            PDWORD needed) {
  TOKEN_USER* user = static_cast<TOKEN_USER*>(buffer);
  DWORD sidBytes = bytes - sizeof(TOKEN_USER);
  if (kind != TokenUser || !CreateWellKnownSid(WinLocalSystemSid, nullptr, user + 1, &sidBytes)) {
    return FALSE;
  }
  user->User.Sid = user + 1;
  user->User.Attributes = 0;
  *needed = sizeof(TOKEN_USER) + sidBytes;
  return TRUE;
}

// Without GetTempPath2W (Wine, like Windows before build 20348), a run as
// LocalSystem gets the shared Windows\\Temp: its copy goes to a folder of
// its own there, and "SetupPath" names it.
TEST(DeploySetup, ForLocalSystemTheCopyGoesToAFolderOfItsOwn) {
  ASSERT_EQ(GetTempPathW, ResolveTempPathFunction()) << "this system has GetTempPath2W";
  EXPECT_TRUE(RunsAsLocalSystem(SystemTokenUser));
  EXPECT_FALSE(RunsAsLocalSystem()) << "the test's account is no service's";
  ScratchDir dir(L"deploy-system");
  RegistrySandbox registry;
  registry.SetDword(HKEY_CURRENT_USER, L"SOFTWARE", L"placeholder", 0);
  EnvironmentSetting tmp(L"TMP", dir.Path());
  EnvironmentSetting temp(L"TEMP", dir.Path());
  EnvironmentSetting log(L"QUARNEL_STANDIN_LOG", dir.File(L"standins.log"));
  EnvironmentSetting install(L"QUARNEL_STANDIN_INSTALL", L"0");
  const RunOutcome deployed = DeploySetup(SystemTokenUser);
  EXPECT_EQ(RunEnd::kInstalled, deployed.end)
      << static_cast<int>(deployed.step) << ", error " << deployed.error;
  const std::wstring copy = dir.File(L"Quarnel1\\Quarnel_Setup1.exe");
  const std::vector<StandinRecord> records = ReadStandinLog(dir.File(L"standins.log"));
  ASSERT_EQ(1u, records.size());
  EXPECT_TRUE(SamePath(copy, records[0].Field(L"program"))) << records[0].Field(L"program");
  std::wstring stored;
  EXPECT_TRUE(
      registry.GetString(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath", &stored));
  EXPECT_TRUE(SamePath(copy, stored)) << stored;
}

// A shell that hands back a process the launcher may not wait for.
StepResult StartUnwaitable(SHELLEXECUTEINFOW& info, StepId step) {
  info.hProcess = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &info.hProcess,
                  PROCESS_QUERY_INFORMATION, FALSE, 0);
  return StepResult::Done(step);
}

// An installer whose end cannot be waited for may still be running: that is
// no install done, and the run says so with a code of its own.
TEST(RunInstaller, AWaitThatFailsIsNoEnd) {
  const RunOutcome result =
      RunInstaller(L"C:\\Temp\\Quarnel_Setup1.exe", L"C:\\Temp\\", StartUnwaitable);
  EXPECT_EQ(RunEnd::kSetupNotWaited, result.end);
  EXPECT_EQ(StepId::kInstallerWait, result.step);
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), result.error);
  EXPECT_EQ(kExitSetupNotWaited, ExitCodeOf(result));
}

}  // namespace
