// A product installed by hand in a scratch folder, as the hand-off bench
// needs it: the built launcher, the stand-in main application and the floor
// program side by side, found through the product's uninstall key.
#pragma once
#include <string>

class ScratchInstall {
 public:
  // Creates `folder` and fills it; the uninstall key points at it.
  explicit ScratchInstall(const std::wstring& folder);
  // Removes the uninstall key, so the prefix forgets the product.
  ~ScratchInstall();
  ScratchInstall(const ScratchInstall&) = delete;
  ScratchInstall& operator=(const ScratchInstall&) = delete;

  // True when every file was copied and the key written.
  bool Ready() const { return m_ready; }
  std::wstring Folder() const { return m_folder; }
  std::wstring Launcher() const { return m_folder + L"\\Quarnel.exe"; }
  std::wstring Floor() const { return m_folder + L"\\HandoffFloor.exe"; }
  // The launcher's start-up profile program, beside the launcher.
  std::wstring Profile() const { return m_folder + L"\\StartupProfile.exe"; }
  // The same without the payload, and a minimal program: their entry times.
  std::wstring ProfileLight() const { return m_folder + L"\\StartupProfileLight.exe"; }
  // The profile program linked with page-sized file alignment.
  std::wstring ProfileAligned() const { return m_folder + L"\\StartupProfileAligned.exe"; }
  std::wstring EntryProbe() const { return m_folder + L"\\EntryProbe.exe"; }
  // The minimal program with the launcher's manifest.
  std::wstring EntryProbeManifest() const { return m_folder + L"\\EntryProbeManifest.exe"; }
  // ... that also imports the launcher's libraries.
  // The floor that also records its entry point.
  std::wstring FloorStamped() const { return m_folder + L"\\HandoffFloorStamped.exe"; }
  std::wstring EntryProbeImports() const { return m_folder + L"\\EntryProbeImports.exe"; }
  // ... that imports only comctl32 (with the manifest), or only ole32.
  std::wstring EntryProbeComctl() const { return m_folder + L"\\EntryProbeComctl.exe"; }
  std::wstring EntryProbeOle() const { return m_folder + L"\\EntryProbeOle.exe"; }

 private:
  std::wstring m_folder;
  bool m_ready = false;
};
