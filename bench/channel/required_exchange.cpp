#include "bench/channel/required_exchange.h"

namespace {

const wchar_t kRequestEvent[] = L"Global\\ZelvaneSvcEvent";
const wchar_t kEndEvent[] = L"Global\\ZelvaneSvcEndEvent";
const wchar_t kSection[] = L"Global\\ZelvaneSvcMem";

// Security attributes whose descriptor has a NULL DACL, pointing at `sd`.
SECURITY_ATTRIBUTES NullDaclAttributes(SECURITY_DESCRIPTOR* sd) {
  InitializeSecurityDescriptor(sd, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(sd, TRUE, nullptr, FALSE);
  SECURITY_ATTRIBUTES sa = {sizeof(sa), sd, FALSE};
  return sa;
}

// Copies `size` bytes to (toView) or from the start of a fresh view of
// `section`; false when it cannot be mapped.
bool CopyThroughView(HANDLE section, void* record, DWORD size, bool toView) {
  void* view = MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (!view) return false;
  if (toView) CopyMemory(view, record, size); else CopyMemory(record, view, size);
  UnmapViewOfFile(view);
  return true;
}

void CloseIfHeld(HANDLE handle) {
  if (handle) CloseHandle(handle);
}

}  // namespace

HANDLE OpenRequiredCommandMutex() {
  HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, L"Global\\2017PellunCmdMutex");
  if (mutex) return mutex;
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa = NullDaclAttributes(&sd);
  return CreateMutexW(&sa, FALSE, L"Global\\2017PellunCmdMutex");
}

DWORD RequiredExchange(HANDLE mutex, void* record, DWORD size) {
  if (mutex) WaitForSingleObject(mutex, INFINITE);
  DWORD status = 4;
  HANDLE request = nullptr, end = nullptr, section = nullptr;
  HANDLE probe = OpenEventW(EVENT_MODIFY_STATE, TRUE, kRequestEvent);
  if (probe) {
    CloseHandle(probe);
    request = OpenEventW(EVENT_MODIFY_STATE, TRUE, kRequestEvent);
  }
  if (request) {
    SECURITY_DESCRIPTOR sd;
    SECURITY_ATTRIBUTES sa = NullDaclAttributes(&sd);
    end = CreateEventW(&sa, FALSE, FALSE, kEndEvent);
  }
  if (end) section = OpenFileMappingW(FILE_MAP_ALL_ACCESS, TRUE, kSection);
  if (section && CopyThroughView(section, record, size, true)) {
    SetEvent(request);
    WaitForSingleObject(end, INFINITE);
    ResetEvent(end);
    status = 255;
    if (CopyThroughView(section, record, size, false)) {
      status = static_cast<const DWORD*>(record)[1];
    }
  }
  CloseIfHeld(section);
  CloseIfHeld(request);
  CloseIfHeld(end);
  if (mutex) ReleaseMutex(mutex);
  return status;
}
