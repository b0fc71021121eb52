// Finds the installed product through its uninstall key.
#pragma once
#include "afxwin.h"
#include "app/step_result.h"
#include "app/uninstall_key.h"
#include "base/path_limits.h"

// Succeeds when the uninstall key carries a readable display name and an
// install location that is a fully qualified path: `path` then holds
// <location>\Quarnel.exe and `version` that file's version (empty when the
// file is missing or has none). Otherwise the result names the read that
// failed and its error, and both outputs are left as they were. The
// location's type is not trusted to say what it holds: REG_MULTI_SZ gives its
// first string, REG_EXPAND_SZ is expanded, any other type is read as text.
// A location that carries no terminator within 540 bytes, expands past 269
// characters, is not fully qualified after unquoting (see
// IsFullyQualifiedPath) or would make a path of more than 269 characters
// counts as not installed: nothing is cut, and nothing is read relative to
// the current folder. The display name's text is never used, so any value
// that reads counts.
StepResult FindInstalledProduct(CString& version, CString& path);
