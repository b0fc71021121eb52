// Step 6 of the demo: the installed product's Zelvane.exe is gone, so the
// installed launcher cannot hand off: its error message, in the user
// locale's language, and its exit code for deployment tools.
#include <windows.h>

#include "demo_steps.h"
#include "languages.h"
#include "launcher_dialog.h"
#include "product_state.h"
#include "res/resource.h"
#include "run_report.h"
#include "tools/harness/observed_values.h"

namespace {

// The exit code of a run whose installed application could not be started.
constexpr DWORD kApplicationNotStarted = 12;

// Zelvane.exe moved aside for the life of the object, then put back.
class MovedAside {
 public:
  explicit MovedAside(const std::wstring& path)
      : m_path(path),
        m_aside(path + L".aside"),
        m_moved(MoveFileExW(path.c_str(), m_aside.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) {}
  ~MovedAside() {
    if (m_moved) MoveFileExW(m_aside.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  MovedAside(const MovedAside&) = delete;
  MovedAside& operator=(const MovedAside&) = delete;
  bool moved() const { return m_moved; }

 private:
  std::wstring m_path;
  std::wstring m_aside;
  bool m_moved;
};

}  // namespace

bool RunApplicationMissing(DemoContext& context, int language, const std::wstring& label) {
  Transcript& transcript = context.transcript;
  const DemoLanguage* expected = LanguageAt(language);
  if (!expected) return transcript.Require(false, L"", L"no language " + std::to_wstring(language));
  transcript.Step(label,
                  std::wstring(L"Zelvane.exe gone: the installed launcher cannot hand off (") +
                      expected->native + L")");
  if (!transcript.Require(
          LanguageOfLocale(GetUserDefaultLCID()) == language,
          L"Wine gives programs the " + std::wstring(expected->english) + L" locale",
          L"Wine reports another locale")) {
    return false;
  }
  const MovedAside gone(context.machine.InstallDir() + L"\\Zelvane.exe");
  if (!transcript.Require(gone.moved(), L"Zelvane.exe moved out of the product's folder",
                          L"cannot move Zelvane.exe aside")) {
    return false;
  }
  ExpectedDialog dialog;
  dialog.message =
      StringOfModule(context.builtLauncher, IDS_MSG_APP_NOT_STARTED + 1000 * language) + L"\n" +
      SystemErrorText(ERROR_FILE_NOT_FOUND) + L" (2)";
  dialog.button = IDCANCEL;  // the single button, captioned "OK"
  dialog.buttonText = StringOfModule(context.builtLauncher, IDS_BTN_OK + 1000 * language);
  dialog.picture = context.pictureDir + L"\\app-not-started-" + std::to_wstring(language) + L".png";
  const RunObservation run =
      context.machine.Run(context.machine.InstalledLauncher(), [&context, dialog](HWND window) {
        return AnswerLauncherDialog(window, dialog, context.transcript);
      });
  ReportRun(run, transcript);
  std::vector<std::wstring> problems;
  if (!run.windowShown) problems.push_back(L"no message was shown");
  if (run.exitCode != kApplicationNotStarted) {
    problems.push_back(L"exit code " + std::to_wstring(run.exitCode) + L", expected 12");
  }
  if (!run.records.empty()) problems.push_back(L"something was started");
  if (!transcript.Verdict(L"the message, then exit code 12 for a deployment tool", problems)) {
    return false;
  }
  AddCaption(dialog.picture, std::wstring(expected->native) + L" \x00B7 exit code 12");
  return true;
}
