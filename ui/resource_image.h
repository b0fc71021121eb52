// A PNG resource of the program decoded into a GDI+ bitmap, with its size.
// Users draw it themselves from m_pBitmap, m_nWidth and m_nHeight.
#pragma once
#include <objidl.h>
#include <windows.h>

#include "ui/gdiplus_bitmap.h"

// Sprite strips hold their frames side by side from the left, all of one
// size, in this order.
enum SpriteFrame {
  FRAME_NORMAL = 0,
  FRAME_HOVER = 1,
  FRAME_PRESSED = 2,
  FRAME_FOCUSED = 3,
  FRAME_DISABLED = 4,
  SPRITE_FRAME_COUNT = 5,
};

// Deletes a decoded bitmap, then releases the stream it was decoded from
// (the decoder may read from the stream for as long as its image exists);
// both end up null. Either may already be null.
void ReleaseDecodedImage(Gdiplus::Bitmap*& bitmap, IStream*& stream);

// Opens the RT_RCDATA resource `id` of `module` (null: the executable) as
// `stream` and a bitmap decoded from it as `bitmap`; both must be null on
// entry. false, both null again, when the resource is missing or the bitmap
// object cannot be allocated; true otherwise, even when the bytes cannot be
// decoded.
bool OpenDecodedImage(WORD id, HMODULE module, Gdiplus::Bitmap*& bitmap, IStream*& stream);

class ResourceImage {
 public:
  ResourceImage() = default;
  // Empties the holder (as Reset).
  ~ResourceImage();
  ResourceImage(const ResourceImage&) = delete;
  ResourceImage& operator=(const ResourceImage&) = delete;

  // Replaces the content with the RT_RCDATA resource `id` of the program
  // (the application object's instance, else the executable). The old image
  // is released before the new resource is opened. false, holder empty, when
  // the resource is missing or the bitmap object cannot be allocated; true
  // otherwise, with 0 x 0 when the bytes cannot be decoded.
  bool Load(WORD id);
  // Releases the bitmap, then the stream it came from; 0 x 0 afterwards.
  // Does nothing to an empty holder.
  void Reset();

  IStream* m_pStream = nullptr;
  int m_nWidth = 0;
  int m_nHeight = 0;
  Gdiplus::Bitmap* m_pBitmap = nullptr;
};
