#include "tools/standin_service/channel_objects.h"

#include "channel/null_dacl_security.h"
#include "tools/harness/expected_values.h"

namespace {

// Null, and the handle closed, when the object existed already.
HANDLE CreatedFresh(HANDLE handle) {
  if (handle && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle);
    return nullptr;
  }
  return handle;
}

}  // namespace

bool ChannelObjects::Create(bool requestEvent, DWORD sectionBytes) {
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
  PrepareNullDaclSecurity(sd, sa);
  if (requestEvent) {
    m_request.Reset(CreatedFresh(CreateEventW(&sa, FALSE, FALSE, expected::kRequestEvent)));
    if (!m_request) return false;
  }
  if (sectionBytes) {
    m_section.Reset(CreatedFresh(CreateFileMappingW(INVALID_HANDLE_VALUE, &sa, PAGE_READWRITE, 0,
                                                    sectionBytes, expected::kSharedMemory)));
    if (!m_section) return false;
    m_view.emplace(m_section.Get());
    if (!view()) return false;
  }
  return true;
}

CommandRecord ChannelObjects::Request() const {
  CommandRecord request;
  CopyMemory(&request, view(), sizeof(request));
  return request;
}

bool ChannelObjects::Answer(const CommandRecord& reply) const {
  CopyMemory(view(), &reply, sizeof(reply));
  return SetNamedEvent(expected::kEndEvent);
}

bool SetNamedEvent(const wchar_t* name) {
  ScopedHandle event(OpenEventW(EVENT_MODIFY_STATE, FALSE, name));
  return event && SetEvent(event.Get());
}
