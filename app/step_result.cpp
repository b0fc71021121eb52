#include "app/step_result.h"

LPCWSTR StepCallName(StepId step) {
  switch (step) {
    case StepId::kUninstallKey: return L"uninstall key";
    case StepId::kDisplayName: return L"DisplayName";
    case StepId::kInstallLocation: return L"InstallLocation";
    case StepId::kInstalledPath: return L"installed launcher path";
    case StepId::kTempFolder: return L"GetTempPathW";
    case StepId::kPrivateFolder: return L"private folder";
    case StepId::kSetupName: return L"installer name";
    case StepId::kPayload: return L"payload resource";
    case StepId::kSetupCopy: return L"installer copy";
    case StepId::kSetupLock: return L"installer copy lock";
    case StepId::kSetupCheck: return L"installer copy check";
    case StepId::kSetupPathRecord: return L"SetupPath";
    case StepId::kInstallerStart: return L"ShellExecuteExW";
    case StepId::kInstallerWait: return L"WaitForSingleObject";
    case StepId::kHandoffPath: return L"hand-off path";
    case StepId::kHandoffProgram: return L"GetFileAttributesW";
    case StepId::kHandoffStart: return L"ShellExecuteExW";
  }
  return L"step";
}
