// Writing the installer copy and recording it.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/setup_deploy.h"
#include "harness/expected_values.h"
#include "registry_sandbox.h"
#include "res/resource.h"
#include "harness/scratch_dir.h"

namespace {

std::string OwnPayload() {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD), RT_RCDATA);
  if (!resource) return std::string();
  const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
  return std::string(data, SizeofResource(nullptr, resource));
}

TEST(FindFreeSetupPath, TakesTheFirstNameThatNamesNothing) {
  ScratchDir dir(L"names");
  wchar_t path[kDeployPathChars];
  ASSERT_TRUE(FindFreeSetupPath(dir.Path().c_str(), path));
  EXPECT_EQ(dir.File(L"Quarnel_Setup1.exe"), path);

  ASSERT_TRUE(WriteWholeFile(dir.File(L"Quarnel_Setup1.exe"), "x"));
  ASSERT_TRUE(WriteWholeFile(dir.File(L"Quarnel_Setup2.exe"), "x"));
  ASSERT_TRUE(FindFreeSetupPath(dir.Path().c_str(), path));
  EXPECT_EQ(dir.File(L"Quarnel_Setup3.exe"), path);

  // A folder of that name is taken as well.
  ASSERT_TRUE(CreateDirectoryW(dir.File(L"Quarnel_Setup3.exe").c_str(), nullptr));
  ASSERT_TRUE(FindFreeSetupPath((dir.Path() + L"\\").c_str(), path));
  EXPECT_EQ(dir.File(L"Quarnel_Setup4.exe"), path);
}

TEST(FindFreeSetupPath, RefusesAFolderWhoseCandidatesWouldBeCut) {
  wchar_t path[kDeployPathChars];
  // 242 + 18 = 260 fits; one more character does not.
  const std::wstring fits = L"C:\\" + std::wstring(238, L'd') + L"\\";
  ASSERT_EQ(242u, fits.size());
  EXPECT_TRUE(FindFreeSetupPath(fits.c_str(), path));
  EXPECT_EQ(260u, wcslen(path));
  EXPECT_FALSE(FindFreeSetupPath((L"C:\\" + std::wstring(239, L'd') + L"\\").c_str(), path));
  EXPECT_STREQ(L"", path);
}

TEST(ExtractPayload, WritesTheResourceByteForByte) {
  const std::string payload = OwnPayload();
  ASSERT_GT(payload.size(), 1000u);
  ScratchDir dir(L"payload");
  // An older, longer file of the same name is replaced whole.
  ASSERT_TRUE(WriteWholeFile(dir.File(L"Quarnel_Setup1.exe"), std::string(payload.size() + 99, 'z')));
  ASSERT_TRUE(ExtractPayload(dir.File(L"Quarnel_Setup1.exe").c_str()));
  std::string written;
  ASSERT_TRUE(ReadWholeFile(dir.File(L"Quarnel_Setup1.exe"), &written));
  EXPECT_EQ(payload.size(), written.size());
  EXPECT_TRUE(payload == written);
}

TEST(ExtractPayload, FailsWhenTheFileCannotBeCreated) {
  ScratchDir dir(L"payload");
  EXPECT_FALSE(ExtractPayload(dir.File(L"missing\\sub\\Quarnel_Setup1.exe").c_str()));
  // A folder in the way cannot be overwritten.
  ASSERT_TRUE(CreateDirectoryW(dir.File(L"Quarnel_Setup1.exe").c_str(), nullptr));
  EXPECT_FALSE(ExtractPayload(dir.File(L"Quarnel_Setup1.exe").c_str()));
}

TEST(RecordSetupPath, NeedsTheUsersSoftwareKey) {
  RegistrySandbox registry;
  EXPECT_FALSE(RecordSetupPath(L"C:\\Temp\\Quarnel_Setup1.exe"));
}

TEST(RecordSetupPath, StoresTheTerminatedPathUnderTheUsersKey) {
  RegistrySandbox registry;
  registry.SetDword(HKEY_CURRENT_USER, L"SOFTWARE", L"placeholder", 0);
  const std::wstring first = L"C:\\Temp\\Quarnel_Setup1.exe";
  ASSERT_TRUE(RecordSetupPath(first.c_str()));
  std::wstring stored;
  ASSERT_TRUE(registry.GetString(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath",
                                 &stored));
  EXPECT_EQ(first, stored);

  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, expected::kSetupPathKey, 0,
                                         KEY_READ, &key));
  DWORD type = 0, bytes = 0;
  RegQueryValueExW(key, L"SetupPath", nullptr, &type, nullptr, &bytes);
  RegCloseKey(key);
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ((first.size() + 1) * sizeof(wchar_t), bytes);

  // Each deployment overwrites the value with the newest copy.
  ASSERT_TRUE(RecordSetupPath(L"C:\\Temp\\Quarnel_Setup2.exe"));
  ASSERT_TRUE(registry.GetString(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath",
                                 &stored));
  EXPECT_EQ(L"C:\\Temp\\Quarnel_Setup2.exe", stored);
  EXPECT_FALSE(RecordSetupPath(nullptr));
}

TEST(GetDeployFolder, RefusesATemporaryFolderLongerThanItsBuffer) {
  wchar_t saved[4096] = {};
  const DWORD hadTmp = GetEnvironmentVariableW(L"TMP", saved, 4096);
  wchar_t folder[kDeployPathChars];

  // Windows reports the size it would need, Wine refuses outright; either
  // way nothing of the long path may be used.
  const std::wstring longFolder = L"C:\\" + std::wstring(280, L't');
  SetEnvironmentVariableW(L"TMP", longFolder.c_str());
  GetDeployFolder(folder);
  EXPECT_STREQ(L"", folder);

  SetEnvironmentVariableW(L"TMP", L"C:\\short");
  EXPECT_TRUE(GetDeployFolder(folder));
  EXPECT_STREQ(L"C:\\short\\", folder);

  SetEnvironmentVariableW(L"TMP", hadTmp ? saved : nullptr);
}

}  // namespace
