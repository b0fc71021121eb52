// Version reading and comparison: the launcher's decision rests on these.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/file_version.h"
#include "app/version_api.h"
#include "run_paths.h"
#include "text_values.h"
#include "tools/harness/scratch_dir.h"
#include "tools/harness/version_resource.h"

namespace {

TEST(CompareVersions, IsTextualOnTheFirstDifference) {
  struct Case {
    const wchar_t* left;
    const wchar_t* right;
    int sign;
  } cases[] = {
      {L"1.40", L"1.30", 1},
      {L"1.40", L"1.40", 0},
      {L"1.40", L"2.00", -1},
      {L"1.4", L"1.40", -1},
      {L"1.40", L"", 1},
      {L"", L"", 0},
      {L"10.1", L"1.40", 1},
      {L"9.00", L"10.0", 1},
      {L"1.40", L"1.4", 1},
      // Code units compare unsigned: U+FF10 (fullwidth zero) sorts above '9'.
      {L"\xFF10", L"9", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.sign, Sign(CompareVersions(c.left, c.right))) << c.left << L" vs " << c.right;
  }
}

class ReadFileVersionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BindVersionApi()); }
  void TearDown() override { UnbindVersionApi(); }

  // A copy of the stand-in main application carrying `resource`.
  std::wstring Crafted(const std::vector<BYTE>& resource) {
    std::wstring target = dir.File(L"crafted" + std::to_wstring(++count) + L".exe");
    std::wstring error;
    EXPECT_TRUE(WriteVersionedCopy(std::wstring(QUARNEL_TEST_STANDIN_DIR) + L"\\Zelvane.exe",
                                   target, resource, &error))
        << error;
    return target;
  }

  CString Read(const std::wstring& path, BOOL* result = nullptr) {
    CString version(L"stale");
    bool ok = ReadFileVersion(path.c_str(), version);
    if (result) *result = ok;
    return version;
  }

  ScratchDir dir{L"version"};
  int count = 0;
};

TEST_F(ReadFileVersionTest, KeepsTheFirstFourCodeUnits) {
  EXPECT_STREQ(L"1.40", Read(Crafted(BuildVersionResource(L"1.40.0410"))).GetString());
  EXPECT_STREQ(L"1.30", Read(Crafted(BuildVersionResource(L"1.30.0315"))).GetString());
  EXPECT_STREQ(L"1.4", Read(Crafted(BuildVersionResource(L"1.4"))).GetString());
  EXPECT_STREQ(L"", Read(Crafted(BuildVersionResource(L""))).GetString());
}

TEST_F(ReadFileVersionTest, ReadsTheLaunchersOwnResource) {
  // Test programs carry the launcher's resources, version included.
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_STREQ(L"1.40", Read(self).GetString());
}

TEST_F(ReadFileVersionTest, CraftedCopyOfTheLauncherReadsTheNewVersionInEveryLanguage) {
  // The launcher's own version resource lives under 0x0411; a copy that kept
  // it beside the new one would read 1.40 under a Japanese user locale.
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring target = dir.File(L"older.exe");
  std::wstring error;
  ASSERT_TRUE(WriteVersionedCopy(self, target, BuildVersionResource(L"1.30.0315"), &error))
      << error;
  HMODULE module = LoadLibraryExW(target.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  const std::vector<WORD> languages =
      ResourceLanguages(module, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1));
  FreeLibrary(module);
  ASSERT_FALSE(languages.empty());
  for (WORD language : languages) {
    HMODULE data = LoadLibraryExW(target.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceExW(data, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), language);
    ASSERT_NE(nullptr, found) << language;
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(data, found)));
    const std::vector<BYTE> expected = BuildVersionResource(L"1.30.0315");
    EXPECT_EQ(expected, std::vector<BYTE>(bytes, bytes + SizeofResource(data, found))) << language;
    FreeLibrary(data);
  }
  EXPECT_STREQ(L"1.30", Read(target).GetString());
}

TEST_F(ReadFileVersionTest, IgnoresOtherTablesAndOtherNames) {
  VersionStringEntry japanese;
  japanese.tableKey = L"041104b0";
  japanese.value = L"1.40.0410";
  EXPECT_STREQ(L"", Read(Crafted(BuildVersionResource({japanese}))).GetString());

  VersionStringEntry product;
  product.name = L"ProductVersion";
  product.value = L"1.40.0410";
  EXPECT_STREQ(L"", Read(Crafted(BuildVersionResource({product}))).GetString());
}

TEST_F(ReadFileVersionTest, NeverReadsPastTheReportedLength) {
  VersionStringEntry unterminated;
  unterminated.value = L"1.40";
  unterminated.terminate = false;
  EXPECT_STREQ(L"1.40", Read(Crafted(BuildVersionResource({unterminated}))).GetString());

  VersionStringEntry shortReported;
  shortReported.value = L"1.40.0410";
  shortReported.reportedLength = 2;
  const CString version = Read(Crafted(BuildVersionResource({shortReported})));
  // However a version library reports such a length, the text is a prefix of
  // the stored one and never longer than four code units.
  EXPECT_LE(version.GetLength(), 4);
  EXPECT_EQ(0, wcsncmp(L"1.40", version.GetString(), version.GetLength()));
}

TEST_F(ReadFileVersionTest, FileWithoutVersionResourceReadsEmptyButExists) {
  BOOL result = FALSE;
  EXPECT_STREQ(L"", Read(Crafted({}), &result).GetString());
  EXPECT_TRUE(result);
}

TEST_F(ReadFileVersionTest, MissingFileIsTheOnlyFailure) {
  BOOL result = TRUE;
  EXPECT_STREQ(L"", Read(dir.File(L"absent.exe"), &result).GetString());
  EXPECT_FALSE(result);
}

TEST_F(ReadFileVersionTest, UnboundLibraryReadsEveryVersionEmpty) {
  const std::wstring file = Crafted(BuildVersionResource(L"1.40.0410"));
  UnbindVersionApi();
  BOOL result = FALSE;
  EXPECT_STREQ(L"", Read(file, &result).GetString());
  EXPECT_TRUE(result);
  DWORD handle = 0;
  EXPECT_EQ(0u, CallGetFileVersionInfoSize(file.c_str(), handle));
}

}  // namespace
