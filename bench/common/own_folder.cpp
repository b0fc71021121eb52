#include "bench/common/own_folder.h"

#include <windows.h>

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return L".";
  std::wstring folder(path, length);
  const size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : folder.substr(0, slash);
}
