// The demo's scratch "machine" inside the build tree: a temporary folder, a
// download folder with the built launcher and the logs of the stand-ins and
// the stand-in service; the product goes where its real installer puts it,
// into Program Files. The launcher and
// everything it starts see these folders through their environment.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "tools/harness/launch_outcome.h"

// Answers the launcher's dialog (already shown and settled); false when what
// it showed was wrong.
using DialogAnswer = std::function<bool(HWND dialog)>;

class DemoMachine {
 public:
  // `root` is the machine's folder; `builtLauncher` the Quarnel.exe to demo.
  DemoMachine(const std::wstring& root, const std::wstring& builtLauncher);

  // Empties the folder and the install folder, makes the sub-folders and
  // downloads the launcher.
  // False, with a message in `error`, when any of it fails.
  bool Prepare(std::wstring* error);

  const std::wstring& Root() const { return m_root; }
  std::wstring TempDir() const { return m_root + L"\\temp"; }
  std::wstring DownloadedLauncher() const { return m_root + L"\\download\\Quarnel.exe"; }
  const std::wstring& InstallDir() const { return m_installDir; }
  std::wstring InstalledLauncher() const { return InstallDir() + L"\\Quarnel.exe"; }
  std::wstring StandinLog() const { return m_root + L"\\standins.log"; }
  std::wstring ServiceLog() const { return m_root + L"\\service.log"; }
  // The n-th installer copy the launcher writes into the temporary folder.
  std::wstring SetupCopy(int n) const;

  // Runs `launcher` until it ends (at most a minute), handing a dialog it
  // shows to `answer` (none: the dialog is cancelled), and returns what the
  // run left behind. A run that leaves `awaitEvent` to be logged (a program
  // the launcher does not wait for) is given up to ten seconds for it.
  RunObservation Run(const std::wstring& launcher, const DialogAnswer& answer,
                     const std::wstring& awaitEvent = L"");

 private:
  std::wstring m_root;
  std::wstring m_builtLauncher;
  std::wstring m_installDir;
  std::map<std::wstring, std::wstring> m_env;
};
