// Exchanges against a service played by a thread of this process: what
// reaches the service, the statuses that come back, and the command mutex
// and time-outs on every path.
#include <aclapi.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "channel/command_channel.h"
#include "channel/path_notice.h"
#include "command_channel_access.h"
#include "fake_channel_service.h"
#include "tools/harness/expected_values.h"

namespace {

using Access = CCommandChannelTestAccess;

constexpr DWORD kShortTimeoutMs = 300;

CommandRecord NoticeFor(const std::wstring& path) {
  CommandRecord record;
  BuildPathNotice(path.c_str(), record);
  return record;
}

bool SameBytes(const CommandRecord& a, const CommandRecord& b) {
  return std::memcmp(&a, &b, sizeof(a)) == 0;
}

// Whether another thread could take the command mutex at once, i.e. nobody
// owns it (an abandoned one counts as owned by nobody but reports so).
DWORD CommandMutexStateSeenByAnotherThread() {
  DWORD outcome = WAIT_FAILED;
  std::thread probe([&] {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kTestCommandMutexName);
    if (!mutex) return;
    outcome = WaitForSingleObject(mutex, 0);
    if (outcome == WAIT_OBJECT_0 || outcome == WAIT_ABANDONED) ReleaseMutex(mutex);
    CloseHandle(mutex);
  });
  probe.join();
  return outcome;
}

// Owns the command mutex on a thread of its own until released, or, with
// `abandon`, takes it and lets the thread end still owning it.
class MutexHolder {
 public:
  explicit MutexHolder(bool abandon = false) {
    m_release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, taken, abandon] {
      // Creating an existing mutex never owns it: take it explicitly.
      HANDLE mutex = CreateMutexW(nullptr, FALSE, kTestCommandMutexName);
      WaitForSingleObject(mutex, INFINITE);
      SetEvent(taken);
      if (!abandon) {
        WaitForSingleObject(m_release, INFINITE);
        ReleaseMutex(mutex);
      }
      CloseHandle(mutex);
    });
    WaitForSingleObject(taken, INFINITE);
    CloseHandle(taken);
    if (abandon) m_thread.join();
  }
  ~MutexHolder() {
    Release();
    CloseHandle(m_release);
  }
  void Release() {
    SetEvent(m_release);
    if (m_thread.joinable()) m_thread.join();
  }

 private:
  HANDLE m_release;
  std::thread m_thread;
};

TEST(ChannelExchange, ServiceStatusesArePassedThroughWithTheReply) {
  for (DWORD status : {0u, 1u, 4u, 253u, 255u, 0xFFFFFFFFu}) {
    FakeServiceConfig config;
    config.replyStatus = status;
    FakeChannelService service(config);
    ASSERT_TRUE(service.Ready());
    CCommandChannel channel;
    CommandRecord record = NoticeFor(L"C:\\Program Files\\Velmora\\Quarnel.exe");
    EXPECT_EQ(status, channel.Exchange(record));
    EXPECT_EQ(status, record.dwStatus) << "the reply is left in the caller's record";
    EXPECT_STREQ(L"C:\\Program Files\\Velmora\\Quarnel.exe", record.szPath);
    EXPECT_EQ(1u, service.Requests().size());
  }
}

TEST(ChannelExchange, PathNoticeReachesTheServiceByteForByte) {
  std::wstring longest = L"D:\\";
  while (longest.size() < 260) longest += L'z';
  for (const std::wstring& path :
       {std::wstring(L"C:\\Users\\p\\Downloads\\Quarnel.exe"), std::wstring(L"C:"), longest}) {
    FakeChannelService service;
    ASSERT_TRUE(service.Ready());
    std::memset(service.Memory(), 0xEE, 4096);
    CCommandChannel channel;
    EXPECT_EQ(0u, channel.SendPathNotice(path.c_str()));
    ASSERT_EQ(1u, service.Requests().size());
    const CommandRecord seen = service.Requests()[0];
    EXPECT_TRUE(SameBytes(NoticeFor(path), seen)) << "request bytes differ for " << path.size();
    EXPECT_EQ(path, std::wstring(seen.szPath, path.size()));
    // Only the record's 536 bytes are written; the rest of the section stays.
    EXPECT_EQ(0xEE, service.Memory()[536]);
  }
}

