#include "tools/standin_service/service_objects.h"

#include "channel/null_dacl_security.h"

ServiceObjects::~ServiceObjects() {
  if (m_ready) ResetEvent(m_ready.Get());
}

bool ServiceObjects::Create(DWORD sectionBytes, const char** error) {
  if (!m_channel.Create(true, sectionBytes)) {
    *error = "the request event or shared memory exists already or cannot be created or mapped";
    return false;
  }
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
  PrepareNullDaclSecurity(sd, sa);
  m_stop.Reset(CreateEventW(&sa, TRUE, FALSE, kStopEventName));
  m_ready.Reset(CreateEventW(&sa, TRUE, FALSE, kReadyEventName));
  if (!m_stop || !m_ready) {
    *error = "cannot create the ready and stop events";
    return false;
  }
  ResetEvent(m_stop.Get());
  return true;
}

void ServiceObjects::AnnounceReady() { SetEvent(m_ready.Get()); }
