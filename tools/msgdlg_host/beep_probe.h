// Makes the dialog's MessageBeep observable: a sound cannot be heard under a
// virtual display, so the host's import of MessageBeep is redirected to a
// recorder that remembers each sound type and then plays it as before.
#pragma once
#include <windows.h>

#include <vector>

// Redirects this executable's import of user32!MessageBeep. False when the
// import is not found (the recorder then sees nothing).
bool InstallBeepProbe();

// The sound types passed to MessageBeep since the last call; clears them.
std::vector<UINT> TakeRecordedBeeps();
