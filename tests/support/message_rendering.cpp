#include "message_rendering.h"

namespace {
constexpr int kWidth = 581;
constexpr int kHeight = 343;
}  // namespace

ScreenPixels RenderMessage(const std::wstring& face, const std::wstring& text) {
  ScreenPixels picture;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  LOGFONTW description = {};
  description.lfHeight = -16;
  description.lfWeight = FW_BOLD;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&description);
  if (dc && bitmap && bits && font) {
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    HBRUSH body = CreateSolidBrush(RGB(25, 25, 25));
    RECT all = {0, 0, kWidth, kHeight};
    FillRect(dc, &all, body);
    DeleteObject(body);
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT measured = {125, 90, 556, 1};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_WORDBREAK);
    const int height = measured.bottom - measured.top;
    const int top = 90 + (130 - height) / 2;
    RECT drawn = {125, top, 556, top + height};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &drawn, DT_WORDBREAK);
    GdiFlush();
    picture.width = kWidth;
    picture.height = kHeight;
    picture.pixels.resize(static_cast<size_t>(kWidth) * kHeight);
    const auto* source = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
      picture.pixels[i] = RGB((source[i] >> 16) & 0xFF, (source[i] >> 8) & 0xFF, source[i] & 0xFF);
    }
    SelectObject(dc, previousFont);
    SelectObject(dc, previousBitmap);
  }
  if (font) DeleteObject(font);
  if (bitmap) DeleteObject(bitmap);
  if (dc) DeleteDC(dc);
  return picture;
}

int DifferingPixels(const ScreenPixels& a, const ScreenPixels& b, const RECT& region,
                    int tolerance) {
  int differing = 0;
  for (int y = region.top; y < region.bottom; ++y) {
    for (int x = region.left; x < region.right; ++x) {
      const COLORREF pa = a.At(x, y);
      const COLORREF pb = b.At(x, y);
      if (pa == CLR_INVALID || pb == CLR_INVALID || !ColoursNear(pa, pb, tolerance)) ++differing;
    }
  }
  return differing;
}
