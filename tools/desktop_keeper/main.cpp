// Keeps Wine's desktop up for a whole test or demo session. Wine starts a
// desktop process for the first program that needs one and ends it when the
// last such program has gone; with test programs coming and going, that
// start-up was paid (and raced) again and again, at times for tens of
// seconds. A message-only window attaches this program to the desktop and
// shows nothing; `wineserver -k` ends it with the session.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  HWND window =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!window) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
