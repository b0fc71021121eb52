// What the built Quarnel.exe carries for scaled displays, read out of the
// image itself, since Wine makes every program per-monitor aware whatever
// its manifest says: the manifest's DPI awareness, and each picture at 96,
// 144 and 192 DPI in the size the dialog draws it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tools/harness/launcher_run.h"

namespace {

// The built launcher loaded as data, freed with the object.
class LauncherImage {
 public:
  LauncherImage()
      : m_module(LoadLibraryExW(BuiltLauncher().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~LauncherImage() {
    if (m_module) FreeLibrary(m_module);
  }
  LauncherImage(const LauncherImage&) = delete;
  LauncherImage& operator=(const LauncherImage&) = delete;

  // The bytes of resource `id` of `type`; empty when it is missing.
  std::string Resource(LPCWSTR type, WORD id) const {
    const HRSRC found = m_module ? FindResourceW(m_module, MAKEINTRESOURCEW(id), type) : nullptr;
    const HGLOBAL loaded = found ? LoadResource(m_module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(m_module, found)) : std::string();
  }
  bool Loaded() const { return m_module != nullptr; }

 private:
  HMODULE m_module;
};

// Width x height from a PNG's header chunk; "" when it is not one.
std::string PngSize(const std::string& png) {
  if (png.size() < 24 || png.compare(1, 3, "PNG") != 0 || png.compare(12, 4, "IHDR") != 0)
    return "";
  auto big = [&](size_t at) {
    return (static_cast<unsigned>(static_cast<unsigned char>(png[at])) << 24) |
           (static_cast<unsigned>(static_cast<unsigned char>(png[at + 1])) << 16) |
           (static_cast<unsigned>(static_cast<unsigned char>(png[at + 2])) << 8) |
           static_cast<unsigned>(static_cast<unsigned char>(png[at + 3]));
  };
  return std::to_string(big(16)) + "x" + std::to_string(big(20));
}

TEST(LauncherDpiResources, ManifestDeclaresPerMonitorAwareness) {
  const LauncherImage image;
  ASSERT_TRUE(image.Loaded());
  const std::string manifest = image.Resource(RT_MANIFEST, 1);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/"
                          "WindowsSettings\">true/pm</dpiAware>"),
            std::string::npos);
  EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                          "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"),
            std::string::npos);
  EXPECT_NE(manifest.find("<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">"),
            std::string::npos);
}

TEST(LauncherDpiResources, EachPictureIsThereAtEachScaleInItsScaledSize) {
  struct Picture {
    WORD id96, id144, id192;
    const char *size96, *size144, *size192;
  };
  const Picture pictures[] = {
      {IDR_PNG_CLOSE, IDR_PNG_CLOSE_144, IDR_PNG_CLOSE_192, "180x36", "270x54", "360x72"},
      {IDR_PNG_BUTTON, IDR_PNG_BUTTON_144, IDR_PNG_BUTTON_192, "615x52", "925x78", "1230x104"},
      {IDR_PNG_BACKGROUND, IDR_PNG_BACKGROUND_144, IDR_PNG_BACKGROUND_192, "581x343", "872x515",
       "1162x686"},
      {IDR_PNG_INFO, IDR_PNG_INFO_144, IDR_PNG_INFO_192, "83x75", "125x113", "166x150"},
      {IDR_PNG_WARNING, IDR_PNG_WARNING_144, IDR_PNG_WARNING_192, "83x75", "125x113", "166x150"},
      {IDR_PNG_ERROR, IDR_PNG_ERROR_144, IDR_PNG_ERROR_192, "83x75", "125x113", "166x150"},
  };
  const LauncherImage image;
  ASSERT_TRUE(image.Loaded());
  for (const Picture& p : pictures) {
    SCOPED_TRACE(testing::Message() << "picture " << p.id96);
    EXPECT_EQ(PngSize(image.Resource(RT_RCDATA, p.id96)), p.size96);
    EXPECT_EQ(PngSize(image.Resource(RT_RCDATA, p.id144)), p.size144);
    EXPECT_EQ(PngSize(image.Resource(RT_RCDATA, p.id192)), p.size192);
  }
}

}  // namespace
