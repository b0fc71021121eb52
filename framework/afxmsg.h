// Message maps: a class lists its messages in a static table, searched before
// its base class's; each entry's adapter unpacks the parameters and calls the
// member handler with the framework's signature.
#pragma once
#include <windows.h>

class CCmdTarget;

// Calls one handler; TRUE when it took the message, *result then answers it.
typedef BOOL (*AFX_MSG_THUNK)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

enum AfxMsgKind : UINT {
  AfxMsgWindow = 0,  // a window message (nMessage)
  AfxMsgCommand,     // WM_COMMAND with notification nCode from control nID
  AfxMsgReflect,     // a notification reflected from the parent (nCode)
};

struct AFX_MSGMAP_ENTRY {
  AfxMsgKind nKind;
  UINT nMessage;
  UINT nCode;
  UINT nID;
  AFX_MSG_THUNK pfnThunk;  // null in the entry that ends the table
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Root of everything that has a message map.
class CCmdTarget {
 public:
  virtual ~CCmdTarget() {}

  // Looks a message up in this object's maps, most derived first, and calls
  // the first handler of its kind: `message` alone for AfxMsgWindow, with
  // `code` for AfxMsgReflect, with `code` and `id` for AfxMsgCommand. TRUE
  // when a handler took it.
  BOOL Dispatch(AfxMsgKind kind, UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                LRESULT* result);

 protected:
  // This class's own map (the root's is empty and has no base), and the map
  // of the object's most derived class, where Dispatch starts.
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
};

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

// The table macros open and close braces across macros, which a formatter
// cannot follow: they keep the layout they are written in.
// clang-format off
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                               \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                          \
    typedef theClass ThisClass;                                              \
    typedef baseClass TheBaseClass;                                          \
    static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                    \
      {AfxMsgWindow, 0, 0, 0, nullptr}};                                     \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                             \
  }

// An adapter body; `self` is the object as the class whose map holds the entry.
#define AFX_THUNK(body)                                                        \
  [](CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result) -> BOOL { \
    ThisClass* self = static_cast<ThisClass*>(target);                         \
    (void)self; (void)wParam; (void)lParam; (void)result;                      \
    body /* NOLINT(bugprone-macro-parentheses): statements, not a value */     \
    return TRUE;                                                               \
  }

#define ON_MESSAGE_THUNK(msg, body) {AfxMsgWindow, (msg), 0, 0, AFX_THUNK(body)},

// Commands, and notifications the parent reflects back: void handler().
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_CONTROL(code, id, memberFxn) \
  {AfxMsgCommand, WM_COMMAND, (code), (id), AFX_THUNK(self->memberFxn();)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CONTROL_REFLECT(code, memberFxn) \
  {AfxMsgReflect, WM_COMMAND, (code), 0, AFX_THUNK(self->memberFxn();)},

// Window messages with the framework's handler signatures (the adapters use
// CDC, CPoint and CWnd: include afxwin.h).
// BOOL OnEraseBkgnd(CDC* pDC): nonzero when the background is done.
#define ON_WM_ERASEBKGND()                                                 \
  ON_MESSAGE_THUNK(WM_ERASEBKGND,                                          \
      CDC dc(reinterpret_cast<HDC>(wParam));                               \
      *result = self->OnEraseBkgnd(&dc);)
// void OnPaint()
#define ON_WM_PAINT() ON_MESSAGE_THUNK(WM_PAINT, self->OnPaint(); *result = 0;)
// void OnDestroy()
#define ON_WM_DESTROY() ON_MESSAGE_THUNK(WM_DESTROY, self->OnDestroy(); *result = 0;)
// void OnMouseMove(UINT nFlags, CPoint point), point in client coordinates.
#define ON_WM_MOUSEMOVE()                                                  \
  ON_MESSAGE_THUNK(WM_MOUSEMOVE,                                           \
      self->OnMouseMove(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)); \
      *result = 0;)
// void OnCaptureChanged(CWnd* pWnd): pWnd gains the capture (may be null).
#define ON_WM_CAPTURECHANGED()                                             \
  ON_MESSAGE_THUNK(WM_CAPTURECHANGED,                                      \
      CWnd scratch;                                                        \
      self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam), &scratch)); \
      *result = 0;)
// LRESULT OnNcHitTest(CPoint point), point in screen coordinates.
#define ON_WM_NCHITTEST()                                                  \
  ON_MESSAGE_THUNK(WM_NCHITTEST, *result = self->OnNcHitTest(AfxPointFromLParam(lParam));)
// BOOL OnHelpInfo(HELPINFO* pHelpInfo), for WM_HELP.
#define ON_WM_HELPINFO()                                                   \
  ON_MESSAGE_THUNK(WM_HELP, *result = self->OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam));)
// HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor), every WM_CTLCOLOR*.
#define AFX_CTLCOLOR_ENTRY(msg, code)                                      \
  ON_MESSAGE_THUNK(msg,                                                    \
      CDC dc(reinterpret_cast<HDC>(wParam));                               \
      CWnd scratch;                                                        \
      CWnd* control = CWnd::FromHandle(reinterpret_cast<HWND>(lParam), &scratch); \
      *result = reinterpret_cast<LRESULT>(self->OnCtlColor(&dc, control, (code)));)
#define ON_WM_CTLCOLOR()                                                   \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX)                   \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)                       \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)                 \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORBTN, CTLCOLOR_BTN)                         \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORDLG, CTLCOLOR_DLG)                         \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR)             \
  AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)
// clang-format on
