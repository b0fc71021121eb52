// The launcher's own executable path, read whole or not at all.
#pragma once
#include <windows.h>

#include "base/system_path.h"

// The launcher's own path into `path`. False, with `path` emptied, when the
// platform had to cut it.
bool GetOwnModulePath(WCHAR (&path)[kLauncherPathChars]);
