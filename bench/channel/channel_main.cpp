// Channel round trip: one path-notice exchange of the launcher's channel
// against the stand-in service, against two floors: two processes that
// ping-pong two named events (no mutex, no mapping), and the same exchange
// the channel must make written straight in Win32 (required_exchange.h);
// and the exchanges per second that 8 client processes reach at once. Time per exchange is taken
// over batches, whose per-exchange means give min/median/max.
//   quarnel_bench_channel [--batches N]
//   quarnel_bench_channel --pong            (the floor's far end)
//   quarnel_bench_channel --client COUNT    (one of the 8 load clients)
#include <windows.h>

#include <cmath>
#include <cwchar>
#include <string>
#include <vector>

#include "base/scoped_handles.h"
#include "bench/channel/exchange_steps.h"
#include "bench/channel/required_exchange.h"
#include "bench/common/bench_row.h"
#include "bench/common/clock.h"
#include "bench/common/own_folder.h"
#include "bench_paths.h"
#include "channel/command_channel.h"
#include "channel/command_record.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/launcher_run.h"

namespace {

const wchar_t kPing[] = L"Global\\QuarnelBenchPing";
const wchar_t kPong[] = L"Global\\QuarnelBenchPong";
const wchar_t kQuit[] = L"Global\\QuarnelBenchQuit";
const wchar_t kGo[] = L"Global\\QuarnelBenchGo";
const wchar_t kReadyCount[] = L"Global\\QuarnelBenchClientsReady";
const wchar_t* const kServiceReady = expected::kStandinReadyEvent;
const wchar_t* const kServiceStop = expected::kStandinStopEvent;
const wchar_t kNoticePath[] = L"C:\\Program Files\\Velmora\\Zelvane\\Quarnel.exe";

constexpr int kBatch = 100;
constexpr int kLoadClients = 8;
constexpr int kLoadExchanges = 250;

int Pong() {
  ScopedHandle ping(OpenEventW(SYNCHRONIZE, FALSE, kPing));
  ScopedHandle pong(OpenEventW(EVENT_MODIFY_STATE, FALSE, kPong));
  ScopedHandle quit(OpenEventW(SYNCHRONIZE, FALSE, kQuit));
  if (!ping.Get() || !pong.Get() || !quit.Get()) return 1;
  const HANDLE waits[2] = {quit.Get(), ping.Get()};
  while (WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0 + 1) SetEvent(pong.Get());
  return 0;
}

int LoadClient(int count) {
  ScopedHandle go(OpenEventW(SYNCHRONIZE, FALSE, kGo));
  ScopedHandle ready(OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, kReadyCount));
  if (!go.Get() || !ready.Get()) return 1000000;
  CCommandChannel channel;
  ReleaseSemaphore(ready.Get(), 1, nullptr);
  WaitForSingleObject(go.Get(), 60000);
  int failures = 0;
  for (int i = 0; i < count; ++i) {
    if (channel.SendPathNotice(kNoticePath) != 0) ++failures;
  }
  return failures;
}

// The stand-in service answering every request with status 0; stopped
// through its stop event when the bench ends.
class Service {
 public:
  bool Start() {
    if (!m_process.Start(std::wstring(BENCH_STANDIN_DIR) + L"\\standin_service.exe", L"--status 0",
                         {})) {
      return false;
    }
    for (int i = 0; i < 300; ++i) {
      ScopedHandle ready(OpenEventW(SYNCHRONIZE, FALSE, kServiceReady));
      if (ready.Get() && WaitForSingleObject(ready.Get(), 0) == WAIT_OBJECT_0) return true;
      if (m_process.Wait(0)) return false;
      Sleep(50);
    }
    return false;
  }
  ~Service() {
    ScopedHandle stop(OpenEventW(EVENT_MODIFY_STATE, FALSE, kServiceStop));
    if (stop.Get()) SetEvent(stop.Get());
    m_process.Wait(10000);
  }

 private:
  ChildProcess m_process;
};

