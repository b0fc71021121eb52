#include "tools/harness/launcher_run.h"

#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/field_escape.h"
#include "tools/harness/harness_failure.h"
#include "tools/harness/utf8.h"
#include "tools/harness/version_resource.h"

namespace {

const wchar_t* const kUninstallKeyPath = expected::kUninstallKey;

StandinRecord ParseLine(const std::wstring& line) {
  StandinRecord record;
  size_t start = 0;
  bool first = true;
  while (start <= line.size()) {
    size_t tab = line.find(L'\t', start);
    std::wstring part =
        line.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start);
    if (first) {
      record.event = part;
      first = false;
    } else {
      size_t eq = part.find(L'=');
      if (eq != std::wstring::npos)
        record.fields[part.substr(0, eq)] = UnescapeField(part.substr(eq + 1));
    }
    if (tab == std::wstring::npos) break;
    start = tab + 1;
  }
  return record;
}

std::vector<wchar_t> BuildEnvironment(const std::map<std::wstring, std::wstring>& extra) {
  std::map<std::wstring, std::wstring> merged;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
    std::wstring entry = p;
    size_t eq = entry.find(L'=', 1);
    if (eq == std::wstring::npos) continue;
    merged[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  FreeEnvironmentStringsW(block);
  for (const auto& pair : extra) {
    // Environment names are case-insensitive: drop any other spelling.
    for (auto it = merged.begin(); it != merged.end();) {
      if (_wcsicmp(it->first.c_str(), pair.first.c_str()) == 0)
        it = merged.erase(it);
      else
        ++it;
    }
    merged[pair.first] = pair.second;
  }
  std::vector<wchar_t> out;
  for (const auto& pair : merged) {
    std::wstring entry = pair.first + L"=" + pair.second;
    out.insert(out.end(), entry.begin(), entry.end());
    out.push_back(L'\0');
  }
  out.push_back(L'\0');
  return out;
}

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->windows.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<StandinRecord> ReadStandinLog(const std::wstring& path) {
  std::vector<StandinRecord> records;
  std::string bytes;
  if (!ReadWholeFile(path, &bytes)) return records;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) break;  // a line still being written
    records.push_back(ParseLine(FromUtf8(bytes.substr(start, end - start))));
    start = end + 1;
  }
  return records;
}

void ResetProductState() {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Velmora");
  SetReportedWindowsVersion(L"");
}

void SetReportedWindowsVersion(const std::wstring& version) {
  const wchar_t* key = L"Software\\Wine\\AppDefaults\\Quarnel.exe";
  if (version.empty()) {
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
    return;
  }
  HKEY handle = nullptr;
  if (!HARNESS_CHECK(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                     &handle, nullptr) == ERROR_SUCCESS,
                     "")) {
    return;
  }
  RegSetValueExW(handle, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                 static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
}

bool WriteUninstallKey(const std::wstring& installLocation, DWORD type) {
  HKEY key = nullptr;
  if (!HARNESS_CHECK(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, nullptr, 0,
                                     KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS,
                     "")) {
    return false;
  }
  const wchar_t name[] = L"Zelvane";
  // A list ends in a second terminator.
  const std::wstring data = installLocation + (type == REG_MULTI_SZ ? std::wstring(1, L'\0') : L"");
  const bool written =
      RegSetValueExW(key, L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                     sizeof(name)) == ERROR_SUCCESS &&
      RegSetValueExW(key, L"InstallLocation", 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  RegCloseKey(key);
  return written;
}

ChildProcess::~ChildProcess() {
  if (m_info.hProcess) {
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) Kill();
    CloseHandle(m_info.hProcess);
  }
  if (m_info.hThread) CloseHandle(m_info.hThread);
}

bool ChildProcess::Start(const std::wstring& exe, const std::wstring& args,
                         const std::map<std::wstring, std::wstring>& env,
                         const std::wstring& workingDir, const std::wstring& desktop) {
  std::wstring commandLine = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');
  std::vector<wchar_t> environment = BuildEnvironment(env);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  std::vector<wchar_t> desktopName(desktop.begin(), desktop.end());
  desktopName.push_back(L'\0');
  if (!desktop.empty()) startup.lpDesktop = desktopName.data();
  return CreateProcessW(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(),
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &m_info) != 0;
}

