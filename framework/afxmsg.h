// Message maps: a class lists the messages it handles in a static table, and
// a window looks its messages up there, then in its base class's table.
// Each entry carries a small adapter that unpacks the message parameters and
// calls the member handler with the framework's signature, so handlers read
// as they would in any framework application.
#pragma once
#include <windows.h>

class CCmdTarget;

// Calls one handler. Returns TRUE when the message was handled; *result is
// then the window procedure's result.
typedef BOOL (*AFX_MSG_THUNK)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The kind of message an entry answers.
enum AfxMsgKind : UINT {
  AfxMsgWindow = 0,   // a window message (nMessage)
  AfxMsgCommand,      // WM_COMMAND with notification nCode from control nID
  AfxMsgReflect,      // a notification reflected from the parent (nCode)
};

struct AFX_MSGMAP_ENTRY {
  AfxMsgKind nKind;
  UINT nMessage;   // window message (AfxMsgWindow)
  UINT nCode;      // notification code (AfxMsgCommand, AfxMsgReflect)
  UINT nID;        // control or command id (AfxMsgCommand)
  AFX_MSG_THUNK pfnThunk;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;  // ends with an entry whose thunk is null
};

// Root of everything that has a message map.
class CCmdTarget {
 public:
  virtual ~CCmdTarget() {}

  // Looks a message up in this object's maps, most derived first. TRUE when
  // a handler took it.
  BOOL DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  BOOL DispatchCommand(UINT nCode, UINT nID, WPARAM wParam, LPARAM lParam);
  BOOL DispatchReflected(UINT nCode, WPARAM wParam, LPARAM lParam, LRESULT* result);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }

 private:
  const AFX_MSGMAP_ENTRY* FindEntry(AfxMsgKind kind, UINT message, UINT code, UINT id) const;
};

#define DECLARE_MESSAGE_MAP()                                   \
 protected:                                                     \
  static const AFX_MSGMAP* GetThisMessageMap();                 \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                  \
  const AFX_MSGMAP* theClass::GetMessageMap() const {           \
    return GetThisMessageMap();                                 \
  }                                                             \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {             \
    typedef theClass ThisClass;                                 \
    typedef baseClass TheBaseClass;                             \
    static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                       \
      {AfxMsgWindow, 0, 0, 0, nullptr}};                        \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                \
  }

// Adapter bodies. `self` is the object, typed as the class whose map holds
// the entry.
#define AFX_THUNK(body)                                                        \
  [](CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result) -> BOOL { \
    ThisClass* self = static_cast<ThisClass*>(target);                         \
    (void)self; (void)wParam; (void)lParam; (void)result;                      \
    body                                                                       \
    return TRUE;                                                               \
  }

#define ON_MESSAGE_THUNK(msg, body) {AfxMsgWindow, (msg), 0, 0, AFX_THUNK(body)},

// Command from a control or menu: void handler().
#define ON_COMMAND(id, memberFxn) \
  {AfxMsgCommand, WM_COMMAND, 0, (id), AFX_THUNK(self->memberFxn();)},
#define ON_CONTROL(code, id, memberFxn) \
  {AfxMsgCommand, WM_COMMAND, (code), (id), AFX_THUNK(self->memberFxn();)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
// A control's own notification, reflected back to it by its parent.
#define ON_CONTROL_REFLECT(code, memberFxn) \
  {AfxMsgReflect, WM_COMMAND, (code), 0, AFX_THUNK(self->memberFxn();)},