// Milliseconds per exchange over one batch; negative when any failed.
double ChannelBatch(CCommandChannel& channel) {
  int failures = 0;
  const LONGLONG start = CounterNow();
  for (int i = 0; i < kBatch; ++i) {
    if (channel.SendPathNotice(kNoticePath) != 0) ++failures;
  }
  const LONGLONG end = CounterNow();
  return failures ? -1 : CounterMs(start, end) / kBatch;
}

// Milliseconds per exchange of the required floor over one batch, with the
// same notice as the channel's; negative when any failed.
double RequiredBatch(HANDLE mutex) {
  CommandRecord request = {};
  request.dwCommand = 253;
  request.dwSize = sizeof(request);
  lstrcpynW(request.szPath, kNoticePath, 261);
  int failures = 0;
  const LONGLONG start = CounterNow();
  for (int i = 0; i < kBatch; ++i) {
    CommandRecord record = request;
    if (RequiredExchange(mutex, &record, sizeof(record)) != 0) ++failures;
  }
  const LONGLONG end = CounterNow();
  return failures ? -1 : CounterMs(start, end) / kBatch;
}

double PingPongBatch(HANDLE ping, HANDLE pong) {
  const LONGLONG start = CounterNow();
  for (int i = 0; i < kBatch; ++i) {
    SetEvent(ping);
    if (WaitForSingleObject(pong, 10000) != WAIT_OBJECT_0) return -1;
  }
  return CounterMs(start, CounterNow()) / kBatch;
}

// Exchanges per second of 8 clients started together; negative on failure.
double LoadRound() {
  ScopedHandle go(CreateEventW(nullptr, TRUE, FALSE, kGo));
  ScopedHandle ready(CreateSemaphoreW(nullptr, 0, kLoadClients, kReadyCount));
  ChildProcess clients[kLoadClients];
  HANDLE processes[kLoadClients];
  const std::wstring self = OwnFolder() + L"\\quarnel_bench_channel.exe";
  for (int i = 0; i < kLoadClients; ++i) {
    if (!clients[i].Start(self, L"--client " + std::to_wstring(kLoadExchanges), {})) return -1;
    processes[i] = clients[i].Handle();
  }
  for (int i = 0; i < kLoadClients; ++i) {
    if (WaitForSingleObject(ready.Get(), 30000) != WAIT_OBJECT_0) return -1;
  }
  const LONGLONG start = CounterNow();
  SetEvent(go.Get());
  if (WaitForMultipleObjects(kLoadClients, processes, TRUE, 120000) != WAIT_OBJECT_0) return -1;
  const double seconds = CounterMs(start, CounterNow()) / 1000.0;
  for (ChildProcess& client : clients) {
    if (!client.Wait(0) || client.ExitCode() != 0) return -1;
  }
  return kLoadClients * kLoadExchanges / seconds;
}

void ReportRoundTrip(const std::vector<double>& ours, const std::vector<double>& floor,
                     const std::vector<double>& required) {
  const SampleSummary oursSummary = Summarize(ours), floorSummary = Summarize(floor);
  const double ratio = Ratio(oursSummary.median, floorSummary.median);
  PrintRow(FormatRow("3 channel round trip", FormatSummary(oursSummary, "ms", 3),
                     FormatSummary(floorSummary, "ms", 3), ratio, "<= 2.00x",
                     MetText(ratio, Goal{GoalKind::kAtMost, 2.0})));
  const SampleSummary requiredSummary = Summarize(required);
  const double requiredRatio = Ratio(oursSummary.median, requiredSummary.median);
  PrintRow(FormatRow("3 channel vs. required floor", FormatSummary(oursSummary, "ms", 3),
                     "Win32 exchange " + FormatSummary(requiredSummary, "ms", 3), requiredRatio,
                     "<= 1.10x", MetText(requiredRatio, Goal{GoalKind::kAtMost, 1.10})));
}

