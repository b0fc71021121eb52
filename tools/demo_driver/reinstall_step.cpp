// Step 7 of the demo: the real installer's uninstaller removes the product,
// and the downloaded launcher installs it again.
#include <windows.h>

#include "demo_steps.h"
#include "installed_product.h"
#include "product_state.h"
#include "run_report.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/observed_values.h"
#include "tools/harness/scratch_dir.h"
#include "tools/harness/version_resource.h"

namespace {

const DWORD kUninstallLimitMs = 30000;

std::wstring KeyValue(const wchar_t* name) {
  return StringValueIn(HKEY_LOCAL_MACHINE, expected::kUninstallKey, name, KEY_WOW64_32KEY);
}

bool ProductGone(const std::wstring& installDir) {
  return !FileExists(installDir) && KeyValue(L"DisplayName").empty();
}

// Runs `command`, the key's quiet uninstaller ("path" /S), and waits up to
// 30 s for the product to go: the NSIS uninstaller goes on in a copy of
// itself, and the process started returns at once.
bool Uninstall(const std::wstring& command, const std::wstring& installDir) {
  const size_t close = command.find(L'"', 1);
  if (command.size() < 2 || command[0] != L'"' || close == std::wstring::npos) return false;
  const std::wstring args = command.substr(close + 1);
  ChildProcess uninstaller;
  if (!uninstaller.Start(command.substr(1, close - 1), args.substr(args.find_first_not_of(L' ')),
                         {})) {
    return false;
  }
  const DWORD start = GetTickCount();
  while (!ProductGone(installDir) && GetTickCount() - start < kUninstallLimitMs) Sleep(100);
  return ProductGone(installDir);
}

bool InstallsAgain(DemoContext& context) {
  DemoMachine& machine = context.machine;
  Transcript& transcript = context.transcript;
  transcript.Line(L"running the downloaded launcher...");
  const RunObservation run = machine.Run(machine.DownloadedLauncher(), nullptr);
  ReportRun(run, transcript);
  if (!transcript.Verdict(L"announced itself, then wrote, ran and waited for the installer",
                          CheckUnrecordedInstallRun(run, machine.DownloadedLauncher(), false))) {
    return false;
  }
  ReportInstalledProduct(machine.InstallDir(), transcript);
  // The repair of step 6 wrote the third.
  const std::wstring copy = machine.SetupCopy(4);
  return transcript.Require(
      SamePath(RecordedSetupPath(), copy) &&
          FileVersionOf(machine.InstalledLauncher()) == FileVersionOf(context.builtLauncher),
      L"installed again by " + copy, L"the product was not installed again by " + copy);
}

}  // namespace

bool RunUninstallAndReinstall(DemoContext& context) {
  Transcript& transcript = context.transcript;
  const std::wstring installDir = context.machine.InstallDir();
  transcript.Step(L"7", L"The uninstaller removes the product; the download installs it again");
  const std::wstring quiet = KeyValue(L"QuietUninstallString");
  if (!transcript.Require(
          context.realInstaller && !quiet.empty(), L"the uninstall key names the quiet uninstaller",
          L"no quiet uninstaller: the launcher does not carry the NSIS installer")) {
    return false;
  }
  transcript.Line(L"running " + quiet + L"...");
  const bool removed = Uninstall(quiet, installDir);
  transcript.Fact(L"install folder", FileExists(installDir) ? L"still there" : L"removed");
  transcript.Fact(L"uninstall key", KeyValue(L"DisplayName").empty() ? L"removed" : L"still there");
  if (!transcript.Require(removed, L"the uninstaller removed the files, the folder and the key",
                          L"the uninstaller left the product behind")) {
    return false;
  }
  return WithStandinService(context, [&context] { return InstallsAgain(context); });
}