bool ChildProcess::Wait(DWORD ms) {
  return WaitForSingleObject(m_info.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(m_info.hProcess, &code);
  return code;
}

std::vector<HWND> ChildProcess::Windows() const {
  WindowSearch search = {m_info.dwProcessId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

void ChildProcess::Kill() {
  TerminateProcess(m_info.hProcess, 1);
  WaitForSingleObject(m_info.hProcess, 5000);
}

LauncherWorld::LauncherWorld(const std::wstring& tag) : m_dir(tag) {
  ResetProductState();
  CreateDirectoryW(TempDir().c_str(), nullptr);
  CreateDirectoryW(DownloadDir().c_str(), nullptr);
  HARNESS_CHECK(CopyFileW(BuiltLauncher().c_str(), DownloadedLauncher().c_str(), FALSE), "");
  m_env[L"TEMP"] = TempDir();
  m_env[L"TMP"] = TempDir();
  m_env[L"QUARNEL_STANDIN_LOG"] = LogPath();
  m_env[L"QUARNEL_STANDIN_INSTALL_DIR"] = InstallDir();
}

LauncherWorld::~LauncherWorld() { ResetProductState(); }

void LauncherWorld::InstallProduct(const std::wstring& version, bool withLauncher) {
  CreateDirectoryW(InstallDir().c_str(), nullptr);
  WriteUninstallKey(InstallDir());
  if (!HARNESS_CHECK(CopyFileW(StandinPath(L"Zelvane.exe").c_str(),
                               (InstallDir() + L"\\Zelvane.exe").c_str(), FALSE),
                     "")) {
    return;
  }
  if (!withLauncher) return;
  const std::wstring target = InstallDir() + L"\\Quarnel.exe";
  if (version == L"=") {
    HARNESS_CHECK(CopyFileW(BuiltLauncher().c_str(), target.c_str(), FALSE), "");
    return;
  }
  std::wstring error;
  HARNESS_CHECK(
      WriteVersionedCopy(BuiltLauncher(), target,
                         version.empty() ? BuildVersionResource(std::vector<VersionStringEntry>{})
                                         : BuildVersionResource(version),
                         &error),
      ": " + ToUtf8(error));
}

DWORD LauncherWorld::Run(const std::wstring& launcher, const std::wstring& args, DWORD ms) {
  ChildProcess process;
  if (!Start(process, launcher, args)) return static_cast<DWORD>(-1);
  if (!process.Wait(ms)) {
    process.Kill();
    return STILL_ACTIVE;
  }
  return process.ExitCode();
}

bool LauncherWorld::Start(ChildProcess& process, const std::wstring& launcher,
                          const std::wstring& args) {
  return process.Start(launcher, args, m_env);
}

bool LauncherWorld::WaitForRecord(const std::wstring& event, DWORD ms, size_t count) const {
  const DWORD start = GetTickCount();
  do {
    size_t seen = 0;
    for (const StandinRecord& record : Records()) {
      if (record.event == event) ++seen;
    }
    if (seen >= count) return true;
    Sleep(50);
  } while (GetTickCount() - start < ms);
  return false;
}

// Answers any window the launcher shows with the dialog's cancel command, so
// runs that show a message still end; reports whether one was shown.
DWORD RunAnsweringDialogs(LauncherWorld& world, const std::wstring& launcher,
                          const std::wstring& args, bool* dialogShown) {
  ChildProcess process;
  if (!world.Start(process, launcher, args)) return static_cast<DWORD>(-1);
  *dialogShown = false;
  for (int i = 0; i < 600 && !process.Wait(100); ++i) {
    for (HWND window : process.Windows()) {
      *dialogShown = true;
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
  }
  if (!process.Wait(0)) {
    process.Kill();
    return STILL_ACTIVE;
  }
  return process.ExitCode();
}

std::wstring BuiltLauncher() { return std::wstring(QUARNEL_TEST_BIN_DIR) + L"\\Quarnel.exe"; }

std::wstring StandinPath(const std::wstring& name) {
  const std::wstring laneDir = LaneProductStandinDir();
  if (!laneDir.empty() && FileExists(laneDir + L"\\" + name)) return laneDir + L"\\" + name;
  return std::wstring(QUARNEL_TEST_STANDIN_DIR) + L"\\" + name;
}

bool SamePath(std::wstring a, std::wstring b) {
  if (!a.empty() && a.back() == L'\\') a.pop_back();
  if (!b.empty() && b.back() == L'\\') b.pop_back();
  return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

NamedEvent::NamedEvent(const std::wstring& name) : m_name(name) {
  m_handle = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
}
NamedEvent::~NamedEvent() {
  if (m_handle) {
    SetEvent(m_handle);
    CloseHandle(m_handle);
  }
}
void NamedEvent::Set() { SetEvent(m_handle); }
bool NamedEvent::Wait(DWORD ms) { return WaitForSingleObject(m_handle, ms) == WAIT_OBJECT_0; }
