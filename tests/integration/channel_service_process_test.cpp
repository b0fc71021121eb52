// Exchanges with the stand-in service running as a process of its own: the
// statuses it is told to give, what it logs, and a service that is slow,
// silent or dies mid-exchange.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "channel/command_channel.h"
#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/standin_service_process.h"

namespace {

constexpr DWORD kShortTimeoutMs = 1500;

// A fresh log file path in the scratch folder for `tag`.
std::wstring FreshLogPath(const std::wstring& tag) {
  std::wstring path = std::wstring(QUARNEL_TEST_SCRATCH_DIR) + L"\\service-" + tag + L".log";
  DeleteFileW(path.c_str());
  return path;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

bool CommandMutexFree() {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, expected::kCommandMutex);
  if (!mutex) return true;
  const DWORD outcome = WaitForSingleObject(mutex, 0);
  if (outcome == WAIT_OBJECT_0 || outcome == WAIT_ABANDONED) ReleaseMutex(mutex);
  CloseHandle(mutex);
  return outcome == WAIT_OBJECT_0;
}

TEST(StandinServiceProcess, PassesOnTheStatusItIsToldAndLogsEachRequest) {
  for (DWORD status : {0u, 9u, 4u, 255u}) {
    const std::wstring log = FreshLogPath(L"status");
    StandinService service;
    ASSERT_TRUE(service.Start(L"--status " + std::to_wstring(status) + L" --log " + Quoted(log)));
    CCommandChannel channel;
    EXPECT_EQ(status, channel.SendPathNotice(L"C:\\Users\\Pia Ström\\Quarnel.exe"));
    EXPECT_EQ(status, channel.SendPathNotice(L"C:\\Users\\Pia Ström"));
    ASSERT_TRUE(service.Stop());
    const auto entries = ReadServiceLog(log);
    ASSERT_EQ(2u, entries.size());
    const wchar_t* paths[] = {L"C:\\Users\\Pia Ström\\Quarnel.exe", L"C:\\Users\\Pia Ström"};
    for (size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(L"request", entries[i].event);
      EXPECT_EQ(L"253", entries[i].Field(L"command"));
      EXPECT_EQ(L"0", entries[i].Field(L"status"));
      EXPECT_EQ(L"536", entries[i].Field(L"size"));
      EXPECT_EQ(L"zero", entries[i].Field(L"tail"));
      EXPECT_EQ(std::to_wstring(status), entries[i].Field(L"reply"));
      EXPECT_EQ(paths[i], entries[i].Field(L"path"));
    }
  }
}

TEST(StandinServiceProcess, ASectionOfExactly536BytesCarriesTheLongestPath) {
  const std::wstring log = FreshLogPath(L"minimum");
  StandinService service;
  ASSERT_TRUE(service.Start(L"--min-section --status 0 --log " + Quoted(log)));
  std::wstring longest = L"E:\\";
  while (longest.size() < 260) longest += static_cast<wchar_t>(L'A' + longest.size() % 26);
  CCommandChannel channel;
  CommandRecord record;
  ZeroMemory(&record, sizeof(record));
  record.dwCommand = CMD_PATH_NOTICE;
  record.dwSize = 536;
  longest.copy(record.szPath, 260);
  EXPECT_EQ(0u, channel.Exchange(record));
  EXPECT_EQ(longest, std::wstring(record.szPath));
  ASSERT_TRUE(service.Stop());
  const auto entries = ReadServiceLog(log);
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ(longest, entries[0].Field(L"path"));
  EXPECT_EQ(L"zero", entries[0].Field(L"tail"));
}

TEST(StandinServiceProcess, ASlowAnswerWithinTheTimeOutIsWaitedFor) {
  StandinService service;
  ASSERT_TRUE(service.Start(L"--delay-ms 800 --status 12"));
  CCommandChannel channel;
  channel.SetWaitTimeout(20000);
  EXPECT_EQ(12u, channel.SendPathNotice(L"C:\\slow"));
}

TEST(StandinServiceProcess, AServiceThatDiesMidExchangeGivesNoReplyAndDoesNotHangOthers) {
  const std::wstring log = FreshLogPath(L"dies");
  CCommandChannel channel;
  channel.SetWaitTimeout(kShortTimeoutMs);
  {
    StandinService dying;
    ASSERT_TRUE(dying.Start(L"--die-after-request --log " + Quoted(log)));
    CommandRecord record;
    ZeroMemory(&record, sizeof(record));
    record.dwCommand = 77;
    const CommandRecord sent = record;
    EXPECT_EQ(CMD_STATUS_NO_REPLY, channel.Exchange(record));
    EXPECT_EQ(0, memcmp(&sent, &record, sizeof(record))) << "the record stays as sent";
    DWORD code = 0;
    ASSERT_TRUE(dying.WaitForExit(10000, &code));
    EXPECT_EQ(9u, code);
  }
  EXPECT_TRUE(CommandMutexFree());
  EXPECT_EQ(CMD_STATUS_UNAVAILABLE, channel.SendPathNotice(L"C:\\nobody\\listens"));
  StandinService restarted;
  ASSERT_TRUE(restarted.Start(L"--status 0"));
  EXPECT_EQ(0u, channel.SendPathNotice(L"C:\\back\\again"));
  const auto entries = ReadServiceLog(log);
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ(L"77", entries[0].Field(L"command"));
  EXPECT_EQ(L"none", entries[0].Field(L"reply"));
}

TEST(StandinServiceProcess, AnUnansweredRequestTimesOutAndTheNextIsAnswered) {
  const std::wstring log = FreshLogPath(L"ignore");
  StandinService service;
  ASSERT_TRUE(service.Start(L"--ignore-first 1 --status 21 --log " + Quoted(log)));
  CCommandChannel channel;
  channel.SetWaitTimeout(kShortTimeoutMs);
  EXPECT_EQ(CMD_STATUS_NO_REPLY, channel.SendPathNotice(L"C:\\ignored"));
  EXPECT_TRUE(CommandMutexFree());
  EXPECT_EQ(21u, channel.SendPathNotice(L"C:\\answered"));
  ASSERT_TRUE(service.Stop());
  const auto entries = ReadServiceLog(log);
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ(L"none", entries[0].Field(L"reply"));
  EXPECT_EQ(L"21", entries[1].Field(L"reply"));
}

TEST(StandinServiceProcess, NeverAnsweringKeepsEveryExchangeBounded) {
  StandinService service;
  ASSERT_TRUE(service.Start(L"--never-answer"));
  CCommandChannel channel;
  channel.SetWaitTimeout(kShortTimeoutMs);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(CMD_STATUS_NO_REPLY, channel.SendPathNotice(L"C:\\void"));
  EXPECT_TRUE(CommandMutexFree());
}

TEST(StandinServiceProcess, RecordsWhetherTheWatchedFileExistedAtEachRequest) {
  const std::wstring log = FreshLogPath(L"watch");
  const std::wstring watched = std::wstring(QUARNEL_TEST_SCRATCH_DIR) + L"\\watched.tmp";
  DeleteFileW(watched.c_str());
  StandinService service;
  ASSERT_TRUE(service.Start(L"--log " + Quoted(log) + L" --watch-file " + Quoted(watched)));
  CCommandChannel channel;
  EXPECT_EQ(0u, channel.SendPathNotice(L"C:\\before"));
  HANDLE file = CreateFileW(watched.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  CloseHandle(file);
  EXPECT_EQ(0u, channel.SendPathNotice(L"C:\\after"));
  ASSERT_TRUE(service.Stop());
  DeleteFileW(watched.c_str());
  const auto entries = ReadServiceLog(log);
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ(L"absent", entries[0].Field(L"watch"));
  EXPECT_EQ(L"present", entries[1].Field(L"watch"));
}

TEST(StandinServiceProcess, ASecondServiceRefusesToStartAndMaxRequestsEndsTheFirst) {
  StandinService first;
  ASSERT_TRUE(first.Start(L"--max-requests 1"));
  StandinService second;
  EXPECT_FALSE(second.Start(L""));
  DWORD code = 0;
  EXPECT_TRUE(second.WaitForExit(10000, &code));
  EXPECT_EQ(3u, code);
  CCommandChannel channel;
  EXPECT_EQ(0u, channel.SendPathNotice(L"C:\\only"));
  EXPECT_TRUE(first.WaitForExit(10000, &code));
  EXPECT_EQ(0u, code);
}

}  // namespace
