// version.dll bound at run time from the system folder, all or nothing: a
// downloaded launcher must never load a version.dll planted beside it.
#pragma once
#include <windows.h>

struct VersionApi {
  HMODULE hModule;
  BOOL(WINAPI* VerFindFileW)(DWORD, LPCWSTR, LPCWSTR, LPCWSTR, LPWSTR, PUINT, LPWSTR, PUINT);
  DWORD(WINAPI* VerInstallFileW)(DWORD, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, LPWSTR, PUINT);
  DWORD(WINAPI* GetFileVersionInfoSizeW)(LPCWSTR, LPDWORD);
  BOOL(WINAPI* GetFileVersionInfoW)(LPCWSTR, DWORD, DWORD, LPVOID);
  DWORD(WINAPI* GetFileVersionInfoSizeExW)(DWORD, LPCWSTR, LPDWORD);
  BOOL(WINAPI* GetFileVersionInfoExW)(DWORD, LPCWSTR, DWORD, DWORD, LPVOID);
  DWORD(WINAPI* VerLanguageNameW)(DWORD, LPWSTR, DWORD);
  BOOL(WINAPI* VerQueryValueW)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
};

// Either every field is set or every field is clear.
extern VersionApi g_versionApi;

// Frees any earlier binding, then loads <system folder>\version.dll and looks
// up all eight entry points. true when all were found; otherwise the record
// is left clear and the library freed.
bool BindVersionApi();
// Frees the library and clears the record.
void UnbindVersionApi();

// The three calls the launcher makes. Each returns 0/false without calling
// anything when unbound, and also when the call raises an exception.
DWORD CallGetFileVersionInfoSize(LPCWSTR path, DWORD& handle);
bool CallGetFileVersionInfo(LPCWSTR path, DWORD size, LPVOID block);
bool CallVerQueryValue(LPCVOID block, LPCWSTR subBlock, LPVOID& value, UINT& length);
