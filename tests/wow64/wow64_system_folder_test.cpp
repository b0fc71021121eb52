// What the launcher's process sees of a 64-bit Windows: it runs under WoW64,
// its system folder is the 32-bit one, and version.dll and GDI+ load from
// there. Checked in process, with the launcher's own loading code; the
// product's stand-ins this lane starts are 64-bit programs. Windows names
// the 32-bit system folder SysWOW64, Wine names it system32 and redirects
// it to syswow64: the files opened, not the names, are compared.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/version_api.h"
#include "tools/harness/launcher_run.h"
#include "ui/gdiplus_api.h"

namespace {

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? std::wstring(path, length) : std::wstring();
}

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

std::wstring Wow64Folder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemWow64DirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

// True when `a` and `b`, files or folders, open as the same object.
bool SameObject(const std::wstring& a, const std::wstring& b) {
  BY_HANDLE_FILE_INFORMATION infos[2] = {};
  const std::wstring paths[2] = {a, b};
  for (int i = 0; i < 2; ++i) {
    HANDLE file = CreateFileW(paths[i].c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const BOOL read = GetFileInformationByHandle(file, &infos[i]);
    CloseHandle(file);
    if (!read) return false;
  }
  return infos[0].dwVolumeSerialNumber == infos[1].dwVolumeSerialNumber &&
         infos[0].nFileIndexHigh == infos[1].nFileIndexHigh &&
         infos[0].nFileIndexLow == infos[1].nFileIndexLow;
}

// The 64-bit system folder, which a 32-bit program reaches as Sysnative.
std::wstring NativeFolder() {
  wchar_t windows[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(windows, length) + L"\\Sysnative"
                                         : std::wstring();
}

// The loaded `module` is `name` of the 32-bit system folder, not the 64-bit
// folder's namesake.
void ExpectFromThe32BitSystemFolder(HMODULE module, const wchar_t* name) {
  const std::wstring loaded = ModulePath(module);
  EXPECT_TRUE(SameObject(Wow64Folder() + L"\\" + name, loaded)) << loaded;
  const std::wstring native = NativeFolder() + L"\\" + name;
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(native.c_str())) << native;
  EXPECT_FALSE(SameObject(native, loaded)) << loaded;
}

TEST(Wow64SystemFolder, TheLauncherRunsUnderWow64WithThe32BitSystemFolder) {
  BOOL wow64 = FALSE;
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
  ASSERT_TRUE(wow64) << "this lane must run in a 64-bit prefix";
  ASSERT_FALSE(Wow64Folder().empty());
  EXPECT_TRUE(SameObject(Wow64Folder(), SystemFolder())) << SystemFolder();
  EXPECT_FALSE(SameObject(NativeFolder(), SystemFolder())) << SystemFolder();
}

TEST(Wow64SystemFolder, VersionDllLoadsFromThe32BitSystemFolder) {
  ASSERT_TRUE(BindVersionApi());
  ExpectFromThe32BitSystemFolder(g_versionApi.hModule, L"version.dll");
  UnbindVersionApi();
}

TEST(Wow64SystemFolder, GdiplusLoadsFromThe32BitSystemFolder) {
  ASSERT_TRUE(BindGdiplusApi());
  ExpectFromThe32BitSystemFolder(g_gdiplusApi.hModule, L"gdiplus.dll");
}

TEST(Wow64SystemFolder, TheProductsStandinsAre64BitAndTheLauncher32Bit) {
  for (const wchar_t* name : {L"standin_service.exe", L"Zelvane.exe", L"standin_installer.exe"}) {
    DWORD type = 0xFFFFFFFF;
    EXPECT_TRUE(GetBinaryTypeW(StandinPath(name).c_str(), &type)) << StandinPath(name);
    EXPECT_EQ(static_cast<DWORD>(SCS_64BIT_BINARY), type) << StandinPath(name);
  }
  DWORD launcherType = 0xFFFFFFFF;
  EXPECT_TRUE(GetBinaryTypeW(BuiltLauncher().c_str(), &launcherType));
  EXPECT_EQ(static_cast<DWORD>(SCS_32BIT_BINARY), launcherType);
}

}  // namespace
