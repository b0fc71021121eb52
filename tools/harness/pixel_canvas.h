// A 32-bit top-down DIB section selected into its own memory DC, for tests
// that paint something and then read exact pixel colours back.
#pragma once
#include <windows.h>

#include <string>

#include "tools/harness/screen_pixels.h"

class PixelCanvas {
 public:
  // A width x height canvas filled with `fill`.
  PixelCanvas(int width, int height, COLORREF fill);
  ~PixelCanvas();
  PixelCanvas(const PixelCanvas&) = delete;
  PixelCanvas& operator=(const PixelCanvas&) = delete;

  HDC Dc() const { return m_dc; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Fills the whole canvas with `colour`.
  void Fill(COLORREF colour);
  // The colour at (x, y) as a COLORREF; GdiFlush first so GDI's pending
  // drawing has reached the bits.
  COLORREF At(int x, int y) const;
  // True when every pixel of the rectangle [left, right) x [top, bottom)
  // has `colour`.
  bool AllOf(int left, int top, int right, int bottom, COLORREF colour) const;
  // A copy of the whole canvas as a picture.
  ScreenPixels Pixels() const;

 private:
  int m_width;
  int m_height;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_previous = nullptr;
  const DWORD* m_bits = nullptr;
};

// "#RRGGBB" of a COLORREF, for readable assertion messages.
std::string ColourName(COLORREF colour);
