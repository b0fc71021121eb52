// The named objects the stand-in service provides, as the product's service
// does: the channel's request event and shared memory (ChannelObjects),
// plus its own ready and stop events for tests and scripts.
#pragma once
#include <windows.h>

#include "base/scoped_handles.h"
#include "tools/harness/expected_values.h"
#include "tools/standin_service/channel_objects.h"

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

  const ChannelObjects& channel() const { return m_channel; }
  HANDLE stopEvent() const { return m_stop.Get(); }

 private:
  ChannelObjects m_channel;
  ScopedHandle m_ready;
  ScopedHandle m_stop;
};
