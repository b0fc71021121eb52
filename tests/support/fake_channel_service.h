// An in-process stand-in for the product's service, run on a thread of the
// test program: it provides the request event and the shared memory of the
// command channel, records every request it reads, and answers as told.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "base/scoped_handles.h"
#include "channel/command_record.h"
#include "tools/harness/expected_values.h"
#include "tools/standin_service/channel_objects.h"

struct FakeServiceConfig {
  bool createRequestEvent = true;
  bool createSharedMemory = true;
  DWORD sectionBytes = 4096;
  DWORD replyStatus = 0;
  // Time between reading a request and answering it.
  DWORD answerDelayMs = 0;
  // The first this many requests are read but never answered.
  DWORD unansweredFirst = 0;
};

class FakeChannelService {
 public:
  // Creates the configured objects (as the stand-in service does) and starts
  // answering.
  explicit FakeChannelService(const FakeServiceConfig& config = FakeServiceConfig());
  // Stops the thread and closes every object.
  ~FakeChannelService();
  FakeChannelService(const FakeChannelService&) = delete;
  FakeChannelService& operator=(const FakeChannelService&) = delete;

  // True when every configured object was created afresh.
  bool Ready() const { return m_ready; }
  // Copies of the requests read so far, oldest first.
  std::vector<CommandRecord> Requests();
  // Waits up to `ms` until at least `count` requests have been read.
  bool WaitForRequests(size_t count, DWORD ms);
  // Whether the request event has been signalled. Only a service that does
  // not serve (no shared memory) can tell; consumes the signal.
  bool RequestPending();
  // The whole shared memory, for planting and inspecting bytes.
  unsigned char* Memory() const { return static_cast<unsigned char*>(m_channel.view()); }

 private:
  void Serve();
  void Answer(CommandRecord request, size_t ordinal);

  FakeServiceConfig m_config;
  ChannelObjects m_channel;
  ScopedHandle m_stop;
  bool m_ready = false;
  std::mutex m_lock;
  std::condition_variable m_received;
  std::vector<CommandRecord> m_requests;
  std::thread m_thread;
};

// Names of the service's objects, as the channel forms them.
constexpr const wchar_t* kTestRequestEventName = expected::kRequestEvent;
constexpr const wchar_t* kTestEndEventName = expected::kEndEvent;
constexpr const wchar_t* kTestSharedMemoryName = expected::kSharedMemory;
constexpr const wchar_t* kTestCommandMutexName = expected::kCommandMutex;

// Whether any process still holds a handle to the mutex `name`.
bool MutexExists(const wchar_t* name);
// Whether any process still holds a handle to the command mutex.
bool CommandMutexExists();
