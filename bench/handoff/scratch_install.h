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

 private:
  std::wstring m_folder;
  bool m_ready = false;
};
