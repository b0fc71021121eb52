// The path buffer limits, each named once. A path that does not fit its
// buffer is refused, never cut.
#pragma once
#include <windows.h>

// Paths the launcher builds of its own files, the temporary folder, the
// installer copy and the hand-off, and the path a command record carries:
// MAX_PATH, 260 characters and the terminator, the longest path the shell
// and the loader take without long-path support.
constexpr int kLauncherPathChars = 261;
// Such a path between double quotes, for the shell.
constexpr int kQuotedPathChars = kLauncherPathChars + 2;
// A folder the launcher reads (the system folder, the install location)
// joined with a file name: 269 characters and the terminator, a few past
// MAX_PATH for the name after the folder.
constexpr int kSystemPathChars = 270;
constexpr int kInstalledPathChars = kSystemPathChars;
// The registry values of the uninstall key, read whole into one buffer:
// 540 bytes, as many UTF-16 code units as the installed launcher's path.
constexpr DWORD kInstallValueBytes = kInstalledPathChars * sizeof(WCHAR);
