#include "ui/resource_image.h"

#include "afxwin_app.h"
#include "ui/memory_stream.h"

ResourceImage::~ResourceImage() { Reset(); }

bool ResourceImage::Load(WORD id) {
  Reset();
  const CWinApp* app = AfxGetApp();
  HMODULE module = app ? app->m_hInstance : nullptr;
  if (FAILED(CreateResourceStream(id, module, m_pStream))) return false;
  m_pBitmap = new Gdiplus::Bitmap(m_pStream);
  if (!m_pBitmap) {
    Reset();
    return false;
  }
  m_nWidth = static_cast<int>(m_pBitmap->GetWidth());
  m_nHeight = static_cast<int>(m_pBitmap->GetHeight());
  return true;
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
