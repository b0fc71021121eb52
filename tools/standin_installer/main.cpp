// Stand-in for the product's installer. Records how it was started, then
// installs the sample product: the launcher that started it becomes the
// installed Quarnel.exe, next to a stand-in Zelvane.exe.
//
// Environment:
//   QUARNEL_STANDIN_LOG            log file (see standin_log.h)
//   QUARNEL_STANDIN_INSTALL=0      record only, install nothing
//   QUARNEL_STANDIN_INSTALL_DIR    install location (default below)
//   QUARNEL_STANDIN_STARTED_EVENT  signalled once started
//   QUARNEL_STANDIN_WAIT_EVENT     waited for before exiting
//   QUARNEL_STANDIN_EXIT_CODE      the exit code to end with (default 0)
//   QUARNEL_STANDIN_PROBE_LOCK=1   record what another process could do to
//                                  this running copy (self_lock_probe.h)
#include <windows.h>

#include <cwchar>

#include "sample_install.h"
#include "self_lock_probe.h"
#include "standin_common/env.h"
#include "standin_common/standin_log.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  LogFields fields = StartFields();
  AppendStandinLog(L"installer-start", fields);
  SignalStartedEvent();
  if (GetEnv(L"QUARNEL_STANDIN_PROBE_LOCK") == L"1") {
    AppendStandinLog(L"installer-lock", ProbeOwnImage(fields[1].second));
  }
  if (GetEnv(L"QUARNEL_STANDIN_INSTALL", L"1") != L"0") {
    const std::wstring dir = GetEnv(L"QUARNEL_STANDIN_INSTALL_DIR", kSampleInstallDir);
    const std::wstring launcher = fields[4].second;  // the parent: the launcher
    const std::wstring error = InstallSampleProduct(dir, launcher);
    AppendStandinLog(L"installer-installed",
                     {{L"dir", dir}, {L"result", error.empty() ? L"ok" : error}});
  }
  WaitForReleaseEvent();
  const std::wstring code = GetEnv(L"QUARNEL_STANDIN_EXIT_CODE", L"0");
  return static_cast<int>(std::wcstoul(code.c_str(), nullptr, 0));
}
