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

void DrawImagePart(HDC dc, gdiplus_flat::GpImage* image, int x, int y, int srcX, int srcY,
                   int width, int height) {
  if (!g_gdiplusApi.hModule) return;
  gdiplus_flat::GpGraphics* graphics = nullptr;
  if (g_gdiplusApi.GdipCreateFromHDC(dc, &graphics) != gdiplus_flat::Ok || !graphics) return;
  g_gdiplusApi.GdipDrawImagePointRectI(graphics, image, x, y, srcX, srcY, width, height,
                                       gdiplus_flat::UnitPixel);
  g_gdiplusApi.GdipDeleteGraphics(graphics);
}
