// Where the product's installer registers it, for the launcher and for the
// programs that measure it.
#pragma once
#include <windows.h>

// HKEY_LOCAL_MACHINE subkey holding "DisplayName" and "InstallLocation".
constexpr WCHAR kUninstallKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    L"{4C2E91B7-0D3A-4F68-A5E2-7B19C6D03F8A}";
