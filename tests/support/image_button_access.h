// What tests may see of an image button's private state: the hover flag and
// the sprite. Tests that check the release order swap the sprite's stream
// for a watching one, and the state table sets the hover flag directly.
#pragma once
#include <objidl.h>
#include <windows.h>

#include "ui/image_button.h"
#include "ui/resource_image.h"

class CImageButtonTestAccess {
 public:
  static BOOL Hover(const CImageButton& button) { return button.m_bHover; }
  static void SetHover(CImageButton& button, BOOL hover) { button.m_bHover = hover; }
  static Gdiplus::Bitmap* Bitmap(const CImageButton& button) { return button.m_pBitmap; }
  static IStream* Stream(const CImageButton& button) { return button.m_pStream; }
  static void SetStream(CImageButton& button, IStream* stream) { button.m_pStream = stream; }
  static int FrameCount(const CImageButton& button) { return button.m_nFrameCount; }
  static int FrameWidth(const CImageButton& button) { return button.m_nFrameWidth; }
  static int FrameHeight(const CImageButton& button) { return button.m_nFrameHeight; }
};

// The bitmap and stream an image holder keeps, for the watching stream.
inline Gdiplus::Bitmap* HeldBitmap(const CImageButton& button) {
  return CImageButtonTestAccess::Bitmap(button);
}
inline IStream* HeldStream(const CImageButton& button) {
  return CImageButtonTestAccess::Stream(button);
}
inline Gdiplus::Bitmap* HeldBitmap(const ResourceImage& image) { return image.m_pBitmap; }
inline IStream* HeldStream(const ResourceImage& image) { return image.m_pStream; }
