// The command channel's two objects as a service provides them, for the
// stand-in service and for the tests' in-process service alike: the request
// event and the shared memory, each created fresh (one that exists already
// belongs to another service, which would answer in this one's place) and
// open to every account (NULL DACL), the section mapped whole.
#pragma once
#include <windows.h>

#include <optional>

#include "base/scoped_handles.h"
#include "channel/command_record.h"
#include "channel/scoped_kernel.h"

class ChannelObjects {
 public:
  ChannelObjects() = default;
  ChannelObjects(const ChannelObjects&) = delete;
  ChannelObjects& operator=(const ChannelObjects&) = delete;

  // Creates the request event when `requestEvent` is set and a section of
  // `sectionBytes` when that is not zero, and maps the section. False when
  // one of those asked for exists already or cannot be created or mapped.
  bool Create(bool requestEvent, DWORD sectionBytes);

  // Null when not created.
  HANDLE requestEvent() const { return m_request.Get(); }
  // The start of the whole section's view; null when not created.
  void* view() const { return m_view ? m_view->Get() : nullptr; }

  // The record at the start of the section. Only with a view.
  CommandRecord Request() const;
  // Writes `reply` at the start of the section and sets the client's end
  // event; false when no client's end event exists. Only with a view.
  bool Answer(const CommandRecord& reply) const;

 private:
  ScopedHandle m_request;
  ScopedHandle m_section;
  // Declared after the section, so it is unmapped before the section closes.
  std::optional<ScopedView> m_view;
};

// Sets the existing event `name` (a client's end event, a running service's
// stop event); false when no such event exists.
bool SetNamedEvent(const wchar_t* name);
