// Plain windows for framework tests: a top-level window with the platform's
// default procedure, destroyed when the holder goes out of scope.
#pragma once
#include <windows.h>

class CWnd;

class ScopedWindow {
 public:
  explicit ScopedWindow(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
  ~ScopedWindow() {
    if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
  }
  ScopedWindow(const ScopedWindow&) = delete;
  ScopedWindow& operator=(const ScopedWindow&) = delete;
  HWND get() const { return m_hWnd; }

 private:
  HWND m_hWnd;
};

// Registers window class `className` with DefWindowProcW as its procedure,
// the arrow cursor and the stock brush `background` (a ..._BRUSH index).
// Registering a class twice fails harmlessly, so every user may call it.
void RegisterDefWindowClass(const wchar_t* className, int background);

// A visible top-level popup window at (x, y) of the given size, with
// DefWindowProcW as its procedure and `owner` as its owner.
HWND CreatePlainWindow(int x, int y, int width, int height, HWND owner = nullptr,
                       DWORD style = WS_POPUP | WS_VISIBLE);

// A child control of `className` on `parent`.
HWND CreateChildControl(HWND parent, LPCWSTR className, LPCWSTR text, DWORD style, int id,
                        int x = 0, int y = 0, int width = 80, int height = 24);

// A child button of `style` on `parent` at `rect`, with `object` attached
// (subclassed). False, and no window, when either step fails.
bool AttachNewButton(CWnd& object, CWnd& parent, LPCWSTR text, DWORD style, const RECT& rect,
                     int id);

// Under Wine without a window manager, hiding an activated top-level window
// waits two seconds for a manager that never answers. Asks Wine's X11 driver
// to leave the windows of program `exeName` (null: this program) unmanaged;
// a program reads the setting when it makes its first window, so call this
// before that (a namespace-scope initialiser does) or before starting the
// other program. No effect on Windows. Returns whether it was written.
bool UseUnmanagedTestWindows(const wchar_t* exeName = nullptr);
