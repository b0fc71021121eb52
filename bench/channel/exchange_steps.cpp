#include "bench/channel/exchange_steps.h"

#include <windows.h>

#include <cstring>
#include <optional>

#include "base/scoped_handles.h"
#include "bench/common/clock.h"
#include "channel/command_record.h"
#include "channel/scoped_kernel.h"
#include "tools/harness/expected_values.h"

namespace {

const char* const kSteps[] = {
    "mutex wait",      "open request event x2", "create end event", "open shared memory",
    "map+write+unmap", "signal+service+answer", "map+read+unmap",   "close x3+release"};
constexpr int kStepCount = sizeof(kSteps) / sizeof(kSteps[0]);

// The counter after each step of one exchange; false when one failed.
bool OneExchange(HANDLE mutex, const CommandRecord& request, LONGLONG (&stamps)[kStepCount + 1]) {
  // Declared so that leaving early closes them in the channel's order.
  std::optional<ScopedHandle> end, requestEvent, section;
  stamps[0] = CounterNow();
  WaitForSingleObject(mutex, 10000);
  stamps[1] = CounterNow();
  { ScopedHandle probe(OpenEventW(EVENT_MODIFY_STATE, TRUE, expected::kRequestEvent)); }
  requestEvent.emplace(OpenEventW(EVENT_MODIFY_STATE, TRUE, expected::kRequestEvent));
  stamps[2] = CounterNow();
  end.emplace(CreateEventW(nullptr, FALSE, FALSE, expected::kEndEvent));
  stamps[3] = CounterNow();
  section.emplace(OpenFileMappingW(FILE_MAP_ALL_ACCESS, TRUE, expected::kSharedMemory));
  stamps[4] = CounterNow();
  bool ok = requestEvent->Valid() && end->Valid() && section->Valid();
  if (ok) {
    ScopedView view(section->Get());
    if (view.Get()) std::memcpy(view.Get(), &request, sizeof(request));
    ok = view.Get() != nullptr;
  }
  stamps[5] = CounterNow();
  ok = ok && SetEvent(requestEvent->Get()) &&
       WaitForSingleObject(end->Get(), 10000) == WAIT_OBJECT_0;
  if (end->Valid()) ResetEvent(end->Get());
  stamps[6] = CounterNow();
  if (ok) {
    CommandRecord reply;
    ScopedView view(section->Get());
    if (view.Get()) std::memcpy(&reply, view.Get(), sizeof(reply));
  }
  stamps[7] = CounterNow();
  section.reset();
  requestEvent.reset();
  end.reset();
  ReleaseMutex(mutex);
  stamps[8] = CounterNow();
  return ok;
}

}  // namespace

std::vector<std::pair<std::string, double>> TimeExchangeSteps(int exchanges) {
  std::vector<std::pair<std::string, double>> steps;
  ScopedHandle mutex(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, expected::kCommandMutex));
  if (!mutex.Valid()) return steps;
  CommandRecord request = {};
  request.dwCommand = 253;
  request.dwSize = sizeof(request);
  double sums[kStepCount] = {};
  int done = 0;
  for (int i = 0; i < exchanges; ++i) {
    LONGLONG stamps[kStepCount + 1];
    if (!OneExchange(mutex.Get(), request, stamps)) continue;
    for (int s = 0; s < kStepCount; ++s) sums[s] += CounterMs(stamps[s], stamps[s + 1]) * 1000.0;
    ++done;
  }
  if (done == 0) return steps;
  for (int s = 0; s < kStepCount; ++s) steps.emplace_back(kSteps[s], sums[s] / done);
  return steps;
}
