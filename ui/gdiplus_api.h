// GDI+ reached at run time. gdiplus.dll is not in the system's protected
// KnownDLLs list, so an import would let a DLL of that name beside a
// downloaded launcher be loaded; it is loaded by full path from the system
// folder instead, and its flat API called through this table.
#pragma once
#include <objidl.h>
#include <windows.h>

namespace gdiplus_flat {
struct GpImage;
struct GpBitmap;
struct GpGraphics;
typedef int GpStatus;  // 0 is Ok
constexpr GpStatus Ok = 0;
constexpr int UnitPixel = 2;

struct StartupInput {
  UINT32 GdiplusVersion;
  void* DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
};
}  // namespace gdiplus_flat

struct GdiplusApi {
  HMODULE hModule;
  gdiplus_flat::GpStatus(WINAPI* GdiplusStartup)(ULONG_PTR*, const gdiplus_flat::StartupInput*,
                                                 void*);
  gdiplus_flat::GpStatus(WINAPI* GdipCreateBitmapFromStream)(IStream*, gdiplus_flat::GpBitmap**);
  gdiplus_flat::GpStatus(WINAPI* GdipGetImageWidth)(gdiplus_flat::GpImage*, UINT*);
  gdiplus_flat::GpStatus(WINAPI* GdipGetImageHeight)(gdiplus_flat::GpImage*, UINT*);
  gdiplus_flat::GpStatus(WINAPI* GdipDisposeImage)(gdiplus_flat::GpImage*);
  gdiplus_flat::GpStatus(WINAPI* GdipCreateFromHDC)(HDC, gdiplus_flat::GpGraphics**);
  gdiplus_flat::GpStatus(WINAPI* GdipDeleteGraphics)(gdiplus_flat::GpGraphics*);
  gdiplus_flat::GpStatus(WINAPI* GdipDrawImagePointRectI)(gdiplus_flat::GpGraphics*,
                                                          gdiplus_flat::GpImage*, INT, INT, INT,
                                                          INT, INT, INT, int);
  gdiplus_flat::GpStatus(WINAPI* GdipSetPageUnit)(gdiplus_flat::GpGraphics*, int);
  gdiplus_flat::GpStatus(WINAPI* GdipDrawImageRectRectI)(gdiplus_flat::GpGraphics*,
                                                         gdiplus_flat::GpImage*, INT, INT, INT, INT,
                                                         INT, INT, INT, INT, int, const void*,
                                                         void*, void*);
  void*(WINAPI* GdipAlloc)(SIZE_T);
  void(WINAPI* GdipFree)(void*);
};

// The process-wide table: all entry points set, or all clear.
extern GdiplusApi g_gdiplusApi;

// Loads the system folder's gdiplus.dll and binds every entry point, all or
// nothing. TRUE when bound (also when it already was).
BOOL BindGdiplusApi();

// Binds GDI+ and starts it (version 1, no debug callback, background thread
// and external codecs allowed). The token is kept and never shut down: GDI+
// stays up until the process ends. TRUE when started.
BOOL StartGdiplus();

// Draws the `source` part of `image` (left, top, right, bottom in the
// image's pixels) into the `destination` rectangle of `dc`, in pixels
// whatever the display's DPI, stretched when the sizes differ. Draws nothing
// when GDI+ is not bound or refuses the DC or the image.
void DrawImagePart(HDC dc, gdiplus_flat::GpImage* image, const RECT& destination,
                   const RECT& source);
