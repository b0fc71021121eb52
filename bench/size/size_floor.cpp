// The size floor: a program built exactly like the launcher (no exceptions,
// operator new over the process heap, static runtime, same link flags) that
// does no more than allocate, free and show a message box. What the C++
// runtime and start-up code weigh on their own.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR lpCmdLine, int) {
  const int count = lstrlenW(lpCmdLine) + 1;
  WCHAR* copy = new WCHAR[count];
  if (!copy) return 1;
  lstrcpyW(copy, lpCmdLine);
  const int shown = MessageBoxW(nullptr, copy, L"floor", MB_OK);
  delete[] copy;
  return shown;
}
