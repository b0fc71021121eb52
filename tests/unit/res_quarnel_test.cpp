// The launcher's own resources, as test programs carry them: icon, manifest,
// version, and the one resource language.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tools/harness/pixel_canvas.h"

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

// One image of the icon group as the resource section holds it.
struct IconImage {
  int pixels;
  int bits;
  const BYTE* data;
  DWORD size;
};

std::vector<IconImage> IconImages() {
  std::vector<IconImage> images;
  DWORD size = 0;
  const BYTE* group =
      static_cast<const BYTE*>(Resource(RT_GROUP_ICON, MAKEINTRESOURCEW(IDR_APP_ICON), &size));
  if (!group || size < sizeof(GroupIconHeader)) return images;
  const GroupIconHeader* header = reinterpret_cast<const GroupIconHeader*>(group);
  if (size < sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry)) return images;
  const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
  for (int i = 0; i < header->count; ++i) {
    IconImage image{entries[i].width ? entries[i].width : 256, entries[i].bitCount, nullptr, 0};
    image.data =
        static_cast<const BYTE*>(Resource(RT_ICON, MAKEINTRESOURCEW(entries[i].id), &image.size));
    images.push_back(image);
  }
  return images;
}

bool IsPng(const IconImage& image) {
  static const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return image.size >= sizeof(kSignature) &&
         memcmp(image.data, kSignature, sizeof(kSignature)) == 0;
}

// Width and height of an icon's colour bitmap, or 0 x 0.
SIZE IconSize(HICON icon) {
  SIZE size = {0, 0};
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return size;
  BITMAP bitmap = {};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap)) {
    size.cx = bitmap.bmWidth;
    size.cy = bitmap.bmHeight;
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

// The large images are PNG to keep the download small; from 48 pixels down
// they stay bitmaps, which Windows XP's Explorer needs to show the file's icon.
TEST(LauncherIcon, LargeImagesArePngAndSmallOnesBitmaps) {
  const std::vector<IconImage> images = IconImages();
  ASSERT_EQ(24u, images.size());
  for (const IconImage& image : images) {
    ASSERT_NE(nullptr, image.data);
    EXPECT_EQ(image.pixels >= 64, IsPng(image)) << image.pixels << " px " << image.bits << "-bit";
    if (!IsPng(image)) {
      ASSERT_GE(image.size, sizeof(BITMAPINFOHEADER));
      const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(image.data);
      EXPECT_EQ(image.pixels, header->biWidth);
      EXPECT_EQ(image.bits, header->biBitCount);
    }
  }
}

// Every image decodes through the system's icon loader at its own size, with
// transparent corners (the rounded tile leaves them out) and an opaque centre.
TEST(LauncherIcon, EveryImageDecodesWithItsTransparency) {
  const COLORREF kBackdrop = RGB(1, 2, 3);  // no colour of the icon, nor a PNG key colour
  const std::vector<IconImage> images = IconImages();
  ASSERT_EQ(24u, images.size());
  for (const IconImage& image : images) {
    SCOPED_TRACE(std::to_string(image.pixels) + " px " + std::to_string(image.bits) + "-bit");
    ASSERT_NE(nullptr, image.data);
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data), image.size, TRUE,
                                          0x00030000, image.pixels, image.pixels, LR_DEFAULTCOLOR);
    ASSERT_NE(nullptr, icon);
    const SIZE size = IconSize(icon);
    EXPECT_EQ(image.pixels, size.cx);
    EXPECT_EQ(image.pixels, size.cy);
    PixelCanvas canvas(image.pixels, image.pixels, kBackdrop);
    EXPECT_TRUE(
        DrawIconEx(canvas.Dc(), 0, 0, icon, image.pixels, image.pixels, 0, nullptr, DI_NORMAL));
    const int last = image.pixels - 1;
    for (POINT corner : {POINT{0, 0}, POINT{last, 0}, POINT{0, last}, POINT{last, last}}) {
      EXPECT_EQ(ColourName(kBackdrop), ColourName(canvas.At(corner.x, corner.y)))
          << "corner " << corner.x << "," << corner.y;
    }
    EXPECT_NE(ColourName(kBackdrop), ColourName(canvas.At(image.pixels / 2, image.pixels / 2)));
    DestroyIcon(icon);
  }
}

// LoadImageW picks an image of the asked size from the group for each size.
TEST(LauncherIcon, LoadsAtEverySize) {
  for (int pixels : {256, 128, 96, 64, 48, 32, 24, 16}) {
    HICON icon =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_APP_ICON),
                                      IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
    ASSERT_NE(nullptr, icon) << pixels;
    const SIZE size = IconSize(icon);
    EXPECT_EQ(pixels, size.cx) << pixels;
    EXPECT_EQ(pixels, size.cy) << pixels;
    DestroyIcon(icon);
  }
}

TEST(LauncherResources, ManifestAsksForNoElevationAndCommonControlsSix) {
  DWORD size = 0;
  const char* manifest =
      static_cast<const char*>(Resource(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), &size));
  ASSERT_NE(nullptr, manifest);
  const std::string text(manifest, size);
  EXPECT_NE(std::string::npos, text.find("level=\"asInvoker\" uiAccess=\"false\""));
  EXPECT_NE(std::string::npos,
            text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
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
