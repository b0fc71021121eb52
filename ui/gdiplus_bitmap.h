// The decoded GDI+ bitmap that image holders and image buttons own: the
// decoder's image handle plus the status of the last call made through it,
// reached only through the run-time binding (there is no GDI+ import).
#pragma once
#include <objidl.h>
#include <windows.h>

#include <stddef.h>

#include "ui/gdiplus_api.h"

namespace Gdiplus {

typedef gdiplus_flat::GpStatus Status;
constexpr Status Ok = gdiplus_flat::Ok;
constexpr Status GdiplusNotInitialized = 18;

class Bitmap {
 public:
  // Decodes `stream` (GdipCreateBitmapFromStream, no colour management). Bytes
  // that cannot be decoded, a null stream or an unbound GDI+ leave the object
  // without an image and record the failing status.
  explicit Bitmap(IStream* stream);
  // Disposes the image, if there is one.
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // The object lives on GDI+'s own heap (GdipAlloc / GdipFree). Null when
  // GDI+ is not bound or has no memory; callers check.
  static void* operator new(size_t size) noexcept;
  static void operator delete(void* block) noexcept;

  // Width and height of the image in pixels. 0 when the query fails; the
  // failing status is then recorded.
  UINT GetWidth();
  UINT GetHeight();

  // The latest failure recorded since the previous call (Ok when none);
  // resets it.
  Status GetLastStatus();

  // The decoder's image handle for drawing calls; null without an image.
  gdiplus_flat::GpImage* GetNativeImage() const { return m_pImage; }

 private:
  // Keeps a failing `status` for GetLastStatus; returns it as given.
  Status RecordStatus(Status status);

  gdiplus_flat::GpImage* m_pImage = nullptr;
  Status m_lastResult = Ok;
};

}  // namespace Gdiplus
