// Finds the installed product through its uninstall key.
#pragma once
#include "afxwin.h"
#include "app/step_result.h"
#include "app/uninstall_key.h"
#include "base/path_limits.h"

// Succeeds when the uninstall key holds a readable display name and a fully
// qualified install location: `path` is then <location>\Quarnel.exe and `version`
// its version, possibly empty. Otherwise names the failed read; both untouched.
StepResult FindInstalledProduct(CString& version, CString& path);
