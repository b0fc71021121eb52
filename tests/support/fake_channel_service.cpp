#include "fake_channel_service.h"

#include <chrono>

FakeChannelService::FakeChannelService(const FakeServiceConfig& config) : m_config(config) {
  m_stop.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  m_ready = m_stop.Valid() && m_channel.Create(config.createRequestEvent,
                                               config.createSharedMemory ? config.sectionBytes : 0);
  if (m_ready && m_channel.requestEvent() && m_channel.view()) {
    m_thread = std::thread([this] { Serve(); });
  }
}

FakeChannelService::~FakeChannelService() {
  if (m_stop) SetEvent(m_stop.Get());
  if (m_thread.joinable()) m_thread.join();
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
  if (!m_channel.requestEvent() || m_thread.joinable()) return false;
  return WaitForSingleObject(m_channel.requestEvent(), 0) == WAIT_OBJECT_0;
}

void FakeChannelService::Serve() {
  const HANDLE waits[2] = {m_stop.Get(), m_channel.requestEvent()};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    const CommandRecord request = m_channel.Request();
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
  if (m_config.answerDelayMs &&
      WaitForSingleObject(m_stop.Get(), m_config.answerDelayMs) == WAIT_OBJECT_0) {
    return;
  }
  request.dwStatus = m_config.replyStatus;
  m_channel.Answer(request);
}

bool MutexExists(const wchar_t* name) {
  const ScopedHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, name));
  return mutex.Valid();
}

bool CommandMutexExists() { return MutexExists(kTestCommandMutexName); }
