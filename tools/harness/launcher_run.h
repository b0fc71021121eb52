// End-to-end runs of the real Quarnel.exe in the test prefix, observed only
// from outside: the stand-ins' logs, files, registry values and named objects.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tools/harness/scratch_dir.h"

// One line of a stand-in's log: the event and its fields.
struct StandinRecord {
  std::wstring event;
  std::map<std::wstring, std::wstring> fields;
  std::wstring Field(const std::wstring& name) const {
    auto it = fields.find(name);
    return it == fields.end() ? std::wstring() : it->second;
  }
};

// Every line of a stand-in log, in order; empty when there is no log yet.
std::vector<StandinRecord> ReadStandinLog(const std::wstring& path);

// Deletes the product's uninstall key, the "SetupPath" key and the reported
// Windows version of Quarnel.exe from the test prefix, so each test starts
// from a machine that never saw the product.
void ResetProductState();

// Makes Wine report `version` ("winxp", "vista", "win7", "win10") to
// programs named Quarnel.exe; an empty version removes the setting.
void SetReportedWindowsVersion(const std::wstring& version);

// The product's uninstall key, "DisplayName" and "InstallLocation" (value as
// given, with the value type `type`; a REG_MULTI_SZ gets its second
// terminator); false when the key or a value could not be written.
bool WriteUninstallKey(const std::wstring& installLocation, DWORD type = REG_SZ);

// A started Quarnel.exe (or any program) with its own environment.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `exe` with the command-line tail `args`, the current environment
  // plus `env` (name -> value), in `workingDir` (empty: inherit), on
  // `desktop` ("station\\desktop"; empty: this process's).
  bool Start(const std::wstring& exe, const std::wstring& args,
             const std::map<std::wstring, std::wstring>& env, const std::wstring& workingDir = L"",
             const std::wstring& desktop = L"");
  // Waits up to `ms`; true when the process has ended.
  bool Wait(DWORD ms);
  DWORD ExitCode() const;
  // Top-level visible windows of the process, if any.
  std::vector<HWND> Windows() const;
  HANDLE Handle() const { return m_info.hProcess; }
  DWORD Id() const { return m_info.dwProcessId; }
  void Kill();

 private:
  PROCESS_INFORMATION m_info = {};
};

// A scratch "machine" for one end-to-end test: a temporary folder, an install
// folder, a download folder holding a copy of the built launcher, and the
// stand-in log, wired through the environment the launcher's children see.
class LauncherWorld {
 public:
  explicit LauncherWorld(const std::wstring& tag);
  ~LauncherWorld();

  std::wstring TempDir() const { return m_dir.File(L"temp"); }
  std::wstring InstallDir() const { return m_dir.File(L"installed"); }
  std::wstring DownloadDir() const { return m_dir.File(L"download"); }
  std::wstring DownloadedLauncher() const { return DownloadDir() + L"\\Quarnel.exe"; }
  std::wstring LogPath() const { return m_dir.File(L"standins.log"); }
  std::map<std::wstring, std::wstring>& Env() { return m_env; }

  // Installs the sample product by hand: the uninstall key, a launcher copy
  // whose "FileVersion" is `version` (empty: a version resource without any
  // string; "=": the built launcher unchanged) and the stand-in Zelvane.exe.
  void InstallProduct(const std::wstring& version, bool withLauncher = true);

  // Runs `launcher` with `args` and waits for it (at most `ms`); returns its
  // exit code, or STILL_ACTIVE when it did not end.
  DWORD Run(const std::wstring& launcher, const std::wstring& args = L"", DWORD ms = 60000);
  bool Start(ChildProcess& process, const std::wstring& launcher, const std::wstring& args = L"");

  std::vector<StandinRecord> Records() const { return ReadStandinLog(LogPath()); }
  // Waits (at most `ms`) until the log holds `count` lines of `event`.
  bool WaitForRecord(const std::wstring& event, DWORD ms = 30000, size_t count = 1) const;

 private:
  ScratchDir m_dir;
  std::map<std::wstring, std::wstring> m_env;
};

// Runs `launcher` with `args` in `world`, answering any window it shows with
// the dialog's cancel command so that runs showing a message still end;
// `dialogShown` tells whether one was shown. Returns the exit code, or
// STILL_ACTIVE when the launcher did not end within a minute.
DWORD RunAnsweringDialogs(LauncherWorld& world, const std::wstring& launcher,
                          const std::wstring& args, bool* dialogShown);

// The built launcher and stand-ins. A stand-in the lane has a build of its
// own for (see LaneProductStandinDir) comes from there.
std::wstring BuiltLauncher();
std::wstring StandinPath(const std::wstring& name);

// Case-insensitive comparison of two Windows paths, ignoring one trailing
// backslash.
bool SamePath(std::wstring a, std::wstring b);

// A named manual-reset event owned by the test.
class NamedEvent {
 public:
  explicit NamedEvent(const std::wstring& name);
  ~NamedEvent();
  const std::wstring& Name() const { return m_name; }
  void Set();
  bool Wait(DWORD ms);

 private:
  std::wstring m_name;
  HANDLE m_handle = nullptr;
};
