#include "installed_product.h"

#include <windows.h>

#include "res/resource.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/observed_values.h"

namespace {

// The uninstall key's values Programs and Features shows and the launcher reads.
const wchar_t* const kKeyValues[] = {L"DisplayName", L"InstallLocation", L"DisplayVersion",
                                     L"Publisher",   L"UninstallString", L"QuietUninstallString"};

std::wstring FilesIn(const std::wstring& dir) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return L"absent";
  std::wstring names;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    names += (names.empty() ? L"" : L", ") + std::wstring(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names.empty() ? L"empty" : names;
}

}  // namespace

bool CarriesNsisInstaller(const std::wstring& path) {
  const HMODULE image = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!image) return false;
  bool nsis = false;
  const HRSRC payload = FindResourceW(image, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD), RT_RCDATA);
  const HGLOBAL loaded = payload ? LoadResource(image, payload) : nullptr;
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (bytes) {
    // Every NSIS installer's data header carries this signature.
    const std::string data(bytes, SizeofResource(image, payload));
    nsis = data.find("NullsoftInst") != std::string::npos;
  }
  FreeLibrary(image);
  return nsis;
}

void ReportInstalledProduct(const std::wstring& installDir, Transcript& transcript) {
  transcript.Fact(L"install folder", installDir + L": " + FilesIn(installDir));
  transcript.Fact(L"uninstall key",
                  L"HKLM\\" + std::wstring(expected::kUninstallKey) + L" (32-bit view)");
  for (const wchar_t* name : kKeyValues) {
    const std::wstring value =
        StringValueIn(HKEY_LOCAL_MACHINE, expected::kUninstallKey, name, KEY_WOW64_32KEY);
    transcript.Fact(std::wstring(L"  ") + name, value.empty() ? L"(none)" : value);
  }
}
