// The real Quarnel.exe failing at its job the way the world makes it fail:
// a temporary folder that cannot take the installer, an installer copy that
// is no program, a main application that is gone. Each run must end with its
// exit code and one message, in the user's locale language, with the
// system's text of the error, and leave everything else as a silent run did.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/hidden_desktop.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/msgdlg_driver.h"
#include "tools/harness/observed_values.h"
#include "tools/harness/standin_service_process.h"
#include "trace_log.h"

namespace {

constexpr DWORD kNotWritten = 10;
constexpr DWORD kNotStarted = 11;
constexpr DWORD kApplicationNotStarted = 12;
const RECT kSingleRect = {229, 266, 352, 318};

std::wstring Catalogue(UINT baseId, int language) {
  const wchar_t* text = nullptr;
  const int length =
      LoadStringW(nullptr, baseId + 1000 * language, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
}

// The user locale's language, by the launcher's rule. A run told which
// locale Wine must report (QUARNEL_TEST_USER_LCID) fails rather than fall
// back to English.
int UserLanguage() {
  wchar_t requested[32] = {};
  if (GetEnvironmentVariableW(L"QUARNEL_TEST_USER_LCID", requested, 32)) {
    EXPECT_EQ(GetUserDefaultLCID(), wcstoul(requested, nullptr, 0))
        << "Wine did not take the requested locale";
  }
  return ExpectedLanguageOfLocale(GetUserDefaultLCID());
}

// The error number at the end of the trace line that starts with `prefix`
// ("deploy: ShellExecuteExW failed, error 193"); 0 when there is none.
DWORD TracedError(const std::vector<TraceLine>& lines, const std::wstring& prefix) {
  const auto messages = TraceMessages(lines, prefix);
  if (messages.empty()) return 0;
  const size_t at = messages.front().rfind(L"error ");
  return at == std::wstring::npos ? 0 : wcstoul(messages.front().c_str() + at + 6, nullptr, 10);
}

// A copy of the built launcher whose installer payload is `bytes`, at `path`:
// what a download whose installer is damaged looks like.
bool WriteLauncherWithPayload(const std::wstring& path, const std::string& bytes) {
  if (!CopyFileW(BuiltLauncher().c_str(), path.c_str(), FALSE)) return false;
  HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
  if (!update) return false;
  const BOOL replaced =
      UpdateResourceW(update, RT_RCDATA, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD),
                      MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), const_cast<char*>(bytes.data()),
                      static_cast<DWORD>(bytes.size()));
  return EndUpdateResourceW(update, !replaced) && replaced;
}

// A copy of the built launcher whose installer resource is empty, at `path`:
// UpdateResourceW writes no empty resource, so the size in the resource's
// data entry is set to 0. The image's sections lie in the file as in memory
// (file alignment 4096), so the entry's offset in a data-file load is its
// offset in the file; a size there other than the payload's fails.
bool WriteLauncherWithEmptyPayload(const std::wstring& path) {
  if (!CopyFileW(BuiltLauncher().c_str(), path.c_str(), FALSE)) return false;
  HMODULE image = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!image) return false;
  const BYTE* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image) & ~3u);
  HRSRC resource = FindResourceW(image, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD), RT_RCDATA);
  const LONG offset = resource ? static_cast<LONG>(reinterpret_cast<const BYTE*>(resource) - base +
                                                   offsetof(IMAGE_RESOURCE_DATA_ENTRY, Size))
                               : 0;
  const DWORD size = resource ? SizeofResource(image, resource) : 0;
  FreeLibrary(image);
  if (!resource || size == 0) return false;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD stored = 0, count = 0;
  const DWORD empty = 0;
  const bool patched = SetFilePointer(file, offset, nullptr, FILE_BEGIN) == DWORD(offset) &&
                       ReadFile(file, &stored, 4, &count, nullptr) && stored == size &&
                       SetFilePointer(file, offset, nullptr, FILE_BEGIN) == DWORD(offset) &&
                       WriteFile(file, &empty, 4, &count, nullptr) && count == 4;
  CloseHandle(file);
  return patched;
}

