// The launcher's own executable path, read whole or not at all.
#pragma once
#include <windows.h>

#include "base/system_path.h"

// The launcher's own path into `path`. false, with `path` emptied, when the
// platform gives none or had to cut it.
bool GetOwnModulePath(WCHAR (&path)[kLauncherPathChars]);
