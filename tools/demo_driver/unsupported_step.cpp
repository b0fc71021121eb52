// Step 5 of the demo: the unsupported-Windows message in one user locale.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "demo_steps.h"
#include "languages.h"
#include "launcher_dialog.h"
#include "product_state.h"
#include "res/resource.h"
#include "run_report.h"

namespace {

// The launcher's exit code after refusing the Windows version.
constexpr DWORD kUnsupportedWindowsExitCode = 13;

std::wstring Hex(LCID lcid) {
  wchar_t text[16];
  swprintf(text, 16, L"0x%04lX", static_cast<unsigned long>(lcid));
  return text;
}

// "fr_FR" of "fr_FR.UTF-8", for file names.
std::wstring ShortLocale(const std::wstring& localeName) {
  return localeName.substr(0, localeName.find(L'.'));
}

DialogAnswer MessageAnswer(DemoContext& context, int language, const std::wstring& picture) {
  ExpectedDialog expected;
  expected.message =
      StringOfModule(context.builtLauncher, IDS_MSG_UNSUPPORTED_OS + 1000 * language);
  // The message's single button is the cancel control captioned "OK".
  expected.button = IDCANCEL;
  expected.buttonText = StringOfModule(context.builtLauncher, IDS_BTN_OK + 1000 * language);
  expected.picture = picture;
  return [&context, expected](HWND dialog) {
    return AnswerLauncherDialog(dialog, expected, context.transcript);
  };
}

}  // namespace

bool RunUnsupportedWindows(DemoContext& context, int language, const std::wstring& localeName,
                           const std::wstring& label) {
  Transcript& transcript = context.transcript;
  const DemoLanguage* expected = LanguageAt(language);
  if (!expected) {
    return transcript.Require(false, L"", L"no language " + std::to_wstring(language));
  }
  transcript.Step(label, std::wstring(expected->english) + L" (" + expected->native +
                             L"), user locale " + localeName);
  const LCID lcid = GetUserDefaultLCID();
  transcript.Fact(L"user locale", Hex(lcid));
  if (!transcript.Require(
          LanguageOfLocale(lcid) == language,
          L"Wine gives programs the " + std::wstring(expected->english) + L" locale",
          L"Wine reports locale " + Hex(lcid) + L", not a " + expected->english + L" one (is " +
              localeName + L" installed?)")) {
    return false;
  }
  const ReportedWindowsVersion vista(L"vista");
  if (!transcript.Require(vista.active(), L"Wine reports Windows 6.0 to Quarnel.exe",
                          L"cannot set the reported Windows version")) {
    return false;
  }
  // The product stays installed from the earlier steps: a launcher that
  // looked it up anyway would hand off or ask, and the check below says so.
  const std::wstring location = InstalledLocation();
  transcript.Fact(L"installed product", location.empty() ? L"none" : location);
  const std::wstring picture = context.pictureDir + L"\\unsupported-" + std::to_wstring(language) +
                               L"-" + ShortLocale(localeName) + L".png";
  const RunObservation run = context.machine.Run(context.machine.DownloadedLauncher(),
                                                 MessageAnswer(context, language, picture));
  ReportRun(run, transcript);
  std::vector<std::wstring> problems = CheckMessageOnlyRun(run);
  // A refused Windows installed nothing: no deployment tool may read it as done.
  if (run.exitCode != kUnsupportedWindowsExitCode) {
    problems.push_back(L"exit code " + std::to_wstring(run.exitCode) + L", expected 13");
  }
  if (!transcript.Verdict(L"only the message, then exit code 13: no notice, no installer, "
                          L"no hand-off",
                          problems)) {
    return false;
  }
  AddCaption(picture, std::wstring(expected->native) + L" \x00B7 unsupported Windows");
  return true;
}
