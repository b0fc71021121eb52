#include "afxwnd.h"

namespace {
// Window properties: the attached object, and the procedure to forward to
// when a later subclasser kept our procedure in the chain after we detached.
const wchar_t kObjectProp[] = L"Quarnel.CWnd";
const wchar_t kSuperProp[] = L"Quarnel.CWnd.Super";

bool IsOwnProcessWindow(HWND hWnd) {
  DWORD processId = 0;
  return hWnd && GetWindowThreadProcessId(hWnd, &processId) &&
         processId == GetCurrentProcessId();
}
}  // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  // A foreign process can put any value into a property of its own window;
  // only our own windows' values are pointers we made.
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

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    *pResult = 0;
    return OnCommand(wParam, lParam);
  }
  if (message == WM_DRAWITEM && lParam) {
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CWnd* child = item->CtlType == ODT_MENU ? nullptr : FromHandlePermanent(item->hwndItem);
    if (child && child->OnChildNotify(message, wParam, lParam, pResult)) return TRUE;
  }
  return DispatchWindowMessage(message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // A control's own notification goes to the control's object first; when
  // it takes it, the parent never sees it.
  CWnd* child = lParam ? FromHandlePermanent(reinterpret_cast<HWND>(lParam)) : nullptr;
  LRESULT ignored = 0;
  if (child && child != this && child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) {
    return TRUE;
  }
  return DispatchCommand(HIWORD(wParam), LOWORD(wParam), wParam, lParam);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_COMMAND) return FALSE;
  return DispatchReflected(HIWORD(wParam), wParam, lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_hWnd) return 0;
  if (m_pfnSuper) return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