// What one failing run showed and left.
struct FailedRun {
  bool dialogShown = false;
  bool onlyOurDialog = true;
  std::wstring message;
  std::wstring button;
  bool buttonAlone = false;
  DWORD exitCode = STILL_ACTIVE;
};

class LauncherFailures : public ::testing::Test {
 protected:
  LauncherFailures() {
    world.Env()[L"QUARNEL_TRACE"] = TracePath();
    world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
    DeleteFileW(serviceLog.c_str());
  }

  std::wstring TracePath() const { return world.LogPath() + L".trace"; }
  std::vector<TraceLine> Trace() const { return ReadTraceLog(TracePath()); }
  bool StartService() { return service.Start(L"--status 0 --log \"" + serviceLog + L"\""); }

  // Runs `launcher`, waits for its message, reads it, saves a picture as
  // `artefact`, answers it with the OK button and waits for the end.
  FailedRun RunToMessage(const std::wstring& launcher, const std::wstring& artefact) {
    FailedRun run;
    ChildProcess process;
    if (!world.Start(process, launcher)) return run;
    const HWND dialog = WaitForProcessDialog(process.Id(), nullptr, 60000);
    if (dialog) {
      run.dialogShown = true;
      for (HWND window : process.Windows()) run.onlyOurDialog &= window == dialog;
      run.message = ReadChild(dialog, IDC_MSG_TEXT).text;
      const ChildInfo ok = ReadChild(dialog, IDCANCEL);
      run.button = ok.text;
      run.buttonAlone = ok.visible && !ReadChild(dialog, IDOK).visible &&
                        ok.rect.left == kSingleRect.left && ok.rect.top == kSingleRect.top;
      MoveMouseTo(dialog, 10, 200);
      Settle(dialog);
      SavePng(CaptureWindow(dialog), std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\failure_" +
                                         artefact + L"_" + std::to_wstring(UserLanguage()) +
                                         L".png");
      ClickAt(dialog, 290, 292);
    }
    if (!process.Wait(30000)) {
      process.Kill();
      return run;
    }
    run.exitCode = process.ExitCode();
    return run;
  }

  // The message `run` should have shown: catalogue line `baseId` in the user
  // locale's language, then the system's text of `error` about `program` and
  // its number.
  void ExpectMessage(const FailedRun& run, UINT baseId, DWORD error,
                     const std::wstring& program = L"Quarnel_Setup1.exe") {
    const int language = UserLanguage();
    EXPECT_TRUE(run.dialogShown);
    EXPECT_TRUE(run.onlyOurDialog) << "a second window: the shell spoke too";
    EXPECT_EQ(Catalogue(baseId, language) + L"\n" + SystemErrorText(error, program) + L" (" +
                  std::to_wstring(error) + L")",
              run.message);
    EXPECT_FALSE(SystemErrorText(error).empty()) << "error " << error;
    EXPECT_EQ(std::wstring::npos, run.message.find(L"%1")) << "an insert left unfilled";
    EXPECT_EQ(Catalogue(IDS_BTN_OK, language), run.button);
    EXPECT_TRUE(run.buttonAlone);
  }

  // The service heard the launcher's path and folder, as on a good run: two
  // requests after the `before` it had logged.
  void ExpectNoticesReceived(size_t before) {
    const auto requests = ReadServiceLog(serviceLog);
    ASSERT_EQ(before + 2, requests.size());
    EXPECT_EQ(
        0, _wcsicmp(world.DownloadedLauncher().c_str(), requests[before].Field(L"path").c_str()));
    EXPECT_EQ(0,
              _wcsicmp(world.DownloadDir().c_str(), requests[before + 1].Field(L"path").c_str()));
  }

  LauncherWorld world{L"failures"};
  const std::wstring serviceLog =
      std::wstring(QUARNEL_TEST_SCRATCH_DIR) + L"\\service-failures.log";
  StandinService service;
};

// ---------------------------------------------------------------------------
// The installer could not be written.

