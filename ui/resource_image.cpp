#include "ui/resource_image.h"

#include "afxwin_app.h"
#include "ui/memory_stream.h"

ResourceImage::~ResourceImage() { Reset(); }

bool ResourceImage::Load(WORD id) {
  Reset();
  if (!OpenDecodedImage(id, AfxGetInstanceHandle(), m_pBitmap, m_pStream)) return false;
  m_nWidth = static_cast<int>(m_pBitmap->GetWidth());
  m_nHeight = static_cast<int>(m_pBitmap->GetHeight());
  return true;
}

bool OpenDecodedImage(WORD id, HMODULE module, Gdiplus::Bitmap*& bitmap, IStream*& stream) {
  if (FAILED(CreateResourceStream(id, module, stream))) return false;
  bitmap = new Gdiplus::Bitmap(stream);
  if (bitmap) return true;
  ReleaseDecodedImage(bitmap, stream);
  return false;
}

void ReleaseDecodedImage(Gdiplus::Bitmap*& bitmap, IStream*& stream) {
  if (bitmap) {
    delete bitmap;
    bitmap = nullptr;
  }
  if (stream) {
    stream->Release();
    stream = nullptr;
  }
}

void ResourceImage::Reset() {
  ReleaseDecodedImage(m_pBitmap, m_pStream);
  m_nWidth = 0;
  m_nHeight = 0;
}
