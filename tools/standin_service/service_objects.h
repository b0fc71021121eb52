// The named objects the stand-in service provides, as the product's service
// does: the request event and the shared memory, open to every account
// (NULL DACL), plus its own ready and stop events for tests and scripts.
#pragma once
#include <windows.h>

#include "base/scoped_handles.h"
#include "tools/harness/expected_values.h"

constexpr const wchar_t* kRequestEventName = expected::kRequestEvent;
constexpr const wchar_t* kSharedMemoryName = expected::kSharedMemory;
constexpr const wchar_t* kEndEventName = expected::kEndEvent;
// Signalled (manual reset) once the service answers requests; reset on exit.
constexpr const wchar_t* kReadyEventName = expected::kStandinReadyEvent;
// Set it (manual reset) to make the running stand-in service exit cleanly.
constexpr const wchar_t* kStopEventName = expected::kStandinStopEvent;

class ServiceObjects {
 public:
  ServiceObjects() = default;
  ~ServiceObjects();
  ServiceObjects(const ServiceObjects&) = delete;
  ServiceObjects& operator=(const ServiceObjects&) = delete;

  // Creates every object, the section `sectionBytes` long. False, with a
  // message in `error`, if any of them fails or if another service already
  // owns the request event or the section.
  bool Create(DWORD sectionBytes, const char** error);
  // Signals readiness (the ready event is reset again on destruction).
  void AnnounceReady();

  HANDLE requestEvent() const { return m_request.Get(); }
  HANDLE stopEvent() const { return m_stop.Get(); }
  // The start of the whole section's view.
  void* view() const { return m_view; }

 private:
  ScopedHandle m_request;
  ScopedHandle m_section;
  ScopedHandle m_ready;
  ScopedHandle m_stop;
  void* m_view = nullptr;
};

// Sets the existing event `name` (a client's end event, a running service's
// stop event); false when no such event exists.
bool SetNamedEvent(const wchar_t* name);
