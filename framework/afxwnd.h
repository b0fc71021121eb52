// CWnd, an object attached to a window (its messages go through the map, then
// the previous procedure), and the controls, to which the parent hands back
// their owner-draw and command notifications.
#pragma once
#include <windows.h>

#include "afxgdi.h"
#include "afxmsg.h"
#include "afxtypes.h"

class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  // Unsubclasses a window still attached; the window itself stays alive.
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // The object attached to `hWnd` by this process, or null.
  static CWnd* FromHandlePermanent(HWND hWnd);
  // The attached object of `hWnd`, else `scratch` pointed at the window
  // without attaching it; null for a null window. For message adapters.
  static CWnd* FromHandle(HWND hWnd, CWnd* scratch);

  // Attaches this object to `hWnd` and routes its messages through the map.
  // FALSE, nothing attached, when either is attached already, the window is
  // another process's (or none), or the window refuses the property or the
  // new procedure.
  BOOL SubclassWindow(HWND hWnd);
  // Detaches, restoring the previous procedure unless a later subclasser
  // kept ours in its chain (ours then keeps forwarding). The window, or null.
  HWND UnsubclassWindow();

  // Every message of an attached window: the map, then DefWindowProc.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    return OnWndMsg(message, wParam, lParam, &result) ? result
                                                      : DefWindowProc(message, wParam, lParam);
  }
  // The modal loop's first look at a message for its dialog or one of the
  // dialog's controls; TRUE consumes it.
  virtual BOOL PreTranslateMessage(MSG*) { return FALSE; }
  // The parent's WM_COMMAND or WM_DRAWITEM about this control, before the
  // parent's own map. TRUE: handled, and for WM_DRAWITEM *pResult is the
  // parent's result (the parent answers a command 0 whatever it holds). The
  // base takes only commands, through this object's reflected entries.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return message == WM_COMMAND &&
           Dispatch(AfxMsgReflect, message, HIWORD(wParam), 0, wParam, lParam, pResult);
  }
  // The previous procedure's answer, or the platform's default without one;
  // 0 when no window is attached.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The default answer to the message being handled now.
  LRESULT Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

  // Thin wrappers of the window functions of the same name, on m_hWnd.
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
  }
  void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
  void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
  void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
  // The whole window text, however long; empty when there is none or no
  // memory for it.
  void GetWindowText(CString& text) const;
  // The font the window reports for WM_GETFONT (null: the system font).
  HFONT GetFont() const {
    return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  // Takes the mouse capture; returns the object that had it, if any.
  CWnd* SetCapture() { return FromHandlePermanent(::SetCapture(m_hWnd)); }
  static BOOL ReleaseCapture() { return ::ReleaseCapture(); }
  // Centres the window on `alternate`, else its owner, else the primary
  // monitor's work area, and keeps it inside the work area.
  void CenterWindow(CWnd* alternate = nullptr);

  HWND m_hWnd = nullptr;

 protected:
  // Base handlers: the default answer, for derived handlers to call.
  BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
  void OnPaint() { Default(); }
  void OnDestroy() { Default(); }
  void OnMouseMove(UINT, CPoint) { Default(); }
  void OnCaptureChanged(CWnd*) { Default(); }
  HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
  LRESULT OnNcHitTest(CPoint) { return Default(); }
  BOOL OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }

  // Looks a message up: WM_COMMAND and WM_DRAWITEM go to the child's object
  // first, then to this map. TRUE when a handler took it; a WM_COMMAND is
  // then always answered 0.
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Records this object as the window's; FALSE when this object has a window
  // already, the window has an object or is not this process's, or the
  // property cannot be set.
  BOOL AttachObject(HWND hWnd);
  // Removes the record and forgets the window; the procedure stays as it is.
  void DetachObject();

  // The message being handled now, for Default().
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  CurrentMessage m_current = {};

 private:
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  // One message through WindowProc, keeping Default() right when handlers
  // nest; detaches after WM_NCDESTROY.
  LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC m_pfnSuper = nullptr;
};

// The window procedure of every subclassed window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// A button whose owner-draw paints come back to its own DrawItem.
class CButton : public CWnd {
 public:
  // The parent's WM_DRAWITEM for this button lands here; the base draws nothing.
  virtual void DrawItem(LPDRAWITEMSTRUCT) {}
  // BM_GETSTATE: BST_PUSHED, BST_FOCUS, check state.
  UINT GetState() const { return static_cast<UINT>(::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0)); }
  // Takes WM_DRAWITEM for DrawItem, then the reflected commands.
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CStatic : public CWnd {};
