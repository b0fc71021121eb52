#include "tools/harness/pixel_canvas.h"

#include <cstdio>

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_dc = CreateCompatibleDC(nullptr);
  m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_bits = static_cast<const DWORD*>(bits);
  m_previous = SelectObject(m_dc, m_bitmap);
  Fill(fill);
}

PixelCanvas::~PixelCanvas() {
  SelectObject(m_dc, m_previous);
  DeleteObject(m_bitmap);
  DeleteDC(m_dc);
}

void PixelCanvas::Fill(COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all = {0, 0, m_width, m_height};
  FillRect(m_dc, &all, brush);
  DeleteObject(brush);
}

namespace {
COLORREF FromBgra(DWORD pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
}  // namespace

COLORREF PixelCanvas::At(int x, int y) const {
  GdiFlush();
  return FromBgra(m_bits[y * m_width + x]);
}

ScreenPixels PixelCanvas::Pixels() const {
  ScreenPixels picture;
  if (!m_bits) return picture;
  GdiFlush();
  picture.width = m_width;
  picture.height = m_height;
  picture.pixels.resize(static_cast<size_t>(m_width) * m_height);
  for (size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = FromBgra(m_bits[i]);
  return picture;
}

bool PixelCanvas::AllOf(int left, int top, int right, int bottom, COLORREF colour) const {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (At(x, y) != colour) return false;
    }
  }
  return true;
}

std::string ColourName(COLORREF colour) {
  char text[8];
  snprintf(text, sizeof(text), "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
           GetBValue(colour));
  return text;
}
