// The thin wrappers of CWnd: each forwards to the window function of the
// same name on m_hWnd.
#include "afxwnd.h"

namespace {
// Frees a heap buffer on every path out of the function that took it.
class HeapBuffer {
 public:
  explicit HeapBuffer(SIZE_T count)
      : m_p(static_cast<LPWSTR>(HeapAlloc(GetProcessHeap(), 0, count * sizeof(WCHAR)))) {}
  ~HeapBuffer() {
    if (m_p) HeapFree(GetProcessHeap(), 0, m_p);
  }
  HeapBuffer(const HeapBuffer&) = delete;
  HeapBuffer& operator=(const HeapBuffer&) = delete;
  LPWSTR get() const { return m_p; }

 private:
  LPWSTR m_p;
};

// A rectangle of `width` x `height` centred on `center` (the framework's
// rounding: centre point minus half the size), then pushed inside `area`.
POINT CenteredOrigin(const RECT& center, const RECT& area, int width, int height) {
  POINT origin = {(center.left + center.right) / 2 - width / 2,
                  (center.top + center.bottom) / 2 - height / 2};
  if (origin.x + width > area.right) origin.x = area.right - width;
  if (origin.x < area.left) origin.x = area.left;
  if (origin.y + height > area.bottom) origin.y = area.bottom - height;
  if (origin.y < area.top) origin.y = area.top;
  return origin;
}
}  // namespace

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::GetWindowRect(LPRECT rect) const {
  if (!::GetWindowRect(m_hWnd, rect)) SetRectEmpty(rect);
}

void CWnd::GetClientRect(LPRECT rect) const {
  if (!::GetClientRect(m_hWnd, rect)) SetRectEmpty(rect);
}

void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }

void CWnd::ClientToScreen(LPRECT rect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }

void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)); }

void CWnd::SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }

void CWnd::GetWindowText(CString& text) const {
  text.Empty();
  const int length = GetWindowTextLengthW(m_hWnd);
  if (length <= 0) return;
  HeapBuffer buffer(static_cast<SIZE_T>(length) + 1);
  if (!buffer.get()) return;
  // The text may have changed since its length was asked: trust only what
  // this call copied, which never exceeds the buffer.
  const int copied = ::GetWindowTextW(m_hWnd, buffer.get(), length + 1);
  if (copied > 0) text = CString(buffer.get(), copied < length ? copied : length);
}

void CWnd::SetFont(CFont* font, BOOL bRedraw) {
  const HGDIOBJ handle = font ? font->GetSafeHandle() : nullptr;
  ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(handle), MAKELPARAM(bRedraw, 0));
}

HFONT CWnd::GetFont() const {
  return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

CWnd* CWnd::SetCapture() { return FromHandlePermanent(::SetCapture(m_hWnd)); }

CWnd* CWnd::GetCapture() { return FromHandlePermanent(::GetCapture()); }

BOOL CWnd::ReleaseCapture() { return ::ReleaseCapture(); }

void CWnd::CenterWindow(CWnd* alternate) {
  RECT window;
  if (!::GetWindowRect(m_hWnd, &window)) return;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  RECT center;
  RECT area;
  if (GetStyle() & WS_CHILD) {
    HWND parent = ::GetParent(m_hWnd);
    ::GetClientRect(parent, &area);
    center = area;
    POINT origin = CenteredOrigin(center, area, width, height);
    ::SetWindowPos(m_hWnd, nullptr, origin.x, origin.y, -1, -1,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  HWND reference = alternate ? alternate->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
  if (!reference || !::GetWindowRect(reference, &center)) center = area;
  const POINT origin = CenteredOrigin(center, area, width, height);
  ::SetWindowPos(m_hWnd, nullptr, origin.x, origin.y, -1, -1,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
