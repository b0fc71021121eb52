#include "tools/standin_service/service_objects.h"

#include <initializer_list>

namespace {

struct OpenSecurity {
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
  OpenSecurity() {
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = &sd;
    sa.bInheritHandle = FALSE;
  }
};

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
  if (m_ready) {
    ResetEvent(m_ready);
    CloseHandle(m_ready);
  }
  if (m_view) UnmapViewOfFile(m_view);
  for (HANDLE handle : {m_section, m_request, m_stop}) {
    if (handle) CloseHandle(handle);
  }
}

bool ServiceObjects::Create(DWORD sectionBytes, const char** error) {
  OpenSecurity security;
  m_request = CreateFresh(CreateEventW(&security.sa, FALSE, FALSE, kRequestEventName));
  m_section = CreateFresh(CreateFileMappingW(INVALID_HANDLE_VALUE, &security.sa, PAGE_READWRITE,
                                             0, sectionBytes, kSharedMemoryName));
  if (!m_request || !m_section) {
    *error = "the request event or shared memory exists already or cannot be created";
    return false;
  }
  m_view = MapViewOfFile(m_section, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  m_stop = CreateEventW(&security.sa, TRUE, FALSE, kStopEventName);
  m_ready = CreateEventW(&security.sa, TRUE, FALSE, kReadyEventName);
  if (!m_view || !m_stop || !m_ready) {
    *error = "cannot map the section or create the ready and stop events";
    return false;
  }
  ResetEvent(m_stop);
  return true;
}

void ServiceObjects::AnnounceReady() { SetEvent(m_ready); }

bool SignalRunningServiceToStop() {
  HANDLE stop = OpenEventW(EVENT_MODIFY_STATE, FALSE, kStopEventName);
  if (!stop) return false;
  SetEvent(stop);
  CloseHandle(stop);
  return true;
}
