#include "accessible_reading.h"

#include <oleacc.h>

#include <memory>

namespace {

struct ComRelease {
  void operator()(IUnknown* object) const {
    if (object) object->Release();
  }
};
using AccessiblePtr = std::unique_ptr<IAccessible, ComRelease>;

// COM on this thread for the scope, undone only when this scope started it.
class ComScope {
 public:
  ComScope() : m_started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComScope() {
    if (m_started) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool m_started;
};

VARIANT Self() {
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

std::wstring NameOf(IAccessible* object) {
  BSTR name = nullptr;
  const HRESULT status = object->get_accName(Self(), &name);
  std::wstring text = status == S_OK && name ? std::wstring(name, SysStringLen(name)) : L"";
  SysFreeString(name);
  return text;
}

bool StateOf(IAccessible* object, LONG* state) {
  VARIANT value;
  VariantInit(&value);
  const bool read = SUCCEEDED(object->get_accState(Self(), &value)) && value.vt == VT_I4;
  if (read) *state = value.lVal;
  VariantClear(&value);
  return read;
}

AccessibleControl ReadControl(HWND child) {
  AccessibleControl control;
  control.id = GetDlgCtrlID(child);
  IAccessible* raw = nullptr;
  if (FAILED(AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&raw))) ||
      !raw)
    return control;
  const AccessiblePtr object(raw);
  LONG state = 0;
  if (!StateOf(object.get(), &state)) return control;
  control.read = true;
  control.name = NameOf(object.get());
  control.invisible = (state & STATE_SYSTEM_INVISIBLE) != 0;
  control.unavailable = (state & STATE_SYSTEM_UNAVAILABLE) != 0;
  control.focused = (state & STATE_SYSTEM_FOCUSED) != 0;
  return control;
}

}  // namespace

std::vector<AccessibleControl> ReadAccessibleControls(HWND window) {
  const ComScope com;
  std::vector<AccessibleControl> controls;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    controls.push_back(ReadControl(child));
  return controls;
}

std::vector<std::wstring> HeardNames(const std::vector<AccessibleControl>& controls) {
  std::vector<std::wstring> names;
  for (const AccessibleControl& control : controls) {
    if (control.read && !control.invisible && !control.name.empty()) names.push_back(control.name);
  }
  return names;
}

std::vector<AccessibleControl> FocusedControls(const std::vector<AccessibleControl>& controls) {
  std::vector<AccessibleControl> focused;
  for (const AccessibleControl& control : controls) {
    if (control.focused) focused.push_back(control);
  }
  return focused;
}

FocusEventLog* FocusEventLog::s_active = nullptr;

FocusEventLog::FocusEventLog() {
  s_active = this;
  m_hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &FocusEventLog::OnEvent,
                           0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

FocusEventLog::~FocusEventLog() {
  if (m_hook) UnhookWinEvent(m_hook);
  s_active = nullptr;
}

void CALLBACK FocusEventLog::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD,
                                     DWORD) {
  if (!s_active || event != EVENT_OBJECT_FOCUS || !window) return;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  s_active->m_events.push_back({window, processId});
}

std::vector<HWND> FocusEventLog::FocusedWindowsOf(DWORD processId, DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
  std::vector<HWND> windows;
  for (const Event& event : m_events) {
    if (event.processId == processId) windows.push_back(event.window);
  }
  return windows;
}
