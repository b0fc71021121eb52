// What the launcher does this run: install (or update) or hand off, from the
// command line, the installed product and the two versions.
#pragma once
#include <windows.h>

#include "afxwin.h"
#include "base/path_limits.h"
#include "ui/msg_dlg.h"

// The launcher's own path and "FileVersion", traced; the path stays empty
// when the platform could not give it or had to cut it, the version then too.
void ReadOwnVersion(WCHAR (&ownPath)[kLauncherPathChars], CString& ownVersion);

// true to install when `force` (-P), when the product is not installed, or
// when it is older and the user accepts the update on `dialog`, each term
// looked at only when all before it failed; false to hand off to the
// launcher at `installedPath`.
bool DecideToInstall(bool force, LPCWSTR ownVersion, CMsgDlg& dialog, CString& installedPath);
