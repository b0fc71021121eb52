// The built Quarnel.exe declares per-monitor DPI awareness. Read out of the
// image, since Wine makes every program per-monitor aware whatever it says.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tools/harness/launcher_run.h"

namespace {

TEST(LauncherDpiResources, ManifestDeclaresPerMonitorAwareness) {
  const HMODULE image = LoadLibraryExW(BuiltLauncher().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(image);
  const HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
  const char* bytes =
      found ? static_cast<const char*>(LockResource(LoadResource(image, found))) : nullptr;
  const std::string manifest = bytes ? std::string(bytes, SizeofResource(image, found)) : "";
  FreeLibrary(image);
  for (const char* setting :
       {"<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">",
        "<dpiAware "
        "xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
        "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
        "PerMonitorV2, PerMonitor</dpiAwareness>"})
    EXPECT_NE(manifest.find(setting), std::string::npos) << setting;
}

}  // namespace
