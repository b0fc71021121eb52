#include "afxctl.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)

BOOL CButton::Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (m_hWnd) return FALSE;
  HWND hWnd = CreateWindowExW(0, L"BUTTON", caption, style | WS_CHILD, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top,
                              parent ? parent->m_hWnd : nullptr,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hWnd) return FALSE;
  if (SubclassWindow(hWnd)) return TRUE;
  ::DestroyWindow(hWnd);
  return FALSE;
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

UINT CButton::GetState() const {
  return static_cast<UINT>(::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0));
}

void CButton::SetState(BOOL bHighlight) { ::SendMessageW(m_hWnd, BM_SETSTATE, bHighlight, 0); }

UINT CButton::GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_DRAWITEM) {
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
