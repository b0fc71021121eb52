// The first-paint watch the dialog bench times the message dialog with: it
// must fire once, only when the window and every visible window inside it
// have painted, ignore hidden children, and give up after its time-out.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "tools/harness/first_paint_watch.h"

namespace {

std::map<HWND, int> g_paints;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    ++g_paints[window];
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

ATOM RegisterCountingClass() {
  static ATOM atom = 0;
  if (atom) return atom;
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = CountingProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"QuarnelPaintWatchTest";
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  atom = RegisterClassW(&windowClass);
  return atom;
}

// A popup with `visible` visible and `hidden` hidden children, all counting
// their paints; destroyed with the test.
class TestWindow {
 public:
  TestWindow(int visible, int hidden) {
    RegisterCountingClass();
    m_root = CreateWindowExW(WS_EX_TOOLWINDOW, L"QuarnelPaintWatchTest", L"paint watch", WS_POPUP,
                             40, 40, 300, 200, nullptr, nullptr, nullptr, nullptr);
    for (int i = 0; i < visible + hidden; ++i) {
      const DWORD style = WS_CHILD | (i < visible ? WS_VISIBLE : 0);
      HWND child = CreateWindowExW(0, L"QuarnelPaintWatchTest", L"", style, 10 + i * 40, 10, 30, 30,
                                   m_root, nullptr, nullptr, nullptr);
      (i < visible ? m_visible : m_hidden).push_back(child);
    }
  }
  ~TestWindow() {
    if (IsWindow(m_root)) DestroyWindow(m_root);
  }
  HWND Root() const { return m_root; }
  const std::vector<HWND>& Visible() const { return m_visible; }
  const std::vector<HWND>& Hidden() const { return m_hidden; }

 private:
  HWND m_root = nullptr;
  std::vector<HWND> m_visible, m_hidden;
};

struct Seen {
  int calls = 0;
  bool complete = false;
  HWND root = nullptr;
  std::map<HWND, int> paintsAtCall;
};

void Record(HWND root, bool complete, void* context) {
  Seen* seen = static_cast<Seen*>(context);
  ++seen->calls;
  seen->complete = complete;
  seen->root = root;
  seen->paintsAtCall = g_paints;
}

// Pumps this thread's messages for `ms` milliseconds.
void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

TEST(FirstPaintWatch, FiresOnceWhenEveryVisibleWindowHasPainted) {
  struct Case {
    int visible, hidden;
  };
  for (const Case& c : {Case{0, 0}, Case{3, 0}, Case{2, 2}}) {
    g_paints.clear();
    Seen seen;
    FirstPaintWatch watch(Record, &seen, 5000);
    ASSERT_TRUE(watch.Hooked());
    TestWindow window(c.visible, c.hidden);
    watch.Arm();
    ShowWindow(window.Root(), SW_SHOWNOACTIVATE);
    Pump(600);
    ASSERT_EQ(1, seen.calls) << c.visible << "+" << c.hidden;
    EXPECT_TRUE(seen.complete);
    EXPECT_TRUE(watch.Complete());
    EXPECT_NE(0, watch.CompletedAt());
    EXPECT_EQ(window.Root(), seen.root);
    EXPECT_GE(seen.paintsAtCall[window.Root()], 1);
    for (HWND child : window.Visible()) EXPECT_GE(seen.paintsAtCall[child], 1);
    for (HWND child : window.Hidden()) EXPECT_EQ(0, seen.paintsAtCall[child]);
    // Later paints of the same window do not fire again.
    InvalidateRect(window.Root(), nullptr, TRUE);
    Pump(200);
    EXPECT_EQ(1, seen.calls);
  }
}

TEST(FirstPaintWatch, ReArmedWatchTimesTheNextWindow) {
  g_paints.clear();
  Seen seen;
  FirstPaintWatch watch(Record, &seen, 5000);
  TestWindow first(1, 0);
  watch.Arm();
  ShowWindow(first.Root(), SW_SHOWNOACTIVATE);
  Pump(400);
  ASSERT_EQ(1, seen.calls);
  const LONGLONG firstAt = watch.CompletedAt();
  TestWindow second(2, 0);
  watch.Arm();
  EXPECT_FALSE(watch.Complete());
  ShowWindow(second.Root(), SW_SHOWNOACTIVATE);
  Pump(400);
  ASSERT_EQ(2, seen.calls);
  EXPECT_TRUE(seen.complete);
  EXPECT_EQ(second.Root(), seen.root);
  EXPECT_GT(watch.CompletedAt(), firstAt);
}

TEST(FirstPaintWatch, WindowNeverShownTimesOut) {
  Seen seen;
  FirstPaintWatch watch(Record, &seen, 300);
  TestWindow window(1, 0);
  watch.Arm();
  Pump(1000);
  ASSERT_EQ(1, seen.calls);
  EXPECT_FALSE(seen.complete);
  EXPECT_FALSE(watch.Complete());
}

TEST(FirstPaintWatch, OnlyOneWatchPerThreadHooks) {
  FirstPaintWatch first(nullptr, nullptr);
  FirstPaintWatch second(nullptr, nullptr);
  EXPECT_TRUE(first.Hooked());
  EXPECT_FALSE(second.Hooked());
}

TEST(NothingLeftToPaint, PendingUpdateOfRootOrVisibleChild) {
  TestWindow window(1, 1);
  EXPECT_FALSE(NothingLeftToPaint(window.Root())) << "a hidden root";
  ShowWindow(window.Root(), SW_SHOWNOACTIVATE);
  Pump(300);
  EXPECT_TRUE(NothingLeftToPaint(window.Root()));
  InvalidateRect(window.Visible()[0], nullptr, FALSE);
  EXPECT_FALSE(NothingLeftToPaint(window.Root())) << "a visible child to paint";
  Pump(300);
  EXPECT_TRUE(NothingLeftToPaint(window.Root()));
  InvalidateRect(window.Hidden()[0], nullptr, FALSE);
  EXPECT_TRUE(NothingLeftToPaint(window.Root())) << "a hidden child does not count";
  InvalidateRect(window.Root(), nullptr, FALSE);
  EXPECT_FALSE(NothingLeftToPaint(window.Root())) << "the root itself";
  EXPECT_FALSE(NothingLeftToPaint(nullptr));
}

}  // namespace
