#include "tools/harness/msgdlg_driver.h"

#include <sstream>

#include "base/scoped_handles.h"
#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/field_escape.h"
#include "tools/harness/framework_windows.h"
#include "tools/harness/pixel_canvas.h"
#include "tools/harness/scratch_dir.h"
#include "tools/harness/utf8.h"

namespace {

const wchar_t* const kServiceKey = expected::kServiceKey;

struct DialogSearch {
  DWORD processId;
  HWND exclude;
  HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || window == search->exclude || !IsWindowVisible(window))
    return TRUE;
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (lstrcmpW(className, L"#32770") != 0) return TRUE;
  search->found = window;
  return FALSE;
}

template <typename Done>
bool WaitUntil(DWORD timeoutMs, Done done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

POINT ToScreen(HWND dialog, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(dialog, &point);
  return point;
}

void SendMouse(DWORD flags, POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = static_cast<LONG>((screen.x * 65535LL + width / 2) / (width - 1));
  input.mi.dy = static_cast<LONG>((screen.y * 65535LL + height / 2) / (height - 1));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &input, sizeof(input));
  Sleep(30);
}

}  // namespace

MsgDlgHost::MsgDlgHost(const std::wstring& arguments) {
  // Without a window manager an activated window that hides waits for one.
  static const bool unmanaged = UseUnmanagedTestWindows(L"msgdlg_host.exe");
  (void)unmanaged;
  static int runs = 0;
  m_reportPath = std::wstring(QUARNEL_TEST_SCRATCH_DIR) + L"\\msgdlg_" +
                 std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++runs) + L".txt";
  DeleteFileW(m_reportPath.c_str());
  m_process.Start(std::wstring(QUARNEL_TEST_STANDIN_DIR) + L"\\msgdlg_host.exe",
                  arguments + L" --report \"" + m_reportPath + L"\"", {});
}

HWND MsgDlgHost::WaitForDialog(DWORD timeoutMs) const {
  return WaitForNextDialog(nullptr, timeoutMs);
}

HWND MsgDlgHost::WaitForNextDialog(HWND previous, DWORD timeoutMs) const {
  return WaitForProcessDialog(m_process.Id(), previous, timeoutMs);
}

