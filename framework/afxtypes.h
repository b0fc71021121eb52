// Points and rectangles: the platform's POINT and RECT with constructors.
#pragma once
#include <windows.h>

class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int initX, int initY) : POINT{initX, initY} {}
  CPoint(POINT point) : POINT(point) {}  // NOLINT: implicit, as the framework's
};

class CRect : public RECT {
 public:
  CRect() { SetRectEmpty(this); }
  CRect(int l, int t, int r, int b) { SetRect(this, l, t, r, b); }
  CRect(const RECT& rect) { CopyRect(this, &rect); }  // NOLINT: implicit, as the framework's

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // TRUE when `point` lies inside; the right and bottom edges are outside.
  BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
};

// The signed client or screen point packed into a mouse message's lParam:
// coordinates left of or above the origin arrive as negative 16-bit values.
inline CPoint AfxPointFromLParam(LPARAM lParam) {
  return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}