TEST(ChannelExchange, AnOverlongPathIsNotSent) {
  FakeChannelService service;
  ASSERT_TRUE(service.Ready());
  CCommandChannel channel;
  const std::wstring tooLong = L"C:\\" + std::wstring(258, L'q');
  ASSERT_EQ(261u, tooLong.size());
  EXPECT_EQ(CMD_STATUS_UNAVAILABLE, channel.SendPathNotice(tooLong.c_str()));
  EXPECT_EQ(CMD_STATUS_UNAVAILABLE, channel.SendPathNotice(nullptr));
  EXPECT_FALSE(service.WaitForRequests(1, 100));
}

TEST(ChannelExchange, NoServiceGivesUnavailableAtOnceWithoutTouchingTheEndEvent) {
  // A signalled end event left by someone: an exchange that reached the end
  // event would open it and reset or consume the signal.
  HANDLE endEvent = CreateEventW(nullptr, TRUE, TRUE, kTestEndEventName);
  ASSERT_NE(nullptr, endEvent);
  CCommandChannel channel;
  channel.SetWaitTimeout(20000);
  const ULONGLONG start = GetTickCount64();
  CommandRecord record = NoticeFor(L"C:\\a");
  const CommandRecord sent = record;
  EXPECT_EQ(CMD_STATUS_UNAVAILABLE, channel.Exchange(record));
  EXPECT_EQ(CMD_STATUS_UNAVAILABLE, channel.SendPathNotice(L"C:\\b"));
  EXPECT_LT(GetTickCount64() - start, 10000u) << "no wait for an absent service";
  EXPECT_TRUE(SameBytes(sent, record));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(endEvent, 0));
  CloseHandle(endEvent);
  EXPECT_EQ(WAIT_OBJECT_0, CommandMutexStateSeenByAnotherThread()) << "mutex left owned";
}

TEST(ChannelExchange, AHalfPresentServiceIsNeverSignalledOrWritten) {
  const struct {
    bool requestEvent;
    bool sharedMemory;
  } cases[] = {{true, false}, {false, true}};
  for (const auto& c : cases) {
    FakeServiceConfig config;
    config.createRequestEvent = c.requestEvent;
    config.createSharedMemory = c.sharedMemory;
    FakeChannelService service(config);
    ASSERT_TRUE(service.Ready());
    if (c.sharedMemory) std::memset(service.Memory(), 0x5A, 536);
    CCommandChannel channel;
    EXPECT_EQ(CMD_STATUS_UNAVAILABLE, channel.SendPathNotice(L"C:\\x\\Quarnel.exe"));
    EXPECT_FALSE(service.RequestPending());
    if (c.sharedMemory) {
      for (int i = 0; i < 536; ++i) ASSERT_EQ(0x5A, service.Memory()[i]) << "written at " << i;
    }
  }
}

TEST(ChannelMutex, CreatedWithANullDaclWhenAbsent) {
  ASSERT_FALSE(CommandMutexExists()) << "a command mutex outlived an earlier test";
  {
    CCommandChannel channel;
    ASSERT_NE(nullptr, Access::Mutex(channel));
    DWORD flags = 0;
    ASSERT_TRUE(GetHandleInformation(Access::Mutex(channel), &flags));
    EXPECT_EQ(0u, flags & HANDLE_FLAG_INHERIT);
    PACL dacl = reinterpret_cast<PACL>(1);
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
              GetSecurityInfo(Access::Mutex(channel), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, &dacl, nullptr, &sd));
    EXPECT_EQ(nullptr, dacl) << "the mutex must be open to every account";
    LocalFree(sd);
    // Wine gives unnamed defaults no DACL either, so look at what was passed.
    ASSERT_EQ(&Access::SecurityDescriptor(channel),
              Access::SecurityAttributes(channel).lpSecurityDescriptor);
    EXPECT_EQ(12u, Access::SecurityAttributes(channel).nLength);
    BOOL present = FALSE, defaulted = TRUE;
    ASSERT_TRUE(GetSecurityDescriptorDacl(&Access::SecurityDescriptor(channel), &present, &dacl,
                                          &defaulted));
    EXPECT_TRUE(present);
    EXPECT_EQ(nullptr, dacl);
    EXPECT_EQ(WAIT_OBJECT_0, CommandMutexStateSeenByAnotherThread()) << "not initially owned";
  }
  EXPECT_FALSE(CommandMutexExists()) << "the channel's handle was its only one";
}

