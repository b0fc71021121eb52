#include "app/interactive_session.h"

namespace {

using SessionOfProcessFn = BOOL(WINAPI*)(DWORD processId, DWORD* sessionId);

// This process's session into `sessionId`; false when the system cannot say.
// Looked up by name: its documented minimum lies above the oldest Windows
// whose loader must still accept the launcher.
bool ReadOwnSession(DWORD& sessionId) {
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto sessionOf = kernel ? reinterpret_cast<SessionOfProcessFn>(reinterpret_cast<void*>(
                                      GetProcAddress(kernel, "ProcessIdToSessionId")))
                                : nullptr;
  return sessionOf && sessionOf(GetCurrentProcessId(), &sessionId);
}

// The system's major version; 0, which reads as before 6.0, when unknown.
DWORD WindowsMajorVersion() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return GetVersionExW(&info) ? info.dwMajorVersion : 0;
#pragma GCC diagnostic pop
}

}  // namespace

bool IsInteractiveWindowStation() {
  // The process's own station handle: not to be closed.
  const HWINSTA station = GetProcessWindowStation();
  USEROBJECTFLAGS flags = {};
  DWORD needed = 0;
  if (!station || !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof(flags), &needed)) {
    return false;
  }
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

bool IsInteractive(bool stationVisible, DWORD windowsMajor, bool sessionKnown, DWORD sessionId) {
  if (!stationVisible) return false;
  if (windowsMajor < 6) return true;
  return sessionKnown && sessionId != 0;
}

bool IsInteractiveSession() {
  DWORD session = 0;
  const bool known = ReadOwnSession(session);
  return IsInteractive(IsInteractiveWindowStation(), WindowsMajorVersion(), known, session);
}
