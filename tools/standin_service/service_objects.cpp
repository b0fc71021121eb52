#include "tools/standin_service/service_objects.h"

#include "channel/null_dacl_security.h"

namespace {

// Creates a new object only: an existing one means another service runs.
HANDLE CreateFresh(HANDLE handle) {
  if (handle && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle);
    return nullptr;
  }
  return handle;
}

}  // namespace

ServiceObjects::~ServiceObjects() {
  if (m_ready) ResetEvent(m_ready.Get());
  if (m_view) UnmapViewOfFile(m_view);
}

bool ServiceObjects::Create(DWORD sectionBytes, const char** error) {
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
  PrepareNullDaclSecurity(sd, sa);
  m_request.Reset(CreateFresh(CreateEventW(&sa, FALSE, FALSE, kRequestEventName)));
  m_section.Reset(CreateFresh(CreateFileMappingW(INVALID_HANDLE_VALUE, &sa, PAGE_READWRITE, 0,
                                                 sectionBytes, kSharedMemoryName)));
  if (!m_request || !m_section) {
    *error = "the request event or shared memory exists already or cannot be created";
    return false;
  }
  m_view = MapViewOfFile(m_section.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0);
  m_stop.Reset(CreateEventW(&sa, TRUE, FALSE, kStopEventName));
  m_ready.Reset(CreateEventW(&sa, TRUE, FALSE, kReadyEventName));
  if (!m_view || !m_stop || !m_ready) {
    *error = "cannot map the section or create the ready and stop events";
    return false;
  }
  ResetEvent(m_stop.Get());
  return true;
}

void ServiceObjects::AnnounceReady() { SetEvent(m_ready.Get()); }

bool SetNamedEvent(const wchar_t* name) {
  ScopedHandle event(OpenEventW(EVENT_MODIFY_STATE, FALSE, name));
  return event && SetEvent(event.Get());
}
