#include "bench/channel/required_exchange.h"

#include "channel/channel_names.h"

namespace {

// The service's object names, formed once from the channel's own formats,
// so that each exchange of the floor costs only the exchange.
struct FloorNames {
  ExchangeObjectNames exchange;
  WCHAR commandMutex[kObjectNameChars];
};

const FloorNames& Names() {
  static const FloorNames names = [] {
    FloorNames formed = {};
    formed.exchange.Form();
    FormatObjectName(kCommandMutexFormat, kCommandMutexArgument, formed.commandMutex,
                     kObjectNameChars);
    return formed;
  }();
  return names;
}

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
  if (toView)
    CopyMemory(view, record, size);
  else
    CopyMemory(record, view, size);
  UnmapViewOfFile(view);
  return true;
}

void CloseIfHeld(HANDLE handle) {
  if (handle) CloseHandle(handle);
}

}  // namespace

HANDLE OpenRequiredCommandMutex() {
  HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, Names().commandMutex);
  if (mutex) return mutex;
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa = NullDaclAttributes(&sd);
  return CreateMutexW(&sa, FALSE, Names().commandMutex);
}

DWORD RequiredExchange(HANDLE mutex, void* record, DWORD size) {
  if (mutex) WaitForSingleObject(mutex, INFINITE);
  DWORD status = 4;
  HANDLE request = nullptr, end = nullptr, section = nullptr;
  HANDLE probe = OpenEventW(EVENT_MODIFY_STATE, TRUE, Names().exchange.requestEvent);
  if (probe) {
    CloseHandle(probe);
    request = OpenEventW(EVENT_MODIFY_STATE, TRUE, Names().exchange.requestEvent);
  }
  if (request) {
    SECURITY_DESCRIPTOR sd;
    SECURITY_ATTRIBUTES sa = NullDaclAttributes(&sd);
    end = CreateEventW(&sa, FALSE, FALSE, Names().exchange.endEvent);
  }
  if (end) section = OpenFileMappingW(FILE_MAP_ALL_ACCESS, TRUE, Names().exchange.sharedMemory);
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