TEST(ChannelMutex, OpenSaysWhenNoMutexCouldBeHad) {
  ASSERT_FALSE(CommandMutexExists()) << "a command mutex outlived an earlier test";
  // An event under the mutex's name: a mutex can be neither opened nor made.
  HANDLE squatter = CreateEventW(nullptr, TRUE, FALSE, expected::kCommandMutex);
  ASSERT_NE(nullptr, squatter);
  CCommandChannel channel;
  EXPECT_EQ(nullptr, Access::Mutex(channel));
  EXPECT_FALSE(channel.Open());
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), channel.OpenError());
  CloseHandle(squatter);
  EXPECT_TRUE(channel.Open());
  EXPECT_NE(nullptr, Access::Mutex(channel));
  EXPECT_EQ(0u, channel.OpenError());
}

TEST(ChannelExchange, TheEndEventIsOpenToEveryAccount) {
  FakeServiceConfig config;
  config.answerDelayMs = 1500;  // keeps the end event alive while it is looked at
  FakeChannelService service(config);
  ASSERT_TRUE(service.Ready());
  CommandRecord request = NoticeFor(L"C:\\client\\one");
  std::thread client([&] {
    CCommandChannel channel;
    channel.Exchange(request);
  });
  ASSERT_TRUE(service.WaitForRequests(1, 10000));
  HANDLE endEvent = OpenEventW(READ_CONTROL, FALSE, expected::kEndEvent);
  ASSERT_NE(nullptr, endEvent) << GetLastError();
  PACL dacl = reinterpret_cast<PACL>(1);
  PSECURITY_DESCRIPTOR sd = nullptr;
  EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
            GetSecurityInfo(endEvent, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                            &dacl, nullptr, &sd));
  EXPECT_EQ(nullptr, dacl) << "the service's account must be able to signal it";
  // A NULL DACL that is present grants everyone; an absent one (what Wine
  // gives default security) would leave it to the creator's defaults.
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(sd && GetSecurityDescriptorControl(sd, &control, &revision));
  EXPECT_TRUE(control & SE_DACL_PRESENT) << "created without the NULL-DACL descriptor";
  LocalFree(sd);
  CloseHandle(endEvent);
  client.join();
}

TEST(ChannelMutex, AnExistingMutexIsOpenedAndShared) {
  FakeChannelService service;
  ASSERT_TRUE(service.Ready());
  MutexHolder holder;
  CCommandChannel channel;
  ASSERT_NE(nullptr, Access::Mutex(channel));
  EXPECT_EQ(0u, Access::SecurityAttributes(channel).nLength)
      << "an existing mutex is opened, not created";
  channel.SetWaitTimeout(kShortTimeoutMs);
  // Held by the other thread: this channel's mutex is the very same one.
  CommandRecord record = NoticeFor(L"C:\\held");
  const CommandRecord sent = record;
  EXPECT_EQ(CMD_STATUS_UNAVAILABLE, channel.Exchange(record));
  EXPECT_TRUE(SameBytes(sent, record));
  EXPECT_FALSE(service.WaitForRequests(1, 100)) << "nothing may be sent without the mutex";
  holder.Release();
  EXPECT_EQ(0u, channel.Exchange(record));
  EXPECT_EQ(1u, service.Requests().size());
}

TEST(ChannelMutex, AnAbandonedMutexCountsAsTaken) {
  FakeChannelService service;
  ASSERT_TRUE(service.Ready());
  CCommandChannel channel;
  MutexHolder abandoned(true);
  channel.SetWaitTimeout(kShortTimeoutMs);
  EXPECT_EQ(0u, channel.SendPathNotice(L"C:\\after\\abandon"));
  EXPECT_EQ(1u, service.Requests().size());
  EXPECT_EQ(WAIT_OBJECT_0, CommandMutexStateSeenByAnotherThread());
}

TEST(ChannelMutex, CloseAndReopenHoldOneHandleAtATime) {
  CCommandChannel channel;
  ASSERT_NE(nullptr, Access::Mutex(channel));
  EXPECT_TRUE(channel.Open());
  ASSERT_NE(nullptr, Access::Mutex(channel));
  channel.Close();
  EXPECT_EQ(nullptr, Access::Mutex(channel));
  EXPECT_FALSE(CommandMutexExists()) << "Open must close the handle it replaces";
  channel.Close();
  EXPECT_EQ(nullptr, Access::Mutex(channel));
}

