// The launcher's own resources, as test programs carry them: icon, manifest,
// version, and the one resource language.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "res/resource.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width;
  BYTE height;
  BYTE colorCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInRes;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
#pragma pack(pop)

const void* Resource(LPCWSTR type, LPCWSTR name, DWORD* size) {
  HRSRC found = FindResourceW(nullptr, name, type);
  if (!found) return nullptr;
  *size = SizeofResource(nullptr, found);
  return LockResource(LoadResource(nullptr, found));
}

TEST(LauncherResources, IconHasEightSizesInThreeDepths) {
  DWORD size = 0;
  const BYTE* group =
      static_cast<const BYTE*>(Resource(RT_GROUP_ICON, MAKEINTRESOURCEW(IDR_APP_ICON), &size));
  ASSERT_NE(nullptr, group);
  const GroupIconHeader* header = reinterpret_cast<const GroupIconHeader*>(group);
  ASSERT_EQ(24, header->count);
  ASSERT_GE(size, sizeof(GroupIconHeader) + 24 * sizeof(GroupIconEntry));
  const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
  std::set<std::pair<int, int>> seen;
  for (int i = 0; i < header->count; ++i) {
    const int pixels = entries[i].width ? entries[i].width : 256;
    EXPECT_EQ(entries[i].width, entries[i].height);
    seen.insert({pixels, entries[i].bitCount});
    DWORD imageSize = 0;
    EXPECT_NE(nullptr, Resource(RT_ICON, MAKEINTRESOURCEW(entries[i].id), &imageSize));
    EXPECT_EQ(entries[i].bytesInRes, imageSize);
  }
  for (int pixels : {256, 128, 96, 64, 48, 32, 24, 16}) {
    for (int bits : {24, 8, 4}) {
      EXPECT_TRUE(seen.count({pixels, bits})) << pixels << "x" << pixels << " " << bits << "-bit";
    }
  }
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_APP_ICON));
  EXPECT_NE(nullptr, icon);
}

TEST(LauncherResources, ManifestAsksForNoElevationAndCommonControlsSix) {
  DWORD size = 0;
  const char* manifest = static_cast<const char*>(Resource(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), &size));
  ASSERT_NE(nullptr, manifest);
  const std::string text(manifest, size);
  EXPECT_NE(std::string::npos, text.find("level=\"asInvoker\" uiAccess=\"false\""));
  EXPECT_NE(std::string::npos, text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
  EXPECT_NE(std::string::npos, text.find("publicKeyToken=\"6595b64144ccf1df\""));
  EXPECT_NE(std::string::npos, text.find("processorArchitecture=\"x86\""));
}

struct Translation {
  WORD language;
  WORD codePage;
};

std::wstring VersionString(const void* block, const wchar_t* name) {
  std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block, path.c_str(), &value, &length) || !value) return L"<missing>";
  return static_cast<const wchar_t*>(value);
}

TEST(LauncherResources, VersionResourceIdentifiesTheLauncher) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(self, &handle);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(self, 0, size, &block[0]));
  EXPECT_EQ(L"1.40.0410", VersionString(block.data(), L"FileVersion"));
  EXPECT_EQ(L"1.40.0410", VersionString(block.data(), L"ProductVersion"));
  EXPECT_EQ(L"Quarnel Launcher", VersionString(block.data(), L"FileDescription"));
  EXPECT_EQ(L"Quarnel.exe", VersionString(block.data(), L"InternalName"));
  EXPECT_EQ(L"Quarnel.exe", VersionString(block.data(), L"OriginalFilename"));
  EXPECT_EQ(L"Quarnel", VersionString(block.data(), L"ProductName"));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(0x00010004u, fixed->dwFileVersionMS);
  EXPECT_EQ(410u, fixed->dwFileVersionLS);
  EXPECT_EQ(0x00010004u, fixed->dwProductVersionMS);
  EXPECT_EQ(410u, fixed->dwProductVersionLS);
  EXPECT_EQ(0x3Fu, fixed->dwFileFlagsMask);
  EXPECT_EQ(0u, fixed->dwFileFlags);
  EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

  Translation* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(sizeof(Translation), length);
  EXPECT_EQ(0x0409, translation->language);
  EXPECT_EQ(0x04B0, translation->codePage);
}

BOOL CALLBACK CollectLanguages(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
  reinterpret_cast<std::set<WORD>*>(param)->insert(language);
  return TRUE;
}

TEST(LauncherResources, EverythingLivesUnderOneLanguage) {
  std::set<WORD> languages;
  struct Named {
    LPCWSTR type;
    LPCWSTR name;
  } resources[] = {
      {RT_GROUP_ICON, MAKEINTRESOURCEW(IDR_APP_ICON)},
      {RT_VERSION, MAKEINTRESOURCEW(1)},
      {RT_RCDATA, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD)},
  };
  for (const Named& resource : resources) {
    EnumResourceLanguagesW(nullptr, resource.type, resource.name, CollectLanguages,
                           reinterpret_cast<LONG_PTR>(&languages));
  }
  EXPECT_EQ(std::set<WORD>{0x0411}, languages);
}

}  // namespace
