#include "bench/handoff/scratch_install.h"

#include <windows.h>

#include <utility>

#include "bench/common/own_folder.h"
#include "bench_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/launcher_run.h"

ScratchInstall::ScratchInstall() {
  m_ready =
      CreateDirectoryW(ProfileFolder().c_str(), nullptr) && CopyPrograms() && InstallAt(Folder());
}

ScratchInstall::~ScratchInstall() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, expected::kUninstallKey); }

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
