// Whether anybody can see the launcher's dialog and answer it. A deployment
// tool runs the launcher as SYSTEM in session 0, or on a window station of
// its own; a dialog there waits for a click nobody can give.
#pragma once
#include <windows.h>

// true when the process's window station is the one a person sees
// (WSF_VISIBLE); false when it is not, or cannot be asked.
bool IsInteractiveWindowStation();

// The verdict from what the platform reported: a visible station, and from
// Windows 6.0 (`windowsMajor` 6 and above) a session other than 0, where only
// services run since then although its station carries WSF_VISIBLE; an
// unknown session counts as theirs. On 5.x the console's own session is 0.
bool IsInteractive(bool stationVisible, DWORD windowsMajor, bool sessionKnown, DWORD sessionId);

// IsInteractive for this process: only then may a dialog wait for an answer.
bool IsInteractiveSession();
