// A window's controls as an accessibility client reads them from another
// process: each child's client object through oleacc, with its name, the
// states a reader acts on, and the focus events readers are told of.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One control as a reader gets it.
struct AccessibleControl {
  int id = 0;                // the control's identifier, to say which one
  bool read = false;         // oleacc gave a client object and its state
  std::wstring name;         // get_accName of the object itself, "" for none
  bool invisible = false;    // STATE_SYSTEM_INVISIBLE: readers skip it
  bool unavailable = false;  // STATE_SYSTEM_UNAVAILABLE: disabled
  bool focused = false;      // STATE_SYSTEM_FOCUSED
};

// The children of `window` in the window manager's order (a dialog's tab
// order), each read through AccessibleObjectFromWindow with OBJID_CLIENT.
std::vector<AccessibleControl> ReadAccessibleControls(HWND window);

// The names of the controls a reader does not skip (not invisible), in
// order; nameless ones are left out.
std::vector<std::wstring> HeardNames(const std::vector<AccessibleControl>& controls);

// The controls that report the focus.
std::vector<AccessibleControl> FocusedControls(const std::vector<AccessibleControl>& controls);

// Every EVENT_OBJECT_FOCUS of every process while the object lives, hooked
// out of context: they reach this thread while it pumps its messages. One
// log at a time.
class FocusEventLog {
 public:
  FocusEventLog();
  ~FocusEventLog();
  FocusEventLog(const FocusEventLog&) = delete;
  FocusEventLog& operator=(const FocusEventLog&) = delete;

  // False when the hook could not be set (every other answer is then empty).
  bool Hooked() const { return m_hook != nullptr; }
  // Pumps this thread's messages for `ms`, then gives the windows that took
  // the focus in process `processId` so far, in order.
  std::vector<HWND> FocusedWindowsOf(DWORD processId, DWORD ms = 500);

 private:
  struct Event {
    HWND window;
    DWORD processId;
  };
  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG objectId,
                               LONG childId, DWORD thread, DWORD time);

  HWINEVENTHOOK m_hook = nullptr;
  std::vector<Event> m_events;
  static FocusEventLog* s_active;
};
