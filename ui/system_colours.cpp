#include "ui/system_colours.h"

namespace {

// The artwork's cross on its 36-pixel frame: from 6 to 29, 3 pixels thick.
constexpr int kCrossFrame = 36;
constexpr int kCrossStart = 6;
constexpr int kCrossEnd = 29;
constexpr int kCrossStroke = 3;

}  // namespace

bool IsHighContrastOn() {
  HIGHCONTRASTW setting = {};
  setting.cbSize = sizeof(setting);
  if (!::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0)) return false;
  return (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void FillWithSystemColour(CDC& dc, const RECT& rect, int index) {
  dc.FillSolidRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   ::GetSysColor(index));
}

void DrawSystemColourBorder(CDC& dc, const RECT& rect, int width, int index) {
  const RECT edges[] = {
      {rect.left, rect.top, rect.right, rect.top + width},
      {rect.left, rect.bottom - width, rect.right, rect.bottom},
      {rect.left, rect.top, rect.left + width, rect.bottom},
      {rect.right - width, rect.top, rect.right, rect.bottom},
  };
  for (const RECT& edge : edges) FillWithSystemColour(dc, edge, index);
}

// Both diagonals as runs of stroke-sized squares, one a pixel: solid fills
// only, so the cross has exactly the colour asked for.
void DrawSystemColourCross(CDC& dc, const RECT& rect, int index) {
  const int size = rect.right - rect.left;
  const int start = MulDiv(kCrossStart, size, kCrossFrame);
  const int stroke = MulDiv(kCrossStroke, size, kCrossFrame);
  const int steps = MulDiv(kCrossEnd, size, kCrossFrame) - stroke - start;
  const COLORREF colour = ::GetSysColor(index);
  for (int step = 0; step <= steps; ++step) {
    const int x = rect.left + start + step;
    dc.FillSolidRect(x, rect.top + start + step, stroke, stroke, colour);
    dc.FillSolidRect(x, rect.top + start + steps - step, stroke, stroke, colour);
  }
}
