// Step 6 of the demo: the installed product's Zelvane.exe is gone, so the
// installed launcher cannot hand off and offers to repair the product, in
// the user locale's language. Accepted, it runs its installer as -P would
// and Zelvane.exe is back; declined, it ends with exit code 12 for
// deployment tools, saying nothing more.
#include <windows.h>

#include "demo_steps.h"
#include "languages.h"
#include "launcher_dialog.h"
#include "product_state.h"
#include "res/resource.h"
#include "run_report.h"
#include "tools/harness/observed_values.h"
#include "tools/harness/scratch_dir.h"

namespace {

// The exit code of a run whose installed application could not be started.
constexpr DWORD kApplicationNotStarted = 12;

// Zelvane.exe moved aside for the life of the object, then put back unless
// the repair has brought it back.
class MovedAside {
 public:
  explicit MovedAside(const std::wstring& path)
      : m_path(path),
        m_aside(path + L".aside"),
        m_moved(MoveFileExW(path.c_str(), m_aside.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) {}
  ~MovedAside() {
    if (!m_moved) return;
    if (FileExists(m_path)) {
      DeleteFileW(m_aside.c_str());
    } else {
      MoveFileExW(m_aside.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
  }
  MovedAside(const MovedAside&) = delete;
  MovedAside& operator=(const MovedAside&) = delete;
  bool moved() const { return m_moved; }
  // true when the file is back, with the bytes it had.
  bool Restored() const {
    std::string before, now;
    return ReadWholeFile(m_aside, &before) && ReadWholeFile(m_path, &now) && before == now;
  }

 private:
  std::wstring m_path;
  std::wstring m_aside;
  bool m_moved;
};

ExpectedDialog RepairQuestion(const DemoContext& context, int language, bool accept) {
  ExpectedDialog dialog;
  dialog.message = StringOfModule(context.builtLauncher, IDS_MSG_REPAIR_QUESTION + 1000 * language);
  dialog.button = accept ? IDOK : IDCANCEL;
  dialog.buttonText = StringOfModule(context.builtLauncher,
                                     (accept ? IDS_BTN_OK : IDS_BTN_CANCEL) + 1000 * language);
  dialog.picture = context.pictureDir + L"\\repair-question-" + std::to_wstring(language) + L".png";
  return dialog;
}

// The repair's problems: the install branch of the installed launcher, with
// its next installer copy, and Zelvane.exe back as it was.
std::vector<std::wstring> RepairProblems(const DemoContext& context, const RunObservation& run,
                                         const MovedAside& gone) {
  const DemoMachine& machine = context.machine;
  std::vector<std::wstring> problems =
      context.realInstaller ? CheckUnrecordedInstallRun(run, machine.InstalledLauncher(), true)
                            : CheckInstallRun(run, machine.InstalledLauncher(), machine.TempDir(),
                                              machine.SetupCopy(3), true);
  if (run.exitCode != 0) problems.push_back(L"exit code " + std::to_wstring(run.exitCode));
  if (!SamePath(RecordedSetupPath(), machine.SetupCopy(3))) {
    problems.push_back(L"\"SetupPath\" does not name " + machine.SetupCopy(3));
  }
  if (!gone.Restored()) problems.push_back(L"Zelvane.exe is not back in the product's folder");
  return problems;
}

std::vector<std::wstring> DeclineProblems(const RunObservation& run) {
  std::vector<std::wstring> problems;
  if (!run.windowShown) problems.push_back(L"no question was asked");
  if (run.exitCode != kApplicationNotStarted) {
    problems.push_back(L"exit code " + std::to_wstring(run.exitCode) + L", expected 12");
  }
  if (!run.records.empty() || !run.requests.empty()) problems.push_back(L"something was started");
  return problems;
}

}  // namespace

bool RunApplicationMissing(DemoContext& context, int language, bool accept,
                           const std::wstring& label) {
  Transcript& transcript = context.transcript;
  const DemoLanguage* expected = LanguageAt(language);
  if (!expected) return transcript.Require(false, L"", L"no language " + std::to_wstring(language));
  transcript.Step(label, std::wstring(L"Zelvane.exe gone: the installed launcher offers to "
                                      L"repair the product (") +
                             expected->native + (accept ? L", accepted)" : L", declined)"));
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
  const ExpectedDialog dialog = RepairQuestion(context, language, accept);
  return WithStandinService(context, [&context, &transcript, &gone, dialog, accept, expected] {
    const RunObservation run =
        context.machine.Run(context.machine.InstalledLauncher(), [&context, dialog](HWND window) {
          return AnswerLauncherDialog(window, dialog, context.transcript);
        });
    ReportRun(run, transcript);
    const bool right = accept ? transcript.Verdict(
                                    L"repaired: announced itself, ran its installer, and "
                                    L"Zelvane.exe is back",
                                    RepairProblems(context, run, gone))
                              : transcript.Verdict(
                                    L"declined: nothing more said or started, exit code 12 for "
                                    L"a deployment tool",
                                    DeclineProblems(run));
    if (right) {
      AddCaption(dialog.picture, std::wstring(expected->native) + L" \x00B7 repair " +
                                     (accept ? L"accepted" : L"declined \x00B7 exit code 12"));
    }
    return right;
  });
}
