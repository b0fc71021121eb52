#include "bench/handoff/scratch_install.h"

#include <windows.h>

#include <utility>

#include "bench/common/own_folder.h"
#include "base/scoped_handles.h"
#include "bench_paths.h"
#include "tools/harness/expected_values.h"

namespace {

const wchar_t* const kUninstallKey = expected::kUninstallKey;

bool SetText(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
         ERROR_SUCCESS;
}

bool WriteUninstallKey(const std::wstring& folder) {
  ScopedRegKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) {
    return false;
  }
  return SetText(key.Get(), L"DisplayName", L"Zelvane") &&
         SetText(key.Get(), L"InstallLocation", folder);
}

}  // namespace

ScratchInstall::ScratchInstall(const std::wstring& folder) : m_folder(folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW(ProfileFolder().c_str(), nullptr);
  m_ready = CopyPrograms() && InstallAt(folder);
}

ScratchInstall::~ScratchInstall() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kUninstallKey); }

bool ScratchInstall::InstallAt(const std::wstring& folder) { return WriteUninstallKey(folder); }

bool ScratchInstall::CopyPrograms() {
  const std::wstring bench = OwnFolder() + L"\\";
  const std::wstring zelvane = std::wstring(BENCH_STANDIN_DIR) + L"\\Zelvane.exe";
  const std::pair<std::wstring, std::wstring> copies[] = {
      {std::wstring(BENCH_BIN_DIR) + L"\\Quarnel.exe", Launcher()},
      {zelvane, In(L"Zelvane.exe")},
      {zelvane, ProfileFolder() + L"\\Zelvane.exe"},
      {bench + L"StartupProfile.exe", Profile()},
      {bench + L"HandoffFloor.exe", Floor()},
      {bench + L"HandoffRequiredFloor.exe", RequiredFloor()},
      {bench + L"HandoffFloorStamped.exe", FloorStamped()},
      {bench + L"StartupProfileAligned.exe", ProfileAligned()},
      {bench + L"StartupProfileLight.exe", ProfileLight()},
      {bench + L"EntryProbe.exe", EntryProbe()},
      {bench + L"EntryProbeManifest.exe", EntryProbeManifest()},
      {bench + L"EntryProbeComctl.exe", EntryProbeComctl()},
      {bench + L"EntryProbeOle.exe", EntryProbeOle()},
      {bench + L"EntryProbeImports.exe", EntryProbeImports()}};
  for (const auto& copy : copies) {
    if (!CopyFileW(copy.first.c_str(), copy.second.c_str(), FALSE)) return false;
  }
  return true;
}
