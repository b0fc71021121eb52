// Deployment throughput: the launcher's ExtractPayload writing its 8,527,640
// byte payload to a fresh file, held and checked against the payload as
// before every start, against CopyFileW of the same bytes to a
// fresh file in the same folder. Each sample runs in a process of its own,
// as the launcher writes once per run: the payload comes from an image just
// mapped, not from pages an earlier sample touched.
//   quarnel_bench_deploy [--runs N]
//   quarnel_bench_deploy --extract PATH      (one sample; exit code: us)
//   quarnel_bench_deploy --copy FROM TO      (one sample; exit code: us)
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "app/setup_copy_check.h"
#include "app/setup_copy_lock.h"
#include "app/setup_deploy.h"
#include "base/scoped_handles.h"
#include "bench/common/bench_row.h"
#include "bench/common/clock.h"
#include "bench/common/own_folder.h"
#include "bench_paths.h"
#include "tools/harness/launcher_run.h"

namespace {

constexpr LONGLONG kPayloadBytes = 8527640;
// Exit codes at or above this mean the sample failed.
constexpr DWORD kFailedSample = 0x80000000u;

DWORD Microseconds(LONGLONG from, LONGLONG to) {
  return static_cast<DWORD>(CounterMs(from, to) * 1000.0);
}

// The launcher's whole work before the start: the write, the hold and the
// check of the held copy against the payload.
DWORD ExtractSample(const wchar_t* path) {
  const LONGLONG start = CounterNow();
  BY_HANDLE_FILE_INFORMATION written = {};
  ScopedHandle lock;
  const bool ready = ExtractPayload(path, &written) && LockSetupCopy(path, written, lock) &&
                     CheckSetupCopy(lock.Get());
  const LONGLONG end = CounterNow();
  return ready ? Microseconds(start, end) : kFailedSample;
}

DWORD CopySample(const wchar_t* from, const wchar_t* to) {
  const LONGLONG start = CounterNow();
  const BOOL copied = CopyFileW(from, to, FALSE);
  const LONGLONG end = CounterNow();
  return copied ? Microseconds(start, end) : kFailedSample;
}

LONGLONG FileBytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Runs one sample in a child process after removing its target; MB/s, or a
// negative value when the sample failed or wrote the wrong number of bytes.
double Sample(const std::wstring& arguments, const std::wstring& target) {
  DeleteFileW(target.c_str());
  ChildProcess child;
  if (!child.Start(OwnFolder() + L"\\quarnel_bench_deploy.exe", arguments, {}) ||
      !child.Wait(60000)) {
    return -1;
  }
  const DWORD microseconds = child.ExitCode();
  if (microseconds >= kFailedSample || microseconds == 0) return -1;
  if (FileBytes(target) != kPayloadBytes) return -2;
  return static_cast<double>(kPayloadBytes) / microseconds;  // bytes/us == MB/s
}

// True when the two files hold the same bytes; the copy a sample wrote is
// only worth timing if it is the payload.
bool SameBytes(const std::wstring& a, const std::wstring& b) {
  const ScopedHandle files[2] = {ScopedHandle(CreateFileW(a.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                          nullptr, OPEN_EXISTING, 0, nullptr)),
                                 ScopedHandle(CreateFileW(b.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                          nullptr, OPEN_EXISTING, 0, nullptr))};
  bool same = files[0].Valid() && files[1].Valid();
  std::vector<char> chunks[2] = {std::vector<char>(1 << 16), std::vector<char>(1 << 16)};
  while (same) {
    DWORD got[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
      if (!ReadFile(files[i].Get(), chunks[i].data(), 1 << 16, &got[i], nullptr)) got[i] = ~0u;
    }
    same = got[0] == got[1] && got[0] != ~0u &&
           std::equal(chunks[0].begin(), chunks[0].begin() + got[0], chunks[1].begin());
    if (got[0] == 0) break;
  }
  return same;
}

int Drive(int runs) {
  const std::wstring folder = std::wstring(BENCH_SCRATCH_DIR) + L"\\deploy";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring source = folder + L"\\payload_source.bin";
  const std::wstring extracted = folder + L"\\Quarnel_Setup1.exe";
  const std::wstring copied = folder + L"\\payload_copy.bin";
  if (!CopyFileW(BENCH_PAYLOAD_FILE_W, source.c_str(), FALSE) ||
      FileBytes(source) != kPayloadBytes) {
    PrintNote("deployment: the payload is missing or not 8,527,640 bytes");
    return 1;
  }
  const std::wstring extractArgs = L"--extract \"" + extracted + L"\"";
  const std::wstring copyArgs = L"--copy \"" + source + L"\" \"" + copied + L"\"";
  for (int i = 0; i < 2; ++i) {
    Sample(extractArgs, extracted);
    Sample(copyArgs, copied);
  }
  std::vector<double> ours, floor;
  int failures = 0;
  for (int i = 0; i < runs; ++i) {
    const double extract = Sample(extractArgs, extracted);
    const double copy = Sample(copyArgs, copied);
    if (extract > 0)
      ours.push_back(extract);
    else
      ++failures;
    if (copy > 0)
      floor.push_back(copy);
    else
      ++failures;
  }
  if (!SameBytes(source, extracted) || !SameBytes(source, copied)) {
    PrintNote("deployment: a written copy differs from the payload");
  }
  DeleteFileW(extracted.c_str());
  DeleteFileW(copied.c_str());
  DeleteFileW(source.c_str());
  const SampleSummary oursSummary = Summarize(ours), floorSummary = Summarize(floor);
  const double ratio = Ratio(oursSummary.median, floorSummary.median);
  PrintRow(FormatRow("2 deployment throughput", FormatSummary(oursSummary, "MB/s", 0),
                     FormatSummary(floorSummary, "MB/s", 0), ratio, ">= 0.90x",
                     MetText(ratio, Goal{GoalKind::kAtLeast, 0.9})));
  if (failures) PrintNote("deployment: " + std::to_string(failures) + " samples failed");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"--extract") == 0) {
    return static_cast<int>(ExtractSample(argv[2]));
  }
  if (argc == 4 && std::wcscmp(argv[1], L"--copy") == 0) {
    return static_cast<int>(CopySample(argv[2], argv[3]));
  }
  int runs = 20;
  if (argc == 3 && std::wcscmp(argv[1], L"--runs") == 0) runs = std::max(3, _wtoi(argv[2]));
  return Drive(runs);
}
