#include "afxwnd.h"

#include <memory>
#include <new>

namespace {
// Window properties: the object, and where to forward after detaching.
const wchar_t kObjectProp[] = L"Quarnel.CWnd";
const wchar_t kSuperProp[] = L"Quarnel.CWnd.Super";

bool IsOwnProcessWindow(HWND hWnd) {
  DWORD processId = 0;
  return hWnd && GetWindowThreadProcessId(hWnd, &processId) && processId == GetCurrentProcessId();
}

// The origin of `width` x `height` centred on `center`, pushed inside `area`.
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

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  // Only our own windows' properties hold pointers we made.
  if (!IsOwnProcessWindow(hWnd)) return nullptr;
  CWnd* wnd = static_cast<CWnd*>(GetPropW(hWnd, kObjectProp));
  return wnd && wnd->m_hWnd == hWnd ? wnd : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd, CWnd* scratch) {
  if (!hWnd) return nullptr;
  if (CWnd* wnd = FromHandlePermanent(hWnd)) return wnd;
  scratch->m_hWnd = hWnd;
  return scratch;
}

BOOL CWnd::AttachObject(HWND hWnd) {
  if (m_hWnd || !IsOwnProcessWindow(hWnd) || GetPropW(hWnd, kObjectProp)) return FALSE;
  if (!SetPropW(hWnd, kObjectProp, static_cast<HANDLE>(this))) return FALSE;
  m_hWnd = hWnd;
  return TRUE;
}

void CWnd::DetachObject() {
  if (m_hWnd) RemovePropW(m_hWnd, kObjectProp);
  m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!AttachObject(hWnd)) return FALSE;
  const LONG_PTR previous =
      SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
  if (!previous) {
    DetachObject();
    return FALSE;
  }
  m_pfnSuper = reinterpret_cast<WNDPROC>(previous);
  SetPropW(hWnd, kSuperProp, reinterpret_cast<HANDLE>(previous));
  return TRUE;
}

HWND CWnd::UnsubclassWindow() {
  HWND hWnd = m_hWnd;
  if (!hWnd) return nullptr;
  const LONG_PTR current = GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
  if (m_pfnSuper && current == reinterpret_cast<LONG_PTR>(&AfxWndProc)) {
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    RemovePropW(hWnd, kSuperProp);
  }
  DetachObject();
  m_pfnSuper = nullptr;
  return hWnd;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = static_cast<CWnd*>(GetPropW(hWnd, kObjectProp));
  if (wnd && wnd->m_hWnd == hWnd) return wnd->RouteMessage(message, wParam, lParam);
  // Detached while another procedure still calls us: keep forwarding.
  const WNDPROC super = reinterpret_cast<WNDPROC>(GetPropW(hWnd, kSuperProp));
  const LRESULT result = super ? CallWindowProcW(super, hWnd, message, wParam, lParam)
                               : DefWindowProcW(hWnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) RemovePropW(hWnd, kSuperProp);
  return result;
}

LRESULT CWnd::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const CurrentMessage outer = m_current;
  m_current = {message, wParam, lParam};
  const LRESULT result = WindowProc(message, wParam, lParam);
  m_current = outer;
  if (message == WM_NCDESTROY) UnsubclassWindow();
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    // A control's own notification goes to the control's object first; when
    // it takes it, the parent never sees it.
    *pResult = 0;
    CWnd* child = lParam ? FromHandlePermanent(reinterpret_cast<HWND>(lParam)) : nullptr;
    LRESULT ignored = 0;
    if (child && child != this && child->OnChildNotify(message, wParam, lParam, &ignored)) {
      return TRUE;
    }
    return Dispatch(AfxMsgCommand, message, HIWORD(wParam), LOWORD(wParam), wParam, lParam,
                    &ignored);
  }
  if (message == WM_DRAWITEM && lParam) {
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CWnd* child = item->CtlType == ODT_MENU ? nullptr : FromHandlePermanent(item->hwndItem);
    if (child && child->OnChildNotify(message, wParam, lParam, pResult)) return TRUE;
  }
  return Dispatch(AfxMsgWindow, message, 0, 0, wParam, lParam, pResult);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_hWnd) return 0;
  if (m_pfnSuper) return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) {
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CWnd::GetWindowText(CString& text) const {
  text.Empty();
  const int length = GetWindowTextLengthW(m_hWnd);
  if (length <= 0) return;
  const std::unique_ptr<WCHAR[]> buffer(new (std::nothrow) WCHAR[length + 1]);
  if (!buffer) return;
  // The text may have changed since its length was asked: trust only what
  // this call copied, which never exceeds the buffer.
  const int copied = ::GetWindowTextW(m_hWnd, buffer.get(), length + 1);
  if (copied > 0) text = CString(buffer.get(), copied < length ? copied : length);
}

void CWnd::CenterWindow(CWnd* alternate) {
  RECT window;
  if (!::GetWindowRect(m_hWnd, &window)) return;
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT center;
  HWND reference = alternate ? alternate->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
  if (!reference || !::GetWindowRect(reference, &center)) center = area;
  const POINT origin =
      CenteredOrigin(center, area, window.right - window.left, window.bottom - window.top);
  ::SetWindowPos(m_hWnd, nullptr, origin.x, origin.y, -1, -1,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
