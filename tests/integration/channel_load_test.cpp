// Many client processes against one stand-in service at once: every request
// arrives intact, every client gets its own reply, and the command mutex is
// never left owned. Prints the throughput it saw (no speed is required).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/load_pattern.h"
#include "tools/harness/standin_service_process.h"

namespace {

constexpr unsigned kClients = 8;
constexpr unsigned kExchangesPerClient = 500;

// Splits "Z:\load\client<C>\request<S>\..." into its client and sequence.
bool ParseLoadPath(const std::wstring& path, unsigned* client, unsigned* sequence) {
  return swscanf(path.c_str(), L"Z:\\load\\client%u\\request%u\\", client, sequence) == 2;
}

TEST(ChannelLoad, ManyClientProcessesEachGetTheirOwnRepliesIntact) {
  const std::wstring log = std::wstring(QUARNEL_TEST_SCRATCH_DIR) + L"\\service-load.log";
  DeleteFileW(log.c_str());
  StandinService service;
  ASSERT_TRUE(service.Start(L"--status echo --log \"" + log + L"\""));
  // Held open throughout, so that a client ending while it owned the mutex
  // would leave it abandoned rather than gone.
  HANDLE mutex = CreateMutexW(nullptr, FALSE, expected::kCommandMutex);
  ASSERT_NE(nullptr, mutex);

  const ULONGLONG start = GetTickCount64();
  std::vector<std::unique_ptr<ChildProcess>> clients;
  for (unsigned client = 0; client < kClients; ++client) {
    clients.push_back(std::make_unique<ChildProcess>());
    ASSERT_TRUE(clients.back()->Start(StandinPath(L"channel_load_client.exe"),
                                      L"--client " + std::to_wstring(client) + L" --count " +
                                          std::to_wstring(kExchangesPerClient),
                                      {}));
  }
  for (unsigned client = 0; client < kClients; ++client) {
    ASSERT_TRUE(clients[client]->Wait(120000)) << "client " << client << " hung";
    EXPECT_EQ(0u, clients[client]->ExitCode())
        << "client " << client << " got replies that were not its own";
  }
  const ULONGLONG elapsed = GetTickCount64() - start;
  ASSERT_TRUE(service.Stop());

  const auto entries = ReadServiceLog(log);
  const unsigned total = kClients * kExchangesPerClient;
  ASSERT_EQ(total, entries.size());
  std::set<std::pair<unsigned, unsigned>> seen;
  for (const ServiceLogEntry& entry : entries) {
    unsigned client = 0, sequence = 0;
    ASSERT_TRUE(ParseLoadPath(entry.Field(L"path"), &client, &sequence)) << entry.Field(L"path");
    EXPECT_EQ(LoadRequestPath(client, sequence), entry.Field(L"path")) << "torn request";
    EXPECT_EQ(L"253", entry.Field(L"command"));
    EXPECT_EQ(L"536", entry.Field(L"size"));
    EXPECT_EQ(L"0", entry.Field(L"status"));
    EXPECT_EQ(L"zero", entry.Field(L"tail"));
    EXPECT_TRUE(seen.insert({client, sequence}).second) << "request delivered twice";
  }
  EXPECT_EQ(total, seen.size());

  const DWORD outcome = WaitForSingleObject(mutex, 0);
  EXPECT_EQ(WAIT_OBJECT_0, outcome) << "the command mutex was left owned or abandoned";
  if (outcome == WAIT_OBJECT_0 || outcome == WAIT_ABANDONED) ReleaseMutex(mutex);
  CloseHandle(mutex);
  std::printf("[ load     ] %u clients x %u exchanges = %u in %llu ms: %.0f exchanges/s\n",
              kClients, kExchangesPerClient, total, static_cast<unsigned long long>(elapsed),
              elapsed ? total * 1000.0 / elapsed : 0.0);
}

}  // namespace
