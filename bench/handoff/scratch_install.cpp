#include "bench/handoff/scratch_install.h"

#include <windows.h>

#include "bench/common/child.h"
#include "bench_paths.h"

namespace {

const wchar_t kUninstallKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    L"{4C2E91B7-0D3A-4F68-A5E2-7B19C6D03F8A}";

bool SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
         ERROR_SUCCESS;
}

bool WriteUninstallKey(const std::wstring& folder) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool written = SetText(key, L"DisplayName", L"Zelvane") &&
                       SetText(key, L"InstallLocation", folder);
  RegCloseKey(key);
  return written;
}

}  // namespace

ScratchInstall::ScratchInstall(const std::wstring& folder) : m_folder(folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring bench = OwnFolder();
  m_ready = CopyFileW((std::wstring(BENCH_BIN_DIR) + L"\\Quarnel.exe").c_str(),
                      Launcher().c_str(), FALSE) &&
            CopyFileW((std::wstring(BENCH_STANDIN_DIR) + L"\\Zelvane.exe").c_str(),
                      (folder + L"\\Zelvane.exe").c_str(), FALSE) &&
            CopyFileW((bench + L"\\HandoffFloor.exe").c_str(), Floor().c_str(), FALSE) &&
            CopyFileW((bench + L"\\StartupProfile.exe").c_str(), Profile().c_str(), FALSE) &&
            CopyFileW((bench + L"\\StartupProfileLight.exe").c_str(), ProfileLight().c_str(),
                      FALSE) &&
            CopyFileW((bench + L"\\StartupProfileAligned.exe").c_str(), ProfileAligned().c_str(),
                      FALSE) &&
            CopyFileW((bench + L"\\EntryProbe.exe").c_str(), EntryProbe().c_str(), FALSE) &&
            CopyFileW((bench + L"\\EntryProbeManifest.exe").c_str(),
                      EntryProbeManifest().c_str(), FALSE) &&
            CopyFileW((bench + L"\\HandoffFloorStamped.exe").c_str(), FloorStamped().c_str(),
                      FALSE) &&
            CopyFileW((bench + L"\\EntryProbeComctl.exe").c_str(), EntryProbeComctl().c_str(),
                      FALSE) &&
            CopyFileW((bench + L"\\EntryProbeOle.exe").c_str(), EntryProbeOle().c_str(),
                      FALSE) &&
            CopyFileW((bench + L"\\EntryProbeImports.exe").c_str(),
                      EntryProbeImports().c_str(), FALSE) &&
            WriteUninstallKey(folder);
}

ScratchInstall::~ScratchInstall() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kUninstallKey); }
