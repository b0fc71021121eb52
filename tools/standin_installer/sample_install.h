// What the stand-in installer installs: the sample product.
#pragma once
#include <string>

// Default install location of the sample product.
extern const wchar_t kSampleInstallDir[];

// Creates `dir`, copies `launcherPath` into it as "Quarnel.exe" and the
// embedded stand-in main application as "Zelvane.exe", then writes the
// product's uninstall key ("DisplayName", "InstallLocation" = dir). Returns
// an empty string on success, else what failed.
std::wstring InstallSampleProduct(const std::wstring& dir, const std::wstring& launcherPath);
