#include "tools/harness/payload_resource.h"

#include <windows.h>

#include "res/resource.h"
#include "tools/harness/scratch_dir.h"

namespace {

BOOL CALLBACK FirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  *reinterpret_cast<WORD*>(found) = language;
  return FALSE;
}

// The language the launcher at `path` carries its payload in.
WORD PayloadLanguage(const std::wstring& path) {
  WORD language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  HMODULE image = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!image) return language;
  EnumResourceLanguagesW(image, RT_RCDATA, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD), FirstLanguage,
                         reinterpret_cast<LONG_PTR>(&language));
  FreeLibrary(image);
  return language;
}

}  // namespace

bool ReplacePayload(const std::wstring& path, const std::wstring& installer) {
  std::string bytes;
  if (!ReadWholeFile(installer, &bytes) || bytes.empty()) return false;
  const WORD language = PayloadLanguage(path);
  HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
  if (!update) return false;
  const BOOL written = UpdateResourceW(update, RT_RCDATA, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD),
                                       language, &bytes[0], static_cast<DWORD>(bytes.size()));
  return EndUpdateResourceW(update, !written) && written;
}
