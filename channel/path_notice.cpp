#include "channel/path_notice.h"

namespace {

// Length of `path` if its terminator lies within the first `limit` code
// units, else -1; never reads past path[limit - 1].
int BoundedLength(LPCWSTR path, int limit) {
  for (int i = 0; i < limit; ++i) {
    if (path[i] == L'\0') return i;
  }
  return -1;
}

}  // namespace

bool BuildPathNotice(LPCWSTR path, CommandRecord& request) {
  ZeroMemory(&request, sizeof(request));
  if (!path) return false;
  const int length = BoundedLength(path, kCommandPathChars);
  if (length < 0) return false;
  request.dwCommand = CMD_PATH_NOTICE;
  request.dwSize = kCommandRecordBytes;
  CopyMemory(request.szPath, path, length * sizeof(WCHAR));
  return true;
}
