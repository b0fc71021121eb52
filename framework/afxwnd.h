// CWnd: a framework object attached to a window. An attached window's
// messages go through the object's message map first and, when no entry
// takes them, to the window's previous procedure. Parents hand owner-draw
// and command notifications back to the child's object (reflection), so a
// control class can draw and react to itself.
#pragma once
#include <windows.h>

#include "afxdc.h"
#include "afxgdi.h"
#include "afxmsg.h"
#include "afxstr.h"
#include "afxtypes.h"

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  CWnd() = default;
  // Gives the window back its previous procedure if the object is still
  // attached; the window itself is left alive.
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return GetSafeHwnd(); }

  // The object attached to `hWnd` by this process, or null.
  static CWnd* FromHandlePermanent(HWND hWnd);
  // The attached object of `hWnd`, else `scratch` pointed at the window
  // without attaching it (valid while `scratch` lives); null for a null
  // window. Lets message adapters pass any window as a CWnd*.
  static CWnd* FromHandle(HWND hWnd, CWnd* scratch);

  // Attaches this object to `hWnd` and routes its messages through the
  // message map. FALSE when either is already attached or the window
  // belongs to another process.
  BOOL SubclassWindow(HWND hWnd);
  // Detaches; restores the previous procedure unless someone subclassed the
  // window after us (their procedure then keeps forwarding correctly).
  // Returns the window, or null when nothing was attached.
  HWND UnsubclassWindow();

  // Every message of an attached window: the map, then DefWindowProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called by the message loop before a message is dispatched to this
  // window or one of its children. TRUE: the message is consumed.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // The parent's notification about this control (WM_COMMAND, WM_DRAWITEM),
  // handed to it before the parent's own handlers. TRUE: handled; *pResult
  // is then the parent's result.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // The window's default answer to `message`: its previous procedure, or
  // the platform's default when it has none.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The default answer to the message being handled now.
  LRESULT Default();
  virtual BOOL DestroyWindow();

  // Thin wrappers of the window functions of the same name.
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void GetWindowRect(LPRECT rect) const;
  void GetClientRect(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const;
  void ScreenToClient(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ClientToScreen(LPRECT rect) const;
  void Invalidate(BOOL bErase = TRUE);
  void UpdateWindow();
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL IsWindowVisible() const;
  BOOL ShowWindow(int nCmdShow);
  DWORD GetStyle() const;
  void SetWindowText(LPCWSTR text);
  // The whole window text, however long; empty when there is none.
  void GetWindowText(CString& text) const;
  void SetFont(CFont* font, BOOL bRedraw = TRUE);
  // The font the window reports for WM_GETFONT (null: the system font).
  HFONT GetFont() const;
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  int GetDlgCtrlID() const;
  // Takes the mouse capture; returns the object that had it, if any.
  CWnd* SetCapture();
  // The object of the window that has the capture; null when no window of
  // this thread has it or that window has no object.
  static CWnd* GetCapture();
  static BOOL ReleaseCapture();
  // Centres the window: on `alternate` or else its owner when it has one,
  // else in the primary monitor's work area; a child in its parent's client
  // area. The window stays inside the work area.
  void CenterWindow(CWnd* alternate = nullptr);

  HWND m_hWnd = nullptr;

 protected:
  // Base handlers: the default answer, for derived handlers to call.
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnDestroy();
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnCaptureChanged(CWnd* pWnd);
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  LRESULT OnNcHitTest(CPoint point);
  BOOL OnHelpInfo(HELPINFO* pHelpInfo);

  // Looks a message up: WM_COMMAND and WM_DRAWITEM go to the child's object
  // first, then to this map. TRUE when a handler took it.
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // Records this object as the window's; FALSE when the window has one.
  BOOL AttachObject(HWND hWnd);
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