TEST_F(LauncherFailures, ATemporaryFolderThatCannotTakeTheInstaller) {
  const std::wstring aFile = world.TempDir() + L"\\occupied";
  HANDLE file = CreateFileW(aFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  CloseHandle(file);
  struct Case {
    const char* name;
    std::wstring temp;
    const wchar_t* traced;  // the trace line of the step, as a silent run wrote it
  };
  const Case cases[] = {
      {"missing folder", world.TempDir() + L"\\missing", L"deploy: installer copy failed, error "},
      {"a file", aFile, L"deploy: installer copy failed, error "},
      {"259 characters", L"C:\\" + std::wstring(256, L't'), L"deploy: GetTempPathW failed, error "},
  };
  ASSERT_TRUE(StartService());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileW(TracePath().c_str());
    const size_t heard = ReadServiceLog(serviceLog).size();
    world.Env()[L"TEMP"] = c.temp;
    world.Env()[L"TMP"] = c.temp;
    const FailedRun run = RunToMessage(world.DownloadedLauncher(), L"not_written");
    const auto trace = Trace();
    const DWORD error = TracedError(trace, c.traced);
    ASSERT_NE(0u, error) << TraceText(trace);
    ExpectMessage(run, IDS_MSG_SETUP_NOT_WRITTEN, error);
    EXPECT_EQ(kNotWritten, run.exitCode);
    EXPECT_TRUE(world.Records().empty()) << "an installer was started";
    EXPECT_TRUE(SetupPathValue().empty());
    EXPECT_EQ(1u, TraceMessages(trace, L"failure: exit code 10, message shown").size())
        << TraceText(trace);
    ExpectNoticesReceived(heard);
  }
}

// ---------------------------------------------------------------------------
// The installer could not be started.

TEST_F(LauncherFailures, AnInstallerCopyThatIsNoProgram) {
  const std::string junk(4096, '\x5A');
  const std::wstring damaged = world.DownloadedLauncher();
  ASSERT_TRUE(WriteLauncherWithPayload(damaged, junk));
  ASSERT_TRUE(StartService());
  const FailedRun run = RunToMessage(damaged, L"not_started");
  const auto trace = Trace();
  const DWORD error = TracedError(trace, L"deploy: ShellExecuteExW failed, error ");
  ASSERT_NE(0u, error) << TraceText(trace);
  ExpectMessage(run, IDS_MSG_SETUP_NOT_STARTED, error);
  EXPECT_EQ(kNotStarted, run.exitCode);
  // The copy and "SetupPath" stay, as after any refused start.
  const std::wstring copy = world.TempDir() + L"\\Quarnel_Setup1.exe";
  EXPECT_TRUE(SamePath(copy, SetupPathValue())) << SetupPathValue();
  std::string written;
  ASSERT_TRUE(ReadWholeFile(copy, &written));
  EXPECT_TRUE(written == junk);
  EXPECT_TRUE(world.Records().empty());
  ExpectNoticesReceived(0);
}

// A download whose installer resource is empty: error 1812, not whatever an
// earlier call left behind, and nothing written.
TEST_F(LauncherFailures, AnEmptyInstallerIsNotWritten) {
  const std::wstring damaged = world.DownloadedLauncher();
  ASSERT_TRUE(WriteLauncherWithEmptyPayload(damaged));
  ASSERT_TRUE(StartService());
  const FailedRun run = RunToMessage(damaged, L"empty_payload");
  const auto trace = Trace();
  EXPECT_EQ(1u, TraceMessages(trace, L"deploy: payload resource failed, error 1812").size())
      << TraceText(trace);
  ExpectMessage(run, IDS_MSG_SETUP_NOT_WRITTEN, ERROR_RESOURCE_DATA_NOT_FOUND);
  EXPECT_EQ(kNotWritten, run.exitCode);
  EXPECT_FALSE(FileExists(world.TempDir() + L"\\Quarnel_Setup1.exe"));
  EXPECT_TRUE(SetupPathValue().empty());
  ExpectNoticesReceived(0);
}

// ---------------------------------------------------------------------------
// The installed application could not be started.

