// Drives the message dialog from outside its process, as a user would: starts
// the test host (tools/msgdlg_host) with a request, finds the dialog window,
// reads its children, clicks and types with real input, and captures the
// window's pixels from the screen.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tools/harness/launcher_run.h"
#include "tools/harness/screen_pixels.h"

// One run of the dialog host.
class MsgDlgHost {
 public:
  // Starts msgdlg_host with `arguments` (host_options.h) plus a report file
  // of its own. The process is killed if still running on destruction.
  explicit MsgDlgHost(const std::wstring& arguments);
  MsgDlgHost(const MsgDlgHost&) = delete;
  MsgDlgHost& operator=(const MsgDlgHost&) = delete;

  // Top-level visible windows of the host, if any.
  std::vector<HWND> Windows() const { return m_process.Windows(); }

  // The host's visible dialog window, once it has appeared and painted;
  // null after `timeoutMs`.
  HWND WaitForDialog(DWORD timeoutMs = 20000) const;
  // Waits until a dialog other than `previous` is shown (for repeated runs).
  HWND WaitForNextDialog(HWND previous, DWORD timeoutMs = 20000) const;
  // True once the dialog window `dialog` is gone.
  bool WaitForClose(HWND dialog, DWORD timeoutMs = 10000) const;
  // The host's exit code (the last DoModal result), or STILL_ACTIVE when it
  // has not ended within `timeoutMs`.
  DWORD WaitForExit(DWORD timeoutMs = 20000);

  // The report lines of `dialog` with `key`, in order (see host_report.h).
  std::vector<std::wstring> Values(int dialog, const std::string& key) const;
  // The first such value, or "" when there is none.
  std::wstring Value(int dialog, const std::string& key) const;

 private:
  std::wstring m_reportPath;
  ChildProcess m_process;
};

// The visible dialog window (class "#32770") of process `processId` other
// than `exclude`, once it has appeared and settled; null after `timeoutMs`.
HWND WaitForProcessDialog(DWORD processId, HWND exclude = nullptr, DWORD timeoutMs = 20000);

// Geometry and text of a child control, in the dialog's client coordinates.
struct ChildInfo {
  bool exists = false;
  bool visible = false;
  bool enabled = false;
  RECT rect = {};
  std::wstring text;
};
ChildInfo ReadChild(HWND dialog, int id);

// The window's text through WM_GETTEXT (works across processes).
std::wstring WindowTextOf(HWND window);

// Real input through SendInput, at client coordinates of `dialog`.
void MoveMouseTo(HWND dialog, int x, int y);
void ClickAt(HWND dialog, int x, int y);
// Presses at (x, y), moves by (dx, dy) in steps, releases.
void DragFrom(HWND dialog, int x, int y, int dx, int dy);
// Brings `dialog` to the foreground, then presses and releases `key`, with
// `modifier` (VK_CONTROL, say) held around it unless 0.
void PressKey(HWND dialog, WORD key, WORD modifier = 0);

// The window's on-screen pixels (it must be on top and unobscured).
ScreenPixels CaptureWindow(HWND window);

// Lets the dialog's process handle what was sent: waits a little and until
// `window`'s thread is idle.
void Settle(HWND window, DWORD ms = 300);

// Sets value `name` under `subKey` of `root` (creating the key) to `bytes`
// of `data` of registry type `type` for the life of the object, or removes
// it with `remove`; restores what was there before, the key's absence
// included. The names must outlive the object.
class ScopedRegistryValue {
 public:
  ScopedRegistryValue(HKEY root, const wchar_t* subKey, const wchar_t* name, DWORD type,
                      const void* data, DWORD bytes, bool remove = false);
  ~ScopedRegistryValue();
  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

 private:
  HKEY m_root;
  const wchar_t* m_subKey;
  const wchar_t* m_name;
  bool m_keyExisted = false;
  bool m_hadValue = false;
  DWORD m_type = 0;
  std::vector<BYTE> m_previous;
};

// A REG_DWORD for the life of the object, as ScopedRegistryValue.
class ScopedDwordValue : public ScopedRegistryValue {
 public:
  ScopedDwordValue(HKEY root, const wchar_t* subKey, const wchar_t* name, DWORD value,
                   bool remove = false);
};

// A REG_SZ for the life of the object, as ScopedRegistryValue.
class ScopedStringValue : public ScopedRegistryValue {
 public:
  ScopedStringValue(HKEY root, const wchar_t* subKey, const wchar_t* name,
                    const std::wstring& value);
};

// Sets the service's "Language" value (under the service's key
// SYSTEM\CurrentControlSet\Services\zelvane of HKEY_LOCAL_MACHINE) for the
// life of the object, or removes it with `remove`; restores what was there
// before.
class ServiceLanguageValue : public ScopedDwordValue {
 public:
  explicit ServiceLanguageValue(DWORD value, bool remove = false);
};

// The display's DPI for programs started while the object lives: Wine reads
// "LogPixels" of HKCU\Control Panel\Desktop when a process starts.
class DisplayDpiValue : public ScopedDwordValue {
 public:
  explicit DisplayDpiValue(DWORD dpi);
};
