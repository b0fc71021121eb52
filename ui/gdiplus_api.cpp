#include "ui/gdiplus_api.h"

#include "base/system_path.h"

GdiplusApi g_gdiplusApi = {};

namespace {
ULONG_PTR g_gdiplusToken = 0;

template <typename Fn>
bool Resolve(HMODULE module, const char* name, Fn& slot) {
  slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return slot != nullptr;
}
}  // namespace

BOOL BindGdiplusApi() {
  if (g_gdiplusApi.hModule) return TRUE;
  WCHAR path[kSystemPathChars];
  if (!SystemFilePath(L"gdiplus.dll", path)) return FALSE;
  HMODULE module = LoadLibraryW(path);
  if (!module) return FALSE;
  GdiplusApi api = {};
  api.hModule = module;
  const bool all = Resolve(module, "GdiplusStartup", api.GdiplusStartup) &&
                   Resolve(module, "GdipCreateBitmapFromStream", api.GdipCreateBitmapFromStream) &&
                   Resolve(module, "GdipGetImageWidth", api.GdipGetImageWidth) &&
                   Resolve(module, "GdipGetImageHeight", api.GdipGetImageHeight) &&
                   Resolve(module, "GdipDisposeImage", api.GdipDisposeImage) &&
                   Resolve(module, "GdipCreateFromHDC", api.GdipCreateFromHDC) &&
                   Resolve(module, "GdipDeleteGraphics", api.GdipDeleteGraphics) &&
                   Resolve(module, "GdipDrawImagePointRectI", api.GdipDrawImagePointRectI) &&
                   Resolve(module, "GdipSetPageUnit", api.GdipSetPageUnit) &&
                   Resolve(module, "GdipDrawImageRectRectI", api.GdipDrawImageRectRectI) &&
                   Resolve(module, "GdipAlloc", api.GdipAlloc) &&
                   Resolve(module, "GdipFree", api.GdipFree);
  if (!all) {
    FreeLibrary(module);
    return FALSE;
  }
  g_gdiplusApi = api;
  return TRUE;
}

BOOL StartGdiplus() {
  if (!BindGdiplusApi()) return FALSE;
  if (g_gdiplusToken) return TRUE;
  const gdiplus_flat::StartupInput input = {1, nullptr, FALSE, FALSE};
  return g_gdiplusApi.GdiplusStartup(&g_gdiplusToken, &input, nullptr) == gdiplus_flat::Ok;
}

// Page unit and source unit are pixels, so that neither the display's DPI
// nor a resolution a PNG carries (or lacks) scales the picture.
void DrawImagePart(HDC dc, gdiplus_flat::GpImage* image, const RECT& destination,
                   const RECT& source) {
  if (!g_gdiplusApi.hModule) return;
  gdiplus_flat::GpGraphics* graphics = nullptr;
  if (g_gdiplusApi.GdipCreateFromHDC(dc, &graphics) != gdiplus_flat::Ok || !graphics) return;
  if (g_gdiplusApi.GdipSetPageUnit(graphics, gdiplus_flat::UnitPixel) == gdiplus_flat::Ok) {
    g_gdiplusApi.GdipDrawImageRectRectI(
        graphics, image, destination.left, destination.top, destination.right - destination.left,
        destination.bottom - destination.top, source.left, source.top, source.right - source.left,
        source.bottom - source.top, gdiplus_flat::UnitPixel, nullptr, nullptr, nullptr);
  }
  g_gdiplusApi.GdipDeleteGraphics(graphics);
}