// Zelvane.exe gone: the question whether to repair, in the user locale's
// language, with OK and Cancel; Cancel ends the run with 12, nothing more
// said or started.
TEST_F(LauncherFailures, AMainApplicationThatIsGone) {
  world.InstallProduct(L"=");
  ASSERT_TRUE(DeleteFileW((world.InstallDir() + L"\\Zelvane.exe").c_str()));
  ChildProcess process;
  ASSERT_TRUE(world.Start(process, world.DownloadedLauncher()));
  const HWND question = WaitForProcessDialog(process.Id());
  ASSERT_TRUE(question);
  const int language = UserLanguage();
  EXPECT_EQ(Catalogue(IDS_MSG_REPAIR_QUESTION, language), ReadChild(question, IDC_MSG_TEXT).text);
  EXPECT_EQ(Catalogue(IDS_BTN_OK, language), ReadChild(question, IDOK).text);
  EXPECT_EQ(Catalogue(IDS_BTN_CANCEL, language), ReadChild(question, IDCANCEL).text);
  ClickAt(question, 364, 292);  // Cancel
  const bool ended = process.Wait(30000);
  if (!ended) process.Kill();
  ASSERT_TRUE(ended) << "the launcher waits on a second message";
  EXPECT_EQ(kApplicationNotStarted, process.ExitCode());
  const auto trace = Trace();
  EXPECT_EQ(1u, TraceMessages(trace, L"hand-off: ShellExecuteExW failed, error 2").size())
      << TraceText(trace);
  EXPECT_EQ(
      1u,
      TraceMessages(trace, L"failure: exit code 12, no message, the repair was declined").size())
      << TraceText(trace);
  EXPECT_TRUE(world.Records().empty());
  EXPECT_TRUE(SetupPathValue().empty());
}

// A Zelvane.exe that is no program: no repair is offered, the failure is
// told after the declined update question.
TEST_F(LauncherFailures, ADeclinedUpdateWhoseHandOffFails) {
  const ServiceLanguageValue service(0);
  world.InstallProduct(L"1.30.0315");
  ASSERT_TRUE(WriteWholeFile(world.InstallDir() + L"\\Zelvane.exe", std::string(4096, '\x5A')));
  ChildProcess process;
  ASSERT_TRUE(world.Start(process, world.DownloadedLauncher()));
  const HWND question = WaitForProcessDialog(process.Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(Catalogue(IDS_MSG_UPDATE_QUESTION, 0), ReadChild(question, IDC_MSG_TEXT).text);
  ClickAt(question, 364, 292);  // Cancel
  const HWND failure = WaitForProcessDialog(process.Id(), question);
  ASSERT_TRUE(failure);
  const std::wstring text = ReadChild(failure, IDC_MSG_TEXT).text;
  ClickAt(failure, 290, 292);
  ASSERT_TRUE(process.Wait(30000));
  EXPECT_EQ(kApplicationNotStarted, process.ExitCode());
  const DWORD error = TracedError(Trace(), L"hand-off: ShellExecuteExW failed, error ");
  EXPECT_NE(0u, error);
  EXPECT_NE(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), error);
  EXPECT_EQ(Catalogue(IDS_MSG_APP_NOT_STARTED, UserLanguage()) + L"\n" +
                SystemErrorText(error, L"Zelvane.exe") + L" (" + std::to_wstring(error) + L")",
            text);
  EXPECT_TRUE(world.Records().empty());
}

// ---------------------------------------------------------------------------
// Where nobody could answer a message, the code alone says it.

// A window station of its own is not the one a person sees: the launcher
// started on it shows nothing and still ends with the code.
TEST_F(LauncherFailures, NoMessageOnAWindowStationNobodySees) {
  const HiddenDesktop hidden;
  if (hidden.Visible()) GTEST_SKIP() << "this Wine shows every window station";
  ASSERT_TRUE(hidden.Usable());

  world.InstallProduct(L"=");
  ASSERT_TRUE(DeleteFileW((world.InstallDir() + L"\\Zelvane.exe").c_str()));
  ChildProcess process;
  ASSERT_TRUE(process.Start(world.DownloadedLauncher(), L"", world.Env(), L"", hidden.Name()));
  const bool ended = process.Wait(60000);
  if (!ended) process.Kill();
  EXPECT_TRUE(ended) << "the launcher waited on a message nobody sees";
  EXPECT_EQ(kApplicationNotStarted, process.ExitCode());
  const auto trace = Trace();
  EXPECT_EQ(1u, TraceMessages(trace, L"failure: exit code 12, no message, nobody to see it").size())
      << TraceText(trace);
}

}  // namespace
