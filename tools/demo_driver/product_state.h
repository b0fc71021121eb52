// The parts of the Wine prefix's state the launcher reads or writes: the
// product's uninstall key, "SetupPath", the Windows version Wine reports to
// Quarnel.exe, and file sizes.
#pragma once
#include <windows.h>

#include <string>

// Removes the uninstall key, the "SetupPath" key and any reported-version
// setting, as on a machine that never saw the product. False if one remains.
bool ForgetProduct();

// The uninstall key's "InstallLocation"; empty when there is none.
std::wstring InstalledLocation();

// HKCU\SOFTWARE\Velmora\Quarnel "SetupPath"; empty when there is none.
std::wstring RecordedSetupPath();

// Makes Wine report `version` ("vista" is Windows 6.0) to every program named
// Quarnel.exe for the life of the object; removes the setting afterwards.
class ReportedWindowsVersion {
 public:
  explicit ReportedWindowsVersion(const wchar_t* version);
  ~ReportedWindowsVersion();
  ReportedWindowsVersion(const ReportedWindowsVersion&) = delete;
  ReportedWindowsVersion& operator=(const ReportedWindowsVersion&) = delete;
  bool active() const { return m_active; }

 private:
  bool m_active = false;
};

// The file's size in bytes; -1 when it cannot be read.
long long FileSizeOf(const std::wstring& path);

// String `id` of the executable `module` (its string table, read as data);
// empty when it is missing.
std::wstring StringOfModule(const std::wstring& module, UINT id);
