// Steps 1 to 4 of the demo: the product's life on one machine.
#include <windows.h>

#include "demo_steps.h"
#include "installed_product.h"
#include "launcher_dialog.h"
#include "product_state.h"
#include "res/resource.h"
#include "run_report.h"
#include "tools/harness/msgdlg_driver.h"
#include "tools/harness/standin_service_process.h"
#include "tools/harness/version_resource.h"

namespace {

const wchar_t kOlderVersion[] = L"1.30.0315";

std::wstring WithVersion(const std::wstring& path) {
  const std::wstring version = FileVersionOf(path);
  return path + L" (FileVersion " + (version.empty() ? L"none" : version) + L")";
}

std::wstring LauncherText(const DemoContext& context, UINT id) {
  return StringOfModule(context.builtLauncher, id);  // English: language 0
}

bool MakeInstalledProductOlder(DemoContext& context) {
  std::wstring error;
  const bool written =
      WriteVersionedCopy(context.builtLauncher, context.machine.InstalledLauncher(),
                         BuildVersionResource(kOlderVersion), &error);
  context.transcript.Fact(L"installed launcher", WithVersion(context.machine.InstalledLauncher()));
  context.transcript.Fact(L"downloaded launcher",
                          WithVersion(context.machine.DownloadedLauncher()));
  return context.transcript.Require(
      written && FileVersionOf(context.machine.InstalledLauncher()) == kOlderVersion,
      L"the installed product is now older than the download",
      L"cannot make an older installed copy: " + error);
}

DialogAnswer UpdateAnswer(DemoContext& context, int button, const std::wstring& picture) {
  ExpectedDialog expected;
  expected.message = LauncherText(context, IDS_MSG_UPDATE_QUESTION);
  expected.button = button;
  expected.buttonText = LauncherText(context, button == IDOK ? IDS_BTN_OK : IDS_BTN_CANCEL);
  expected.picture = picture;
  return [&context, expected](HWND dialog) {
    return AnswerLauncherDialog(dialog, expected, context.transcript);
  };
}

// The install run's problems: the stand-in installer records its start, the
// real one records nothing of itself.
std::vector<std::wstring> InstallRunProblems(const DemoContext& context, const RunObservation& run,
                                             int copy, bool windowExpected) {
  const DemoMachine& machine = context.machine;
  if (context.realInstaller) {
    return CheckUnrecordedInstallRun(run, machine.DownloadedLauncher(), windowExpected);
  }
  return CheckInstallRun(run, machine.DownloadedLauncher(), machine.TempDir(),
                         machine.SetupCopy(copy), windowExpected);
}

bool FreshMachineInstalls(DemoContext& context) {
  DemoMachine& machine = context.machine;
  Transcript& transcript = context.transcript;
  transcript.Step(L"1", L"A fresh machine: the downloaded launcher installs the product");
  transcript.Fact(L"launcher", WithVersion(machine.DownloadedLauncher()));
  transcript.Fact(L"its installer", context.realInstaller ? L"the sample product's NSIS installer"
                                                          : L"the stand-in installer");
  transcript.Fact(L"uninstall key",
                  InstalledLocation().empty() ? L"absent: not installed" : InstalledLocation());
  transcript.Line(L"running the downloaded launcher...");
  const RunObservation run = machine.Run(machine.DownloadedLauncher(), nullptr);
  ReportRun(run, transcript);
  const std::wstring copy = machine.SetupCopy(1);
  if (!transcript.Verdict(L"announced its path and folder, then wrote, ran and waited for "
                          L"the installer",
                          InstallRunProblems(context, run, 1, false))) {
    return false;
  }
  transcript.Fact(L"installer copy", copy + L", " + std::to_wstring(FileSizeOf(copy)) + L" bytes");
  transcript.Fact(L"SetupPath", RecordedSetupPath());
  ReportInstalledProduct(machine.InstallDir(), transcript);
  transcript.Fact(L"installed", WithVersion(machine.InstalledLauncher()));
  std::vector<std::wstring> problems;
  if (_wcsicmp(RecordedSetupPath().c_str(), copy.c_str()) != 0) {
    problems.push_back(L"\"SetupPath\" does not name the installer copy");
  }
  if (!SamePath(InstalledLocation(), machine.InstallDir())) {
    problems.push_back(L"the uninstall key does not point at " + machine.InstallDir());
  }
  if (FileVersionOf(machine.InstalledLauncher()) != FileVersionOf(context.builtLauncher)) {
    problems.push_back(L"the installed Quarnel.exe is not the launcher's copy");
  }
  if (FileSizeOf(machine.InstallDir() + L"\\Zelvane.exe") <= 0) {
    problems.push_back(L"Zelvane.exe is missing from " + machine.InstallDir());
  }
  return transcript.Verdict(L"the installer copy is recorded and the product is installed",
                            problems);
}

bool InstalledLauncherHandsOff(DemoContext& context) {
  DemoMachine& machine = context.machine;
  Transcript& transcript = context.transcript;
  transcript.Step(L"2", L"The installed launcher, started from the product's folder");
  transcript.Fact(L"launcher", WithVersion(machine.InstalledLauncher()));
  const RunObservation run = machine.Run(machine.InstalledLauncher(), nullptr, L"zelvane-start");
  ReportRun(run, transcript);
  return transcript.Verdict(
      L"handed off to Zelvane.exe in the product's folder, no window",
      CheckHandOffRun(run, machine.InstalledLauncher(), machine.InstallDir(), false));
}

bool AcceptedUpdateInstalls(DemoContext& context) {
  DemoMachine& machine = context.machine;
  Transcript& transcript = context.transcript;
  transcript.Step(L"3", L"An older product installed: the update question, accepted");
  if (!MakeInstalledProductOlder(context)) return false;
  const std::wstring picture = context.pictureDir + L"\\update-question-en.png";
  const RunObservation run =
      machine.Run(machine.DownloadedLauncher(), UpdateAnswer(context, IDOK, picture));
  ReportRun(run, transcript);
  if (!transcript.Verdict(L"accepted: announced itself, wrote and ran the next installer copy",
                          InstallRunProblems(context, run, 2, true))) {
    return false;
  }
  AddCaption(picture, L"English \x00B7 update question");
  transcript.Fact(L"installed launcher", WithVersion(machine.InstalledLauncher()));
  return transcript.Require(
      FileVersionOf(machine.InstalledLauncher()) == FileVersionOf(context.builtLauncher),
      L"the update ran: the installed launcher is the new version",
      L"the installed launcher was not updated");
}

bool DeclinedUpdateHandsOff(DemoContext& context) {
  DemoMachine& machine = context.machine;
  Transcript& transcript = context.transcript;
  transcript.Step(L"4", L"The same older product, the update question declined");
  if (!MakeInstalledProductOlder(context)) return false;
  const RunObservation run = machine.Run(machine.DownloadedLauncher(),
                                         UpdateAnswer(context, IDCANCEL, L""), L"zelvane-start");
  ReportRun(run, transcript);
  if (!transcript.Verdict(
          L"declined: handed off to the installed Zelvane.exe",
          CheckHandOffRun(run, machine.DownloadedLauncher(), machine.InstallDir(), true))) {
    return false;
  }
  return transcript.Require(
      FileVersionOf(machine.InstalledLauncher()) == kOlderVersion &&
          FileSizeOf(machine.SetupCopy(3)) < 0,
      L"nothing was installed: the product stays at " + std::wstring(kOlderVersion),
      L"the declined update changed the installed product");
}

}  // namespace

