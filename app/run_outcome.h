// How a run ended, as one value that every step able to end it hands up to
// the one place that makes it the exit code for the tool that started the
// launcher, and the message for the person in front of the screen.
#pragma once
#include <windows.h>

#include "app/step_result.h"

// What ended the run. Everything that did the job (a refused notice, an
// unrecorded "SetupPath", a declined update) ends as kInstalled or kHandedOff.
enum class RunEnd : unsigned char {
  kNotEnded,               // a gate let the run go on
  kInstalled,              // the installer ran to its end: its own verdict
  kHandedOff,              // Zelvane.exe started (or, where nobody sees, found)
  kAnotherLauncherRuns,    // the instance mutex is another launcher's
  kUnsupportedWindows,     // Windows older than 6.1
  kSetupNotWritten,        // no folder, no name, no payload, no copy, or not the payload
  kSetupNotStarted,        // the shell refused to start the copy
  kSetupNotWaited,         // started, but its end could not be waited for
  kApplicationNotStarted,  // a hand-off path unqualified or too long, or no program to start
  kElevationDeclined,      // the person said "No" at the installer's elevation prompt
  kRepairDeclined,         // the person declined to repair a product without Zelvane.exe
};

// The process exit codes, as the README documents them. The launcher's own
// are clear of 1 and 3, which a crashed or aborted C runtime ends with; an
// installer may end with any number, so the trace tells the two apart.
constexpr int kExitDone = 0;
constexpr int kExitSetupNotWritten = 10;
constexpr int kExitSetupNotStarted = 11;
constexpr int kExitApplicationNotStarted = 12;
constexpr int kExitUnsupportedWindows = 13;
constexpr int kExitSetupNotWaited = 14;
// The numbers Windows Installer gives these outcomes, which deployment tools
// already read as "cancelled by the user" and "retry later".
constexpr int kExitElevationDeclined = ERROR_INSTALL_USEREXIT;
constexpr int kExitAnotherLauncherRuns = ERROR_INSTALL_ALREADY_RUNNING;

// Room for the file name of the program a run's error concerns.
constexpr int kProgramNameChars = 32;

struct RunOutcome {
  RunEnd end;
  // The step that failed, and its Windows error (0 when none is known);
  // meaningful for the ends that are failures.
  StepId step;
  DWORD error;
  // The installer's own exit code, for kInstalled.
  DWORD installerExitCode;
  // The file name of the program the failure concerns ("Quarnel_Setup1.exe",
  // "Zelvane.exe"), for a system text's %1; empty when none is known.
  WCHAR program[kProgramNameChars];

  // A gate passed: nothing has ended the run.
  static RunOutcome GoOn() { return Ended(RunEnd::kNotEnded); }
  // Ended with `end`, no step failed.
  static RunOutcome Ended(RunEnd end);
  // Ended with `end` because `failed` did, about the program at `path`.
  static RunOutcome Failed(RunEnd end, const StepResult& failed, LPCWSTR path);
  // The installer ran to its end with `exitCode` (0 when the shell gave no
  // process to wait for).
  static RunOutcome Installed(DWORD exitCode);
  // true once something has ended the run.
  bool Ended() const { return end != RunEnd::kNotEnded; }
};

// The end a deployment's failed step stands for: kElevationDeclined for a
// declined prompt, kSetupNotStarted for another refused start,
// kSetupNotWaited for a failed wait, kSetupNotWritten for all before.
RunEnd EndOfFailedDeployment(const StepResult& failed);

// The exit code `outcome` means: the installer's own after an install, 0
// after a hand-off, the codes above otherwise.
int ExitCodeOf(const RunOutcome& outcome);
// The catalogue base identifier of the message for `end`; 0 for the ends
// that show none (done, busy, unsupported, and the person's own choices).
UINT MessageIdOf(RunEnd end);
