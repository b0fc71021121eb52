// Finding the installed product through its uninstall key, against a
// sandboxed registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/installed_product.h"
#include "app/version_api.h"
#include "base/scoped_handles.h"
#include "base/system_path.h"
#include "registry_sandbox.h"
#include "run_paths.h"
#include "tools/harness/scratch_dir.h"
#include "tools/harness/version_resource.h"

namespace {

class FindInstalledProductTest : public ::testing::Test {
 protected:
  void SetUp() override { BindVersionApi(); }
  void TearDown() override { UnbindVersionApi(); }

  void SetLocation(const std::wstring& location) {
    registry.SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", L"Zelvane");
    registry.SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", location);
  }

  // Runs the lookup with outputs pre-set, to see whether they are touched.
  BOOL Find(CString* version, CString* path) {
    *version = L"untouched";
    *path = L"untouched";
    return FindInstalledProduct(*version, *path).ok;
  }

  RegistrySandbox registry;
  CString version;
  CString path;
};

TEST_F(FindInstalledProductTest, NoKeyMeansNotInstalledAndTouchesNothing) {
  EXPECT_FALSE(Find(&version, &path));
  EXPECT_STREQ(L"untouched", version.GetString());
  EXPECT_STREQ(L"untouched", path.GetString());
}

TEST_F(FindInstalledProductTest, BothValuesAreNeeded) {
  registry.SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", L"C:\\Apps\\Q");
  EXPECT_FALSE(Find(&version, &path));
  registry.SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", L"Zelvane");
  EXPECT_TRUE(Find(&version, &path));
}

TEST_F(FindInstalledProductTest, JoinsTheLocationWithTheLaunchersName) {
  struct Case {
    const wchar_t* location;
    const wchar_t* expected;
  } cases[] = {
      {L"C:\\Apps\\Q", L"C:\\Apps\\Q\\Quarnel.exe"},
      {L"C:\\Apps\\Q\\", L"C:\\Apps\\Q\\Quarnel.exe"},
      {L"C:/Apps/Q/", L"C:/Apps/Q/Quarnel.exe"},
      {L"\"C:\\Program Files\\Q\"", L"C:\\Program Files\\Q\\Quarnel.exe"},
  };
  for (const Case& c : cases) {
    SetLocation(c.location);
    EXPECT_TRUE(Find(&version, &path)) << c.location;
    EXPECT_STREQ(c.expected, path.GetString()) << c.location;
    // The file is missing: installed all the same, with an empty version.
    EXPECT_STREQ(L"", version.GetString()) << c.location;
  }
}

TEST_F(FindInstalledProductTest, ReadsTheInstalledLaunchersVersion) {
  ScratchDir dir(L"installed");
  std::wstring error;
  ASSERT_TRUE(WriteVersionedCopy(std::wstring(QUARNEL_TEST_STANDIN_DIR) + L"\\Zelvane.exe",
                                 dir.File(L"Quarnel.exe"), BuildVersionResource(L"1.30.0315"),
                                 &error))
      << error;
  SetLocation(dir.Path());
  EXPECT_TRUE(Find(&version, &path));
  EXPECT_STREQ(L"1.30", version.GetString());
  EXPECT_STREQ(dir.File(L"Quarnel.exe").c_str(), path.GetString());
}

TEST_F(FindInstalledProductTest, LocationFillingTheBufferWithoutTerminatorIsRefused) {
  registry.SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", L"Zelvane");
  std::wstring text(270, L'a');  // exactly 540 bytes, no terminator
  registry.SetValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", REG_SZ, text.data(),
                    540);
  EXPECT_FALSE(Find(&version, &path));
  EXPECT_STREQ(L"untouched", path.GetString());

  std::wstring longer(300, L'a');
  registry.SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", longer);
  EXPECT_FALSE(Find(&version, &path));
}

TEST_F(FindInstalledProductTest, LongDisplayNameIsRefused) {
  SetLocation(L"C:\\Apps\\Q");
  registry.SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", std::wstring(300, L'n'));
  EXPECT_FALSE(Find(&version, &path));
}

TEST_F(FindInstalledProductTest, DisplayNameFillingTheBufferWithoutTerminatorIsStillReadable) {
  // Its text is never used: only the read has to succeed. Wine's registry
  // adds a terminator to string data it is given, so the 540 unterminated
  // bytes go in as binary; the type of the display name is never examined.
  SetLocation(L"C:\\Apps\\Q");
  const std::wstring name(270, L'n');
  registry.SetValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", REG_BINARY, name.data(),
                    540);
  const StepResult found = FindInstalledProduct(version, path);
  EXPECT_TRUE(found.ok) << "step " << static_cast<int>(found.step) << ", error " << found.error;
  EXPECT_STREQ(L"C:\\Apps\\Q\\Quarnel.exe", path.GetString());
}

