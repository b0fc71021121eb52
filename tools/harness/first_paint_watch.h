// Notices the first complete paint of a window shown by this thread: the
// moment at which the top-level window is visible and neither it nor any
// visible window inside it still has anything to paint. Works through a
// message hook, so it watches dialogs whose code it cannot change (the
// launcher's own, the platform's message box) without subclassing them.
#pragma once
#include <windows.h>

class FirstPaintWatch {
 public:
  // Called once per Arm(): `complete` true at the first complete paint of
  // `root`, false when `timeoutMs` passed first (`root` may then be null).
  using Callback = void (*)(HWND root, bool complete, void* context);

  // Hooks this thread's message retrieval. One watch per thread.
  FirstPaintWatch(Callback callback, void* context, DWORD timeoutMs = 15000);
  // Unhooks and stops the timer.
  ~FirstPaintWatch();
  FirstPaintWatch(const FirstPaintWatch&) = delete;
  FirstPaintWatch& operator=(const FirstPaintWatch&) = delete;

  // Forgets the previous window and watches for the next one's first
  // complete paint, timing out `timeoutMs` from now.
  void Arm();
  bool Hooked() const { return m_hook != nullptr; }
  // True once the armed watch has seen its complete paint.
  bool Complete() const { return m_complete; }
  // The performance counter when the complete paint was noticed.
  LONGLONG CompletedAt() const { return m_completedAt; }

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  void OnRetrieved(const MSG& msg);
  void CheckComplete(HWND root);
  void Finish(HWND root, bool complete);

  Callback m_callback;
  void* m_context;
  DWORD m_timeoutMs;
  HHOOK m_hook = nullptr;
  UINT_PTR m_timer = 0;
  bool m_armed = false;
  bool m_complete = false;
  LONGLONG m_completedAt = 0;
  DWORD m_armedTick = 0;
  HWND m_root = nullptr;
};

// True when `root` is visible and neither it nor any visible window inside
// it has a pending update region.
bool NothingLeftToPaint(HWND root);
