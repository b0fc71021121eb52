#include "tools/harness/framework_windows.h"

#include "afxwin.h"
#include "base/scoped_handles.h"

namespace {
const wchar_t kPlainClass[] = L"QuarnelTestPlainWindow";
}  // namespace

void RegisterDefWindowClass(const wchar_t* className, int background) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(background));
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

HWND CreatePlainWindow(int x, int y, int width, int height, HWND owner, DWORD style) {
  RegisterDefWindowClass(kPlainClass, BLACK_BRUSH);
  return CreateWindowExW(0, kPlainClass, L"", style, x, y, width, height, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

HWND CreateChildControl(HWND parent, LPCWSTR className, LPCWSTR text, DWORD style, int id, int x,
                        int y, int width, int height) {
  return CreateWindowExW(0, className, text, style | WS_CHILD, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

bool AttachNewButton(CWnd& object, CWnd& parent, LPCWSTR text, DWORD style, const RECT& rect,
                     int id) {
  HWND button = CreateChildControl(parent.m_hWnd, L"BUTTON", text, style, id, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top);
  if (!button) return false;
  if (object.SubclassWindow(button)) return true;
  DestroyWindow(button);
  return false;
}

bool UseUnmanagedTestWindows(const wchar_t* exeName) {
  if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return false;
  wchar_t path[MAX_PATH];
  const wchar_t* name = exeName;
  if (!name) {
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    name = path;
    for (const wchar_t* p = path; *p; ++p) {
      if (*p == L'\\' || *p == L'/') name = p + 1;
    }
  }
  if (lstrlenW(name) >= MAX_PATH) return false;
  wchar_t keyPath[MAX_PATH + 64] = L"Software\\Wine\\AppDefaults\\";
  lstrcatW(keyPath, name);
  lstrcatW(keyPath, L"\\X11 Driver");
  ScopedRegKey key;
  if (key.Create(HKEY_CURRENT_USER, keyPath, KEY_SET_VALUE) != ERROR_SUCCESS) {
    return false;
  }
  static const wchar_t kNo[] = L"N";
  return RegSetValueExW(key.Get(), L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNo),
                        sizeof(kNo)) == ERROR_SUCCESS;
}
