#include "support/mouse_input.h"

bool MoveMouseToScreen(int x, int y) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  // Absolute coordinates are 0..65535 across the primary screen.
  input.mi.dx = static_cast<LONG>((x * 65535LL + width / 2) / (width - 1));
  input.mi.dy = static_cast<LONG>((y * 65535LL + height / 2) / (height - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return SendInput(1, &input, sizeof(input)) == 1;
}

bool LeftButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  return SendInput(1, &input, sizeof(input)) == 1;
}

COLORREF ScreenColourAt(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}
