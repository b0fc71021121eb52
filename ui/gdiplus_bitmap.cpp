#include "ui/gdiplus_bitmap.h"

namespace Gdiplus {

Bitmap::Bitmap(IStream* stream) {
  if (!g_gdiplusApi.GdipCreateBitmapFromStream) {
    m_lastResult = GdiplusNotInitialized;
    return;
  }
  gdiplus_flat::GpBitmap* bitmap = nullptr;
  m_lastResult = g_gdiplusApi.GdipCreateBitmapFromStream(stream, &bitmap);
  // A GpBitmap is a GpImage in the flat API's hierarchy.
  m_pImage = reinterpret_cast<gdiplus_flat::GpImage*>(bitmap);
}

Bitmap::~Bitmap() {
  if (m_pImage && g_gdiplusApi.GdipDisposeImage) g_gdiplusApi.GdipDisposeImage(m_pImage);
}

void* Bitmap::operator new(size_t size) noexcept {
  return g_gdiplusApi.GdipAlloc ? g_gdiplusApi.GdipAlloc(size) : nullptr;
}

void Bitmap::operator delete(void* block) noexcept {
  // Only GdipAlloc ever produced a block, so the binding is still there.
  if (block && g_gdiplusApi.GdipFree) g_gdiplusApi.GdipFree(block);
}

UINT Bitmap::GetWidth() {
  UINT width = 0;
  if (!g_gdiplusApi.GdipGetImageWidth) {
    RecordStatus(GdiplusNotInitialized);
    return 0;
  }
  if (RecordStatus(g_gdiplusApi.GdipGetImageWidth(m_pImage, &width)) != Ok) return 0;
  return width;
}

UINT Bitmap::GetHeight() {
  UINT height = 0;
  if (!g_gdiplusApi.GdipGetImageHeight) {
    RecordStatus(GdiplusNotInitialized);
    return 0;
  }
  if (RecordStatus(g_gdiplusApi.GdipGetImageHeight(m_pImage, &height)) != Ok) return 0;
  return height;
}

Status Bitmap::GetLastStatus() {
  const Status last = m_lastResult;
  m_lastResult = Ok;
  return last;
}

Status Bitmap::RecordStatus(Status status) {
  if (status != Ok) m_lastResult = status;
  return status;
}

}  // namespace Gdiplus
