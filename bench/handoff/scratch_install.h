// A product installed by hand in a fresh scratch folder (removed with it),
// as the hand-off bench needs it: the built launcher and the stand-in main
// application, with the floor and the probe programs beside them, found
// through the product's uninstall key. A "profile" folder inside holds the start-up profile
// program under the launcher's name, so that, installed there, it reads its
// own version as the launcher does.
#pragma once
#include <string>

#include "tools/harness/scratch_dir.h"

class ScratchInstall {
 public:
  // Creates the folder and its profile folder and fills them; the uninstall
  // key points at the folder.
  ScratchInstall();
  // Removes the uninstall key, so the prefix forgets the product.
  ~ScratchInstall();
  ScratchInstall(const ScratchInstall&) = delete;
  ScratchInstall& operator=(const ScratchInstall&) = delete;

  // True when every file was copied and the key written.
  bool Ready() const { return m_ready; }
  // Points the uninstall key's install location at `folder`.
  bool InstallAt(const std::wstring& folder);

  std::wstring Folder() const { return m_dir.Path(); }
  std::wstring ProfileFolder() const { return m_dir.File(L"profile"); }
  std::wstring Launcher() const { return In(L"Quarnel.exe"); }
  std::wstring Floor() const { return In(L"HandoffFloor.exe"); }
  // The floor that also does what the launcher is required to do first.
  std::wstring RequiredFloor() const { return In(L"HandoffRequiredFloor.exe"); }
  // The floor that also records its entry point.
  std::wstring FloorStamped() const { return In(L"HandoffFloorStamped.exe"); }
  // The launcher's start-up road with timestamps, named Quarnel.exe.
  std::wstring Profile() const { return ProfileFolder() + L"\\Quarnel.exe"; }
  // The same image linked page-aligned, and built without the payload.
  std::wstring ProfileAligned() const { return In(L"StartupProfileAligned.exe"); }
  std::wstring ProfileLight() const { return In(L"StartupProfileLight.exe"); }
  // Minimal programs: alone, with the launcher's manifest, with comctl32
  // and the manifest, with ole32, with all the launcher's imports.
  std::wstring EntryProbe() const { return In(L"EntryProbe.exe"); }
  std::wstring EntryProbeManifest() const { return In(L"EntryProbeManifest.exe"); }
  std::wstring EntryProbeComctl() const { return In(L"EntryProbeComctl.exe"); }
  std::wstring EntryProbeOle() const { return In(L"EntryProbeOle.exe"); }
  std::wstring EntryProbeImports() const { return In(L"EntryProbeImports.exe"); }

 private:
  std::wstring In(const wchar_t* name) const { return m_dir.File(name); }
  bool CopyPrograms();

  ScratchDir m_dir{L"handoff"};
  bool m_ready = false;
};
