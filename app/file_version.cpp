#include "app/file_version.h"

#include <shlwapi.h>

#include "app/version_api.h"

namespace {

const WCHAR kFileVersionPath[] = L"\\StringFileInfo\\040904b0\\FileVersion";

// Owns a block of version information on the process heap.
class VersionBlock {
 public:
  explicit VersionBlock(DWORD size)
      : m_size(size),
        m_data(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size + kVersionBlockSlack)) {}
  ~VersionBlock() {
    if (m_data) HeapFree(GetProcessHeap(), 0, m_data);
  }
  VersionBlock(const VersionBlock&) = delete;
  VersionBlock& operator=(const VersionBlock&) = delete;

  LPVOID Data() const { return m_data; }
  DWORD Size() const { return m_size; }

 private:
  DWORD m_size;
  LPVOID m_data;
};

// true when `count` code units at `value` lie inside the `size` bytes at
// `block`.
bool BlockContains(LPCVOID block, DWORD size, LPCVOID value, UINT count) {
  const BYTE* begin = static_cast<const BYTE*>(block);
  const BYTE* at = static_cast<const BYTE*>(value);
  return at >= begin && at <= begin + size &&
         static_cast<DWORD>(begin + size - at) / sizeof(WCHAR) >= count;
}

// The number of code units of `value` that count: up to four, never past the
// reported length, the terminator or the block.
UINT ComparedLength(LPCVOID block, DWORD size, LPCWSTR value, UINT reportedLength) {
  UINT limit = reportedLength < kComparedVersionChars ? reportedLength : kComparedVersionChars;
  if (!BlockContains(block, size, value, limit)) return 0;
  UINT length = 0;
  while (length < limit && value[length] != L'\0') ++length;
  return length;
}

}  // namespace

bool ReadFileVersion(LPCWSTR path, CString& version) {
  version.Empty();
  if (!PathFileExistsW(path)) return false;
  DWORD handle = 0;
  const DWORD size = CallGetFileVersionInfoSize(path, handle);
  if (size == 0) return true;
  VersionBlock block(size);
  if (!block.Data()) return true;
  if (!CallGetFileVersionInfo(path, size, block.Data())) return true;
  ReadVersionFromBlock(block.Data(), block.Size(), version);
  return true;
}

void ReadVersionFromBlock(LPVOID block, DWORD size, CString& version) {
  version.Empty();
  LPVOID value = nullptr;
  UINT length = 0;
  if (CallVerQueryValue(block, kFileVersionPath, value, length) && value) {
    LPCWSTR text = static_cast<LPCWSTR>(value);
    version = CString(text, static_cast<int>(ComparedLength(block, size, text, length)));
  }
}

int CompareVersions(LPCWSTR left, LPCWSTR right) { return CompareOrdinal(left, right); }
