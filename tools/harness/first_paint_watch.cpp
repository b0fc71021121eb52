#include "tools/harness/first_paint_watch.h"

namespace {

// WM_NULL with this wParam, posted after each WM_PAINT: posted messages come
// before further WM_PAINTs, so its arrival is the first moment after that
// paint at which the window's state can be checked.
constexpr WPARAM kCheckMarker = 0x51A7;
constexpr UINT kTimerPeriodMs = 50;

FirstPaintWatch* g_watch = nullptr;

BOOL CALLBACK FindPendingChild(HWND child, LPARAM found) {
  if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool NothingLeftToPaint(HWND root) {
  if (!root || !IsWindowVisible(root) || GetUpdateRect(root, nullptr, FALSE)) return false;
  bool pending = false;
  EnumChildWindows(root, FindPendingChild, reinterpret_cast<LPARAM>(&pending));
  return !pending;
}

FirstPaintWatch::FirstPaintWatch(Callback callback, void* context, DWORD timeoutMs)
    : m_callback(callback), m_context(context), m_timeoutMs(timeoutMs) {
  if (g_watch) return;
  m_hook = SetWindowsHookExW(WH_GETMESSAGE, HookProc, nullptr, GetCurrentThreadId());
  if (m_hook) g_watch = this;
}

FirstPaintWatch::~FirstPaintWatch() {
  if (m_timer) KillTimer(nullptr, m_timer);
  if (m_hook) {
    UnhookWindowsHookEx(m_hook);
    g_watch = nullptr;
  }
}

void FirstPaintWatch::Arm() {
  m_armed = true;
  m_complete = false;
  m_completedAt = 0;
  m_root = nullptr;
  m_armedTick = GetTickCount();
  // The timer catches a window painted without queued WM_PAINTs, and the
  // time-out; WM_TIMER also comes only when no paint is pending.
  if (!m_timer) m_timer = SetTimer(nullptr, 0, kTimerPeriodMs, nullptr);
}

LRESULT CALLBACK FirstPaintWatch::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && g_watch) {
    g_watch->OnRetrieved(*reinterpret_cast<const MSG*>(lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void FirstPaintWatch::OnRetrieved(const MSG& msg) {
  if (!m_armed) return;
  if (msg.message == WM_PAINT && msg.hwnd) {
    m_root = GetAncestor(msg.hwnd, GA_ROOT);
    PostMessageW(m_root, WM_NULL, kCheckMarker, 0);
  } else if (msg.message == WM_NULL && msg.wParam == kCheckMarker) {
    CheckComplete(msg.hwnd);
  } else if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == m_timer) {
    if (m_root) CheckComplete(m_root);
    if (m_armed && GetTickCount() - m_armedTick > m_timeoutMs) Finish(m_root, false);
  }
}

void FirstPaintWatch::CheckComplete(HWND root) {
  if (!m_armed || !NothingLeftToPaint(root)) return;
  QueryPerformanceCounter(reinterpret_cast<LARGE_INTEGER*>(&m_completedAt));
  m_complete = true;
  Finish(root, true);
}

void FirstPaintWatch::Finish(HWND root, bool complete) {
  m_armed = false;
  if (m_timer) {
    KillTimer(nullptr, m_timer);
    m_timer = 0;
  }
  if (m_callback) m_callback(root, complete, m_context);
}
