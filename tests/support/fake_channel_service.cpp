#include "fake_channel_service.h"

#include <chrono>

#include "channel/null_dacl_security.h"


namespace {

// Null when the object existed already: a leftover service would answer
// in this one's place.
HANDLE Fresh(HANDLE handle) {
  if (handle && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(handle);
    return nullptr;
  }
  return handle;
}

}  // namespace

FakeChannelService::FakeChannelService(const FakeServiceConfig& config) : m_config(config) {
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
  PrepareNullDaclSecurity(sd, sa);
  m_stop.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  m_ready = m_stop.Valid();
  if (config.createRequestEvent) {
    m_requestEvent.Reset(Fresh(CreateEventW(&sa, FALSE, FALSE, kTestRequestEventName)));
    m_ready = m_ready && m_requestEvent;
  }
  if (config.createSharedMemory) {
    m_section.Reset(Fresh(CreateFileMappingW(INVALID_HANDLE_VALUE, &sa, PAGE_READWRITE, 0,
                                             config.sectionBytes, kTestSharedMemoryName)));
    m_view = m_section ? MapViewOfFile(m_section.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0) : nullptr;
    m_ready = m_ready && m_view;
  }
  if (m_ready && m_requestEvent && m_view) m_thread = std::thread([this] { Serve(); });
}

FakeChannelService::~FakeChannelService() {
  if (m_stop) SetEvent(m_stop.Get());
  if (m_thread.joinable()) m_thread.join();
  if (m_view) UnmapViewOfFile(m_view);
}

std::vector<CommandRecord> FakeChannelService::Requests() {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_requests;
}

bool FakeChannelService::WaitForRequests(size_t count, DWORD ms) {
  std::unique_lock<std::mutex> guard(m_lock);
  return m_received.wait_for(guard, std::chrono::milliseconds(ms),
                             [&] { return m_requests.size() >= count; });
}

bool FakeChannelService::RequestPending() {
  if (!m_requestEvent || m_thread.joinable()) return false;
  return WaitForSingleObject(m_requestEvent.Get(), 0) == WAIT_OBJECT_0;
}

void FakeChannelService::Serve() {
  const HANDLE waits[2] = {m_stop.Get(), m_requestEvent.Get()};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    CommandRecord request;
    CopyMemory(&request, m_view, sizeof(request));
    size_t ordinal;
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_requests.push_back(request);
      ordinal = m_requests.size();
    }
    m_received.notify_all();
    Answer(request, ordinal);
  }
}

void FakeChannelService::Answer(CommandRecord request, size_t ordinal) {
  if (ordinal <= m_config.unansweredFirst) return;
  if (m_config.answerDelayMs && WaitForSingleObject(m_stop.Get(), m_config.answerDelayMs) == WAIT_OBJECT_0) {
    return;
  }
  request.dwStatus = m_config.replyStatus;
  CopyMemory(m_view, &request, sizeof(request));
  ScopedHandle end(OpenEventW(EVENT_MODIFY_STATE, FALSE, kTestEndEventName));
  if (end) SetEvent(end.Get());
}

bool CommandMutexExists() {
  ScopedHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, kTestCommandMutexName));
  return mutex.Valid();
}