void ReportLoad(const std::vector<double>& load, double singleMedianMs) {
  const SampleSummary loadSummary = Summarize(load);
  const double single = singleMedianMs > 0 ? 1000.0 / singleMedianMs : 0;
  SampleSummary singleSummary;
  singleSummary.count = 1;
  singleSummary.min = singleSummary.median = singleSummary.max = single;
  PrintRow(FormatRow("3 channel, 8 clients at once", FormatSummary(loadSummary, "exch/s", 0),
                     "1 client: " + FormatSummary(singleSummary, "exch/s", 0),
                     Ratio(loadSummary.median, single), "(measured)", "-"));
}

void ReportSteps() {
  const auto steps = TimeExchangeSteps(500);
  if (steps.empty()) return;
  std::string text = "channel: one exchange's steps, mean us:";
  for (const auto& step : steps) {
    text += " " + step.first + " " + std::to_string(std::lround(step.second)) + ";";
  }
  PrintNote(text);
}

int Drive(int batches) {
  Service service;
  if (!service.Start()) {
    PrintNote("channel: the stand-in service did not start");
    return 1;
  }
  ScopedHandle ping(CreateEventW(nullptr, FALSE, FALSE, kPing));
  ScopedHandle pong(CreateEventW(nullptr, FALSE, FALSE, kPong));
  ScopedHandle quit(CreateEventW(nullptr, TRUE, FALSE, kQuit));
  ChildProcess ponger;
  if (!ponger.Start(OwnFolder() + L"\\quarnel_bench_channel.exe", L"--pong", {})) return 1;
  CCommandChannel channel;
  ScopedHandle requiredMutex(OpenRequiredCommandMutex());
  ChannelBatch(channel);  // warm-up of every path
  PingPongBatch(ping.Get(), pong.Get());
  RequiredBatch(requiredMutex.Get());
  std::vector<double> ours, floor, required, paired, pairedRequired;
  for (int i = 0; i < batches; ++i) {
    // The channel goes first and last in turn, so drift hits both alike.
    const double before = i % 2 ? RequiredBatch(requiredMutex.Get()) : 0;
    const double exchange = ChannelBatch(channel);
    const double pingPong = PingPongBatch(ping.Get(), pong.Get());
    const double requiredMs = i % 2 ? before : RequiredBatch(requiredMutex.Get());
    if (exchange > 0) ours.push_back(exchange);
    if (pingPong > 0) floor.push_back(pingPong);
    if (requiredMs > 0) required.push_back(requiredMs);
    if (exchange > 0 && pingPong > 0) paired.push_back(exchange / pingPong);
    if (exchange > 0 && requiredMs > 0) pairedRequired.push_back(exchange / requiredMs);
  }
  SetEvent(quit.Get());
  ponger.Wait(10000);
  PrintNote("channel: ratio of each batch to the ping-pong batch beside it, min / median / max: " +
            FormatSummary(Summarize(paired), "x", 2));
  PrintNote("channel: the same against the required floor's batch beside it: " +
            FormatSummary(Summarize(pairedRequired), "x", 2) +
            "; ours minus the floor per "
            "exchange, median: " +
            FormatNumber((Summarize(ours).median - Summarize(required).median) * 1000.0, 0) +
            " us. Both make the same system calls in the same order (the steps below), so a "
            "difference beyond the machine's spread is the channel's own code: its name "
            "formatting and handle owners");
  if (static_cast<int>(ours.size()) != batches || static_cast<int>(floor.size()) != batches ||
      static_cast<int>(required.size()) != batches) {
    PrintNote("channel: some batches failed and were left out");
  }
  ReportRoundTrip(ours, floor, required);
  ReportSteps();
  std::vector<double> load;
  for (int i = 0; i < 5; ++i) {
    const double rate = LoadRound();
    if (rate > 0) load.push_back(rate);
  }
  if (load.size() != 5) PrintNote("channel: some rounds of 8 clients failed and were left out");
  ReportLoad(load, Summarize(ours).median);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wcscmp(argv[1], L"--pong") == 0) return Pong();
  if (argc == 3 && std::wcscmp(argv[1], L"--client") == 0) return LoadClient(_wtoi(argv[2]));
  int batches = 30;
  if (argc == 3 && std::wcscmp(argv[1], L"--batches") == 0) batches = std::max(3, _wtoi(argv[2]));
  return Drive(batches);
}
