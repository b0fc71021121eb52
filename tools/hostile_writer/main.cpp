// Another process on the machine with the right to write the temporary
// folder: it waits for the launcher's installer copy, takes a write handle
// the moment the launcher's writer lets go, and writes another program over
// the start of the copy at the copy's size, so that the file's identity and
// size stay as written while its bytes no longer are.
//   hostile_writer <copy> <planted program> <hold ms>
// Records "hostile-write" (path, bytes) in QUARNEL_STANDIN_LOG once written,
// then keeps the write handle <hold ms>, as a scanner would. Gives up after a
// minute without a handle; the test usually ends it before.
#include <windows.h>

#include <cwchar>
#include <string>

#include "standin_common/standin_log.h"
#include "tools/harness/harness_failure.h"
#include "tools/harness/scratch_dir.h"

namespace {

// Spins on the open, as fast as the system answers, so that the handle is
// had in the moment between the writer's close and anybody's next open.
HANDLE OpenForWritingWhenFree(const wchar_t* path, DWORD giveUpMs) {
  const DWORD start = GetTickCount();
  const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  while (GetTickCount() - start < giveUpMs) {
    const HANDLE file =
        CreateFileW(path, GENERIC_WRITE, shareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

// The harness's reads report nothing here: a failed one ends the program.
void ReportHarnessFailure(const char*, int, const std::string&) {}

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  std::string planted;
  if (!ReadWholeFile(argv[2], &planted) || planted.empty()) return 3;
  const HANDLE file = OpenForWritingWhenFree(argv[1], 60000);
  if (file == INVALID_HANDLE_VALUE) return 4;
  LARGE_INTEGER size = {};
  DWORD written = 0;
  // Only ever within the copy: its size stays as the launcher wrote it.
  const bool fits =
      GetFileSizeEx(file, &size) && size.QuadPart > static_cast<LONGLONG>(planted.size());
  const bool wrote =
      fits &&
      WriteFile(file, planted.data(), static_cast<DWORD>(planted.size()), &written, nullptr) &&
      written == planted.size();
  // Recorded at once, so that the log's order tells whether the bytes were
  // in before anything was started.
  if (wrote) {
    AppendStandinLog(L"hostile-write", {{L"path", argv[1]}, {L"bytes", std::to_wstring(written)}});
  }
  Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
  CloseHandle(file);
  return wrote ? 0 : 5;
}
