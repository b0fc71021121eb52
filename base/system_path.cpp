#include "base/system_path.h"

namespace {
bool EndsWithSeparator(LPCWSTR text, int length) {
  return length > 0 && (text[length - 1] == L'\\' || text[length - 1] == L'/');
}
}  // namespace

bool JoinPath(LPCWSTR folder, LPCWSTR name, LPWSTR out, int outChars) {
  if (outChars <= 0) return false;
  const int folderLength = lstrlenW(folder);
  const int nameLength = lstrlenW(name);
  const bool needSeparator = folderLength > 0 && !EndsWithSeparator(folder, folderLength);
  const int total = folderLength + (needSeparator ? 1 : 0) + nameLength;
  if (total >= outChars) {
    out[0] = L'\0';
    return false;
  }
  CopyMemory(out, folder, folderLength * sizeof(WCHAR));
  int at = folderLength;
  if (needSeparator) out[at++] = L'\\';
  CopyMemory(out + at, name, nameLength * sizeof(WCHAR));
  out[total] = L'\0';
  return true;
}

bool QuotePath(LPCWSTR path, WCHAR (&quoted)[kQuotedPathChars]) {
  const int length = lstrlenW(path);
  if (length + 2 >= kQuotedPathChars) {
    quoted[0] = L'\0';
    return false;
  }
  quoted[0] = L'"';
  CopyMemory(quoted + 1, path, length * sizeof(WCHAR));
  quoted[length + 1] = L'"';
  quoted[length + 2] = L'\0';
  return true;
}

bool SystemFilePath(LPCWSTR fileName, WCHAR (&out)[kSystemPathChars]) {
  WCHAR folder[kSystemPathChars];
  UINT length = GetSystemDirectoryW(folder, kSystemPathChars);
  // A result as large as the buffer is the size needed, not a path.
  if (length == 0 || length >= static_cast<UINT>(kSystemPathChars)) {
    out[0] = L'\0';
    return false;
  }
  while (length > 0 && folder[length - 1] == L'\\') folder[--length] = L'\0';
  if (length == 0) {
    out[0] = L'\0';
    return false;
  }
  return JoinPath(folder, fileName, out, kSystemPathChars);
}
