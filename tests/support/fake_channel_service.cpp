#include "fake_channel_service.h"

#include <chrono>
#include <initializer_list>

const wchar_t kTestRequestEventName[] = L"Global\\ZelvaneSvcEvent";
const wchar_t kTestEndEventName[] = L"Global\\ZelvaneSvcEndEvent";
const wchar_t kTestSharedMemoryName[] = L"Global\\ZelvaneSvcMem";
const wchar_t kTestCommandMutexName[] = L"Global\\2017PellunCmdMutex";

namespace {

struct OpenToEveryone {
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
  OpenToEveryone() {
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    sa = {sizeof(sa), &sd, FALSE};
  }
};

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
  OpenToEveryone security;
  m_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  m_ready = m_stop != nullptr;
  if (config.createRequestEvent) {
    m_requestEvent = Fresh(CreateEventW(&security.sa, FALSE, FALSE, kTestRequestEventName));
    m_ready = m_ready && m_requestEvent;
  }
  if (config.createSharedMemory) {
    m_section = Fresh(CreateFileMappingW(INVALID_HANDLE_VALUE, &security.sa, PAGE_READWRITE, 0,
                                         config.sectionBytes, kTestSharedMemoryName));
    m_view = m_section ? MapViewOfFile(m_section, FILE_MAP_ALL_ACCESS, 0, 0, 0) : nullptr;
    m_ready = m_ready && m_view;
  }
  if (m_ready && m_requestEvent && m_view) m_thread = std::thread([this] { Serve(); });
}

FakeChannelService::~FakeChannelService() {
  if (m_stop) SetEvent(m_stop);
  if (m_thread.joinable()) m_thread.join();
  if (m_view) UnmapViewOfFile(m_view);
  for (HANDLE handle : {m_section, m_requestEvent, m_stop}) {
    if (handle) CloseHandle(handle);
  }
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
  return WaitForSingleObject(m_requestEvent, 0) == WAIT_OBJECT_0;
}

void FakeChannelService::Serve() {
  const HANDLE waits[2] = {m_stop, m_requestEvent};
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
  if (m_config.answerDelayMs && WaitForSingleObject(m_stop, m_config.answerDelayMs) == WAIT_OBJECT_0) {
    return;
  }
  request.dwStatus = m_config.replyStatus;
  CopyMemory(m_view, &request, sizeof(request));
  HANDLE end = OpenEventW(EVENT_MODIFY_STATE, FALSE, kTestEndEventName);
  if (end) {
    SetEvent(end);
    CloseHandle(end);
  }
}