TEST(ChannelMutex, ExchangesWithoutAMutexRunUnserialised) {
  FakeChannelService service;
  ASSERT_TRUE(service.Ready());
  CCommandChannel channel;
  channel.Close();
  EXPECT_EQ(0u, channel.SendPathNotice(L"C:\\no\\mutex"));
  EXPECT_EQ(1u, service.Requests().size());
  EXPECT_FALSE(CommandMutexExists());
}

TEST(ChannelTimeout, AServiceThatNeverAnswersGivesNoReplyAndTheNextExchangeWorks) {
  FakeServiceConfig config;
  config.unansweredFirst = 1;
  config.replyStatus = 7;
  FakeChannelService service(config);
  ASSERT_TRUE(service.Ready());
  CCommandChannel channel;
  channel.SetWaitTimeout(kShortTimeoutMs);
  CommandRecord record = NoticeFor(L"C:\\first");
  const CommandRecord sent = record;
  EXPECT_EQ(CMD_STATUS_NO_REPLY, channel.Exchange(record));
  EXPECT_TRUE(SameBytes(sent, record)) << "the caller's record stays as sent";
  EXPECT_EQ(WAIT_OBJECT_0, CommandMutexStateSeenByAnotherThread()) << "mutex left owned";
  CommandRecord next = NoticeFor(L"C:\\second");
  EXPECT_EQ(7u, channel.Exchange(next));
  EXPECT_STREQ(L"C:\\second", next.szPath);
  EXPECT_EQ(2u, service.Requests().size());
}

// A late answer to an exchange that gave up must not pass for the answer to
// the next one, even when the end event outlives the first exchange (here a
// handle of the test's keeps it alive, as a service holding it would).
TEST(ChannelTimeout, ALateAnswerIsNotTakenForTheNextReply) {
  HANDLE keepAlive = CreateEventW(nullptr, FALSE, FALSE, kTestEndEventName);
  ASSERT_NE(nullptr, keepAlive);
  FakeServiceConfig config;
  config.answerDelayMs = 2 * kShortTimeoutMs;
  config.replyStatus = 9;
  FakeChannelService service(config);
  ASSERT_TRUE(service.Ready());
  CCommandChannel channel;
  channel.SetWaitTimeout(kShortTimeoutMs);
  EXPECT_EQ(CMD_STATUS_NO_REPLY, channel.SendPathNotice(L"C:\\late"));
  Sleep(3 * kShortTimeoutMs);  // the late answer has now been signalled
  channel.SetWaitTimeout(20000);
  CommandRecord next = NoticeFor(L"C:\\next");
  EXPECT_EQ(9u, channel.Exchange(next));
  EXPECT_EQ(9u, next.dwStatus);
  EXPECT_EQ(2u, service.Requests().size());
  CloseHandle(keepAlive);
}

TEST(ChannelConcurrency, ASecondClientWaitsWhileAnExchangeIsInFlight) {
  FakeServiceConfig config;
  // Long enough that a stalled machine still finds the first in flight.
  config.answerDelayMs = 1500;
  config.replyStatus = 3;
  FakeChannelService service(config);
  ASSERT_TRUE(service.Ready());
  CommandRecord first = NoticeFor(L"C:\\client\\one");
  CommandRecord second = NoticeFor(L"C:\\client\\two");
  std::atomic<DWORD> firstStatus{0}, secondStatus{0};
  std::thread one([&] {
    CCommandChannel channel;
    firstStatus = channel.Exchange(first);
  });
  ASSERT_TRUE(service.WaitForRequests(1, 10000));
  std::atomic<bool> secondDone{false};
  std::thread two([&] {
    CCommandChannel channel;
    secondStatus = channel.Exchange(second);
    secondDone = true;
  });
  Sleep(300);
  // The first is still in flight: the second has not touched the section.
  EXPECT_FALSE(secondDone.load());
  EXPECT_STREQ(L"C:\\client\\one", reinterpret_cast<CommandRecord*>(service.Memory())->szPath);
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), CommandMutexStateSeenByAnotherThread());
  one.join();
  two.join();
  EXPECT_EQ(3u, firstStatus.load());
  EXPECT_EQ(3u, secondStatus.load());
  EXPECT_STREQ(L"C:\\client\\one", first.szPath) << "each client gets its own reply";
  EXPECT_STREQ(L"C:\\client\\two", second.szPath);
  ASSERT_EQ(2u, service.Requests().size());
  EXPECT_STREQ(L"C:\\client\\two", service.Requests()[1].szPath);
}

}  // namespace