HWND WaitForProcessDialog(DWORD processId, HWND exclude, DWORD timeoutMs) {
  DialogSearch search = {processId, exclude, nullptr};
  WaitUntil(timeoutMs, [&] {
    search.found = nullptr;
    EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  if (search.found) Settle(search.found, 500);
  return search.found;
}

bool MsgDlgHost::WaitForClose(HWND dialog, DWORD timeoutMs) const {
  return WaitUntil(timeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

DWORD MsgDlgHost::WaitForExit(DWORD timeoutMs) {
  if (!m_process.Handle() || !m_process.Wait(timeoutMs)) return STILL_ACTIVE;
  return m_process.ExitCode();
}

std::vector<std::wstring> MsgDlgHost::Values(int dialog, const std::string& key) const {
  std::vector<std::wstring> values;
  std::string report;
  ReadWholeFile(m_reportPath, &report);
  std::istringstream lines(report);
  const std::string prefix = std::to_string(dialog) + "\t" + key + "\t";
  std::string line;
  while (std::getline(lines, line)) {
    if (line.compare(0, prefix.size(), prefix) == 0)
      values.push_back(UnescapeField(FromUtf8(line.substr(prefix.size()))));
  }
  return values;
}

std::wstring MsgDlgHost::Value(int dialog, const std::string& key) const {
  const std::vector<std::wstring> values = Values(dialog, key);
  return values.empty() ? std::wstring() : values.front();
}

std::wstring WindowTextOf(HWND window) {
  wchar_t buffer[1024] = {};
  const LRESULT copied = SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return std::wstring(buffer, copied > 0 && copied < 1024 ? static_cast<size_t>(copied) : 0);
}

ChildInfo ReadChild(HWND dialog, int id) {
  ChildInfo info;
  HWND child = GetDlgItem(dialog, id);
  if (!child) return info;
  info.exists = true;
  info.visible = IsWindowVisible(child) != FALSE;
  info.enabled = IsWindowEnabled(child) != FALSE;
  GetWindowRect(child, &info.rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&info.rect), 2);
  info.text = WindowTextOf(child);
  return info;
}

void Settle(HWND window, DWORD ms) {
  Sleep(ms);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const ScopedHandle process(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (process) WaitForInputIdle(process.Get(), 2000);
  // A message round trip: the dialog's thread has handled what came before.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &ignored);
}

void MoveMouseTo(HWND dialog, int x, int y) { SendMouse(0, ToScreen(dialog, x, y)); }

void ClickAt(HWND dialog, int x, int y) {
  const POINT screen = ToScreen(dialog, x, y);
  SendMouse(0, screen);
  SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
  SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

void DragFrom(HWND dialog, int x, int y, int dx, int dy) {
  const POINT start = ToScreen(dialog, x, y);
  SendMouse(0, start);
  SendMouse(MOUSEEVENTF_LEFTDOWN, start);
  const int steps = 8;
  for (int i = 1; i <= steps; ++i) {
    SendMouse(0, {start.x + dx * i / steps, start.y + dy * i / steps});
  }
  SendMouse(MOUSEEVENTF_LEFTUP, {start.x + dx, start.y + dy});
}

void PressKey(HWND dialog, WORD key, WORD modifier) {
  SetForegroundWindow(dialog);
  Sleep(100);
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    // The keys of the navigation block come from the keyboard's extended set.
    const bool extended = vk == VK_INSERT || vk == VK_DELETE || (vk >= VK_PRIOR && vk <= VK_DOWN);
    input.ki.dwFlags = flags | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    inputs.push_back(input);
  };
  if (modifier) add(modifier, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (modifier) add(modifier, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

ScreenPixels CaptureWindow(HWND window) {
  RECT rect = {};
  if (!GetWindowRect(window, &rect)) return {};
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};
  PixelCanvas canvas(width, height, RGB(0, 0, 0));
  HDC screen = GetDC(nullptr);
  BitBlt(canvas.Dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return canvas.Pixels();
}

ScopedRegistryValue::ScopedRegistryValue(HKEY root, const wchar_t* subKey, const wchar_t* name,
                                         DWORD type, const void* data, DWORD bytes, bool remove)
    : m_root(root), m_subKey(subKey), m_name(name) {
  ScopedRegKey key;
  DWORD disposition = 0;
  if (key.Create(root, subKey, KEY_READ | KEY_WRITE, &disposition) != ERROR_SUCCESS) return;
  m_keyExisted = disposition == REG_OPENED_EXISTING_KEY;
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), name, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS) {
    m_previous.resize(size);
    m_hadValue =
        RegQueryValueExW(key.Get(), name, nullptr, &m_type,
                         m_previous.empty() ? nullptr : m_previous.data(), &size) == ERROR_SUCCESS;
    m_previous.resize(size);
  }
  if (remove) {
    RegDeleteValueW(key.Get(), name);
  } else {
    RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), bytes);
  }
}

ScopedRegistryValue::~ScopedRegistryValue() {
  if (!m_keyExisted) {
    RegDeleteKeyW(m_root, m_subKey);
    return;
  }
  ScopedRegKey key;
  if (key.Open(m_root, m_subKey, KEY_WRITE) != ERROR_SUCCESS) return;
  if (m_hadValue) {
    RegSetValueExW(key.Get(), m_name, 0, m_type, m_previous.empty() ? nullptr : m_previous.data(),
                   static_cast<DWORD>(m_previous.size()));
  } else {
    RegDeleteValueW(key.Get(), m_name);
  }
}

ScopedDwordValue::ScopedDwordValue(HKEY root, const wchar_t* subKey, const wchar_t* name,
                                   DWORD value, bool remove)
    : ScopedRegistryValue(root, subKey, name, REG_DWORD, &value, sizeof(value), remove) {}

ScopedStringValue::ScopedStringValue(HKEY root, const wchar_t* subKey, const wchar_t* name,
                                     const std::wstring& value)
    : ScopedRegistryValue(root, subKey, name, REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) {}

ServiceLanguageValue::ServiceLanguageValue(DWORD value, bool remove)
    : ScopedDwordValue(HKEY_LOCAL_MACHINE, kServiceKey, L"Language", value, remove) {}

DisplayDpiValue::DisplayDpiValue(DWORD dpi)
    : ScopedDwordValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", dpi) {}
