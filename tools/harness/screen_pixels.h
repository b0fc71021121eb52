// A captured picture: 24-bit colours, row by row from the top.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // width * height, RGB() order

  bool empty() const { return pixels.empty(); }
  // The colour at (x, y); CLR_INVALID outside the picture.
  COLORREF At(int x, int y) const;
  // Pixels inside `rect` (clipped to the picture) for which `match` holds.
  template <typename Match>
  int Count(const RECT& rect, Match match) const {
    int count = 0;
    for (int y = rect.top < 0 ? 0 : rect.top; y < rect.bottom && y < height; ++y)
      for (int x = rect.left < 0 ? 0 : rect.left; x < rect.right && x < width; ++x)
        if (match(pixels[static_cast<size_t>(y) * width + x])) ++count;
    return count;
  }
};

// Writes `picture` as an uncompressed 8-bit RGB PNG. False on a write error.
bool SavePng(const ScreenPixels& picture, const std::wstring& path);

// True when every channel of `a` and `b` differs by at most `tolerance`.
bool ColoursNear(COLORREF a, COLORREF b, int tolerance);