TEST_F(FindInstalledProductTest, LocationThatIsNotTextIsRefused) {
  SetLocation(L"C:\\Apps\\Q");
  registry.SetDword(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", 0x003A0043);
  EXPECT_FALSE(Find(&version, &path));
}

// The location's bytes as the registry holds them, whatever the type says.
struct StoredLocation {
  DWORD type;
  std::wstring text;        // written with one terminator more than it holds
  const wchar_t* expected;  // the installed launcher's path; null: not installed
};

TEST_F(FindInstalledProductTest, ALocationCountsOnlyWhenItNamesAFolderFromAnywhere) {
  // Relative locations would make the launcher read a version from, and
  // start a program in, whatever folder it was started from.
  SetEnvironmentVariableW(L"QUARNEL_TEST_LONG", (L"C:\\" + std::wstring(280, L'x')).c_str());
  const StoredLocation cases[] = {
      {REG_SZ, L"", nullptr},
      {REG_SZ, L".", nullptr},
      {REG_SZ, L"Apps\\Q", nullptr},
      {REG_SZ, L"\\Apps\\Q", nullptr},
      {REG_SZ, L"C:Apps\\Q", nullptr},
      {REG_SZ, L"\"\"", nullptr},
      {REG_SZ, L"\\\\server", nullptr},
      {REG_SZ, L"\\\\.\\pipe\\zelvane", nullptr},
      {REG_SZ, L"C:\\Apps\\Q\"x", nullptr},
      {REG_SZ, L"C:\\Apps\\Q\\*", nullptr},
      {REG_SZ, L"\\\\server\\share\\Q", L"\\\\server\\share\\Q\\Quarnel.exe"},
      {REG_SZ, L"C:\\", L"C:\\Quarnel.exe"},
      {REG_SZ, L"\\\\?\\C:\\", L"\\\\?\\C:\\Quarnel.exe"},
      {REG_SZ, L"\\\\?\\UNC\\server\\share", L"\\\\?\\UNC\\server\\share\\Quarnel.exe"},
      // Some installers write the location as a list: its first string.
      {REG_MULTI_SZ, std::wstring(L"C:\\Apps\\Q\0", 11), L"C:\\Apps\\Q\\Quarnel.exe"},
      {REG_MULTI_SZ, std::wstring(L"Apps\0C:\\Q\0", 11), nullptr},
      {REG_EXPAND_SZ, L"%SystemDrive%\\Apps\\Q", L"C:\\Apps\\Q\\Quarnel.exe"},
      {REG_EXPAND_SZ, L"\"%SystemDrive%\\Program Files\\Q\"", L"C:\\Program Files\\Q\\Quarnel.exe"},
      {REG_EXPAND_SZ, L"%QUARNEL_TEST_LONG%", nullptr},
      {REG_EXPAND_SZ, L"%QUARNEL_TEST_UNSET%\\Q", nullptr},
      // A plain string is never expanded.
      {REG_SZ, L"%SystemDrive%\\Apps\\Q", nullptr},
      // Other types are read as text; only a folder's text makes a path.
      {REG_BINARY, L"C:\\Apps\\Q", L"C:\\Apps\\Q\\Quarnel.exe"},
      {REG_DWORD, std::wstring(L"C:", 2), nullptr},
  };
  for (const StoredLocation& c : cases) {
    registry.SetString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName", L"Zelvane");
    registry.SetValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation", c.type, c.text.c_str(),
                      static_cast<DWORD>((c.text.size() + 1) * sizeof(wchar_t)));
    const bool found = Find(&version, &path);
    EXPECT_EQ(c.expected != nullptr, found) << c.type << " " << c.text.c_str();
    EXPECT_STREQ(c.expected ? c.expected : L"untouched", path.GetString())
        << c.type << " " << c.text.c_str();
  }
  SetEnvironmentVariableW(L"QUARNEL_TEST_LONG", nullptr);
}

TEST_F(FindInstalledProductTest, JoinedPathMustFitItsBuffer) {
  // 257 characters + "\" + "Quarnel.exe" = 269: the longest that fits.
  const std::wstring fits = L"C:\\" + std::wstring(254, L'f');
  SetLocation(fits);
  EXPECT_TRUE(Find(&version, &path));
  EXPECT_EQ(269, path.GetLength());

  SetLocation(fits + L"f");
  EXPECT_FALSE(Find(&version, &path));
  SetLocation(fits + L"f\\");
  EXPECT_FALSE(Find(&version, &path));
}

}  // namespace
