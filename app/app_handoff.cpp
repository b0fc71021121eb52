#include "app/app_handoff.h"

#include <shellapi.h>

#include "app/interactive_session.h"
#include "app/shell_start.h"
#include "app/trace.h"
#include "base/qualified_path.h"

namespace {

// Index just past the last backslash or slash of `path`, 0 when it has none.
int FileNameStart(LPCWSTR path, int length) {
  for (int at = length; at > 0; --at) {
    if (IsSeparator(path[at - 1])) return at;
  }
  return 0;
}

}  // namespace

bool HandoffPaths(LPCWSTR installedLauncherPath, WCHAR (&program)[kHandoffPathChars],
                  WCHAR (&folder)[kHandoffPathChars]) {
  program[0] = L'\0';
  folder[0] = L'\0';
  const int length = lstrlenW(installedLauncherPath);
  const int nameStart = FileNameStart(installedLauncherPath, length);
  const int nameChars = lstrlenW(kMainApplication);
  if (length >= kHandoffPathChars || nameStart + nameChars >= kHandoffPathChars) return false;
  CopyMemory(program, installedLauncherPath, nameStart * sizeof(WCHAR));
  CopyMemory(program + nameStart, kMainApplication, (nameChars + 1) * sizeof(WCHAR));
  // "C:\" and "\\?\C:\" stay roots: without the separator they would name
  // the drive's current folder, or the volume itself.
  const bool root = nameStart > 0 && nameStart == DriveRootLength(installedLauncherPath);
  const int folderLength = nameStart == 0 || root ? nameStart : nameStart - 1;
  CopyMemory(folder, installedLauncherPath, folderLength * sizeof(WCHAR));
  folder[folderLength] = L'\0';
  return true;
}

namespace {

// The main application's path and folder for `installedLauncherPath`; fails
// (kHandoffPath) as LaunchInstalledApplication does before it starts.
StepResult LocateMainApplication(LPCWSTR installedLauncherPath, WCHAR (&program)[kHandoffPathChars],
                                 WCHAR (&folder)[kHandoffPathChars]) {
  // A relative path would be resolved against whatever folder the launcher
  // was started in: a Downloads folder, where anyone may have put a program.
  if (!IsFullyQualifiedPath(installedLauncherPath)) {
    return StepResult::Failed(StepId::kHandoffPath, ERROR_BAD_PATHNAME);
  }
  if (!HandoffPaths(installedLauncherPath, program, folder)) {
    return StepResult::Failed(StepId::kHandoffPath, ERROR_FILENAME_EXCED_RANGE);
  }
  return StepResult::Done(StepId::kHandoffPath);
}

}  // namespace

StepResult LaunchInstalledApplication(LPCWSTR installedLauncherPath) {
  WCHAR program[kHandoffPathChars];
  WCHAR folder[kHandoffPathChars];
  const StepResult located = LocateMainApplication(installedLauncherPath, program, folder);
  if (!located) return located;
  WCHAR quoted[kQuotedPathChars];
  if (!QuotePath(program, quoted)) {
    return StepResult::Failed(StepId::kHandoffPath, ERROR_FILENAME_EXCED_RANGE);
  }
  // No process handle is asked for: the main application is never waited for.
  // A refused start is the launcher's to report, not the shell's.
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = quoted;
  info.lpDirectory = folder[0] ? folder : nullptr;
  info.nShow = SW_SHOWNORMAL;
  const StepResult start = StartThroughShell(info, StepId::kHandoffStart);
  if (start) Trace(L"hand-off: started %s", program);
  return start;
}

StepResult ConfirmInstalledApplication(LPCWSTR installedLauncherPath) {
  WCHAR program[kHandoffPathChars];
  WCHAR folder[kHandoffPathChars];
  const StepResult located = LocateMainApplication(installedLauncherPath, program, folder);
  if (!located) return located;
  const DWORD attributes = GetFileAttributesW(program);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return StepResult::FailedWithLastError(StepId::kHandoffProgram);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    return StepResult::Failed(StepId::kHandoffProgram, ERROR_FILE_NOT_FOUND);
  }
  Trace(L"hand-off: up to date, nobody to see the application; %s not started", program);
  return StepResult::Done(StepId::kHandoffProgram);
}

RunOutcome RunHandOff(LPCWSTR installedLauncherPath) {
  const StepResult handoff = IsInteractiveSession()
                                 ? LaunchInstalledApplication(installedLauncherPath)
                                 : ConfirmInstalledApplication(installedLauncherPath);
  if (handoff) return RunOutcome::Ended(RunEnd::kHandedOff);
  TraceIfFailed(L"hand-off", handoff);
  return RunOutcome::Failed(RunEnd::kApplicationNotStarted, handoff, kMainApplication);
}
