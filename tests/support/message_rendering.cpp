#include "message_rendering.h"

#include "tools/harness/expected_values.h"
#include "tools/harness/pixel_canvas.h"

namespace {
constexpr int kWidth = expected::kDialogWidth;
constexpr int kHeight = expected::kDialogHeight;
}  // namespace

ScreenPixels RenderMessage(const std::wstring& face, const std::wstring& text) {
  LOGFONTW description = {};
  description.lfHeight = -16;
  description.lfWeight = FW_BOLD;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&description);
  if (!font) return {};
  PixelCanvas canvas(kWidth, kHeight, RGB(25, 25, 25));
  HGDIOBJ previousFont = SelectObject(canvas.Dc(), font);
  SetBkMode(canvas.Dc(), TRANSPARENT);
  SetTextColor(canvas.Dc(), RGB(255, 255, 255));
  RECT measured = {125, 90, 556, 1};
  DrawTextW(canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &measured,
            DT_CALCRECT | DT_WORDBREAK);
  const int height = measured.bottom - measured.top;
  const int top = 90 + (130 - height) / 2;
  RECT drawn = {125, top, 556, top + height};
  DrawTextW(canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &drawn, DT_WORDBREAK);
  ScreenPixels picture = canvas.Pixels();
  SelectObject(canvas.Dc(), previousFont);
  DeleteObject(font);
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