bool RunProductLife(DemoContext& context) {
  Transcript& transcript = context.transcript;
  transcript.Step(L"0", L"Setting up the machine");
  transcript.Fact(L"machine folder", context.machine.Root());
  std::wstring error;
  if (!transcript.Require(
          context.machine.Prepare(&error) && ForgetProduct(),
          L"empty folders, no uninstall key, no \"SetupPath\", Wine's own Windows version",
          L"cannot set up the machine: " + error)) {
    return false;
  }
  return WithStandinService(context, [&context] {
    return FreshMachineInstalls(context) && InstalledLauncherHandsOff(context) &&
           AcceptedUpdateInstalls(context) && DeclinedUpdateHandsOff(context);
  });
}

bool WithStandinService(DemoContext& context, const std::function<bool()>& steps) {
  Transcript& transcript = context.transcript;
  // The update question speaks the service's language; the demo asks in English.
  const ServiceLanguageValue serviceLanguage(0);
  StandinService service;
  const std::wstring serviceArgs = L"--status 0 --log \"" + context.machine.ServiceLog() + L"\"";
  if (!transcript.Require(
          service.Start(serviceArgs),
          L"the stand-in ZelvaneSvc answers; it logs to " + context.machine.ServiceLog(),
          L"the stand-in service did not start")) {
    return false;
  }
  const bool done = steps();
  if (!transcript.Require(service.Stop(), L"the stand-in service stopped",
                          L"the stand-in service did not stop cleanly")) {
    return false;
  }
  return done;
}
