// The dialog at 96, 144 and 192 DPI: the 96-DPI layout scaled by 1.5 and 2,
// artwork and text of that scale, WM_DPICHANGED, and the size it gives for
// WM_GETDPISCALEDSIZE. Wine reads the DPI when a process starts and sends
// neither message; the test does.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/scoped_handles.h"
#include "res/resource.h"
#include "run_paths.h"
#include "tools/harness/msgdlg_driver.h"

namespace {

struct DpiGeometry {
  UINT dpi;
  SIZE window;
  int frame, lineTop;  // the frame's and the grey line's thickness; its first row
  RECT close, left, right, message;
  const wchar_t *textFont, *titleFont, *icon;
};

// clang-format off
const DpiGeometry kGeometry[] = {
  {96,  {581, 343},  1, 76,  {525, 20, 561, 56},    {155, 266, 278, 318}, {303, 266, 426, 318}, {125, 90, 556, 220},   L"Segoe UI|-16|700", L"Segoe UI|-24|700", L"83x75"},
  {144, {872, 515},  2, 114, {788, 30, 842, 84},    {233, 399, 418, 477}, {455, 399, 640, 477}, {188, 135, 835, 330},  L"Segoe UI|-24|700", L"Segoe UI|-36|700", L"125x113"},
  {192, {1162, 686}, 2, 152, {1050, 40, 1122, 112}, {310, 532, 556, 636}, {606, 532, 852, 636}, {250, 180, 1112, 440}, L"Segoe UI|-32|700", L"Segoe UI|-48|700", L"166x150"},
};
// clang-format on

// Asked before WM_DPICHANGED by Windows 10 1703 and later, whose headers
// alone define it.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// The window's size at `to` DPI that a dialog shown at `from` gives: the
// layout's (kGeometry's where it has the scale), never the template's.
struct ScaledSizeCase {
  UINT from, to;
  SIZE size;
};
const ScaledSizeCase kScaledSizes[] = {
    {96, 120, {726, 429}},
    {96, 144, {872, 515}},
    {96, 192, {1162, 686}},
    {144, 96, {581, 343}},
};

// Sends `message` to `dialog` with lParam pointing at a copy of `*value` in
// the dialog's process, where the dialog reads and writes it, and copies it
// back. The dialog's answer; -1 when the copy could not be made.
template <typename Value>
LRESULT SendWithValue(HWND dialog, UINT message, WPARAM wParam, Value* value) {
  DWORD processId = 0;
  GetWindowThreadProcessId(dialog, &processId);
  const ScopedHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  void* remote = VirtualAllocEx(process.Get(), nullptr, sizeof(Value), MEM_COMMIT, PAGE_READWRITE);
  if (!remote || !WriteProcessMemory(process.Get(), remote, value, sizeof(Value), nullptr))
    return -1;
  const LRESULT answer = SendMessageW(dialog, message, wParam, reinterpret_cast<LPARAM>(remote));
  const bool read = ReadProcessMemory(process.Get(), remote, value, sizeof(Value), nullptr);
  VirtualFreeEx(process.Get(), remote, 0, MEM_RELEASE);
  return read ? answer : -1;
}

int Near(const ScreenPixels& p, const RECT& r, COLORREF colour) {
  return p.Count(r, [&](COLORREF c) { return ColoursNear(c, colour, 2); });
}
bool Whitish(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200; }

void ExpectGeometry(HWND dialog, const ScreenPixels& p, const DpiGeometry& g) {
  ASSERT_EQ(p.width, g.window.cx);
  ASSERT_EQ(p.height, g.window.cy);
  for (const auto& c : {std::make_pair(IDC_MSG_CLOSE, g.close),
                        {IDOK, g.left},
                        {IDCANCEL, g.right},
                        {IDC_MSG_TEXT, g.message}}) {
    const RECT r = ReadChild(dialog, c.first).rect;
    EXPECT_TRUE(EqualRect(&r, &c.second)) << c.first << ": " << r.left << "," << r.top;
  }
  const RECT title = ReadChild(dialog, IDC_MSG_TITLE).rect;
  EXPECT_EQ(title.left, MulDiv(40, static_cast<int>(g.dpi), 96));
  EXPECT_LE(title.right, g.close.left);
  EXPECT_EQ(title.top, (g.lineTop + g.frame - (title.bottom - title.top)) / 2);
  // The frame on all four edges, the grey line between band and body.
  const int w = g.window.cx, h = g.window.cy, f = g.frame;
  for (const RECT& edge : {RECT{0, 0, w, f}, {0, h - f, w, h}, {0, 0, f, h}, {w - f, 0, w, h}})
    EXPECT_EQ(Near(p, edge, RGB(255, 255, 255)),
              (edge.right - edge.left) * (edge.bottom - edge.top));
  EXPECT_EQ(Near(p, {f, g.lineTop - 1, w - f, g.lineTop}, RGB(0, 0, 0)), w - 2 * f);
  EXPECT_EQ(Near(p, {f, g.lineTop, w - f, g.lineTop + f}, RGB(107, 107, 107)), (w - 2 * f) * f);
  EXPECT_EQ(Near(p, {f, g.lineTop + f, w - f, g.lineTop + f + 1}, RGB(25, 25, 25)), w - 2 * f);
  // The message's white stays inside its area.
  const RECT& m = g.message;
  EXPECT_GT(p.Count(m, Whitish), 20);
  EXPECT_EQ(p.Count({m.left, g.lineTop + f, w - f, g.left.top}, Whitish), p.Count(m, Whitish));
}

// One host at `g.dpi`: geometry, fonts and artwork; the picture, also saved.
ScreenPixels ShowAt(const DpiGeometry& g) {
  const DisplayDpiValue dpi(g.dpi);
  const ServiceLanguageValue service(0);
  MsgDlgHost host(L"--style 0x41 --language 0 --message \"Hello\"");
  const HWND dialog = host.WaitForDialog();
  if (!dialog) return {};
  MoveMouseTo(dialog, 5, g.window.cy / 2);  // off the buttons
  Settle(dialog);
  ScreenPixels picture = CaptureWindow(dialog);
  SavePng(picture, std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\msgdlg_dpi_" +
                       std::to_wstring(g.dpi) + L".png");
  ExpectGeometry(dialog, picture, g);
  EXPECT_EQ(host.Value(1, "font.title"), g.titleFont);
  EXPECT_EQ(host.Value(1, "font.ok"), g.textFont);
  EXPECT_EQ(host.Value(1, "image.icon"), g.icon);
  ClickAt(dialog, (g.close.left + g.close.right) / 2, (g.close.top + g.close.bottom) / 2);
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL)) << "the close button is where drawn";
  return picture;
}

// Pixels of `base` (96 DPI) whose 3 x 3 neighbourhood is one colour, outside
// the text (title, message, labels: hinted anew at each size), that `scaled`
// lacks anywhere within `slack` of each pixel they cover; -1 for too few.
int SolidMismatches(const ScreenPixels& base, const ScreenPixels& scaled, int dpi, int slack) {
  const DpiGeometry& g = kGeometry[0];
  RECT text[] = {{40, 1, g.close.left, g.lineTop}, g.message, g.left, g.right};
  InflateRect(&text[2], -8, -8);
  InflateRect(&text[3], -8, -8);
  int solid = 0, mismatches = 0;
  for (int y = 1; y < base.height - 1; ++y) {
    for (int x = 1; x < base.width - 1; ++x) {
      const COLORREF colour = base.At(x, y);
      bool skip = Near(base, {x - 1, y - 1, x + 2, y + 2}, colour) != 9;
      for (const RECT& r : text) skip = skip || PtInRect(&r, POINT{x, y});
      if (skip) continue;
      ++solid;
      for (int sy = y * dpi / 96; sy < ((y + 1) * dpi + 95) / 96; ++sy)
        for (int sx = x * dpi / 96; sx < ((x + 1) * dpi + 95) / 96; ++sx)
          if (!Near(scaled, {sx - slack, sy - slack, sx + slack + 1, sy + slack + 1}, colour))
            ++mismatches;
    }
  }
  return solid > 80000 ? mismatches : -1;
}

TEST(MessageDialogDpi, EachScaleHasTheScaledGeometryArtworkAndText) {
  ScreenPixels pictures[3];
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(testing::Message() << kGeometry[i].dpi << " DPI");
    pictures[i] = ShowAt(kGeometry[i]);
    ASSERT_FALSE(pictures[i].empty());
  }
  EXPECT_EQ(SolidMismatches(pictures[0], pictures[2], 192, 0), 0) << "192 DPI: exactly doubled";
  EXPECT_EQ(SolidMismatches(pictures[0], pictures[1], 144, 1), 0) << "144 DPI: within a pixel";
}

TEST(MessageDialogDpi, DpiChangedTakesTheSuggestedRectangleAndLaysOutAgain) {
  const DisplayDpiValue dpi(96);
  MsgDlgHost host(L"--style 0x41 --language 0 --message \"Hello\"");
  const HWND dialog = host.WaitForDialog();
  ASSERT_TRUE(dialog);
  const DpiGeometry& g = kGeometry[2];
  const RECT suggested = {10, 20, 10 + g.window.cx, 20 + g.window.cy};
  RECT sent = suggested;
  ASSERT_EQ(SendWithValue(dialog, WM_DPICHANGED, MAKEWPARAM(g.dpi, g.dpi), &sent), 0);
  MoveMouseTo(dialog, 5, g.window.cy / 2);
  Settle(dialog);
  RECT window = {};
  GetWindowRect(dialog, &window);
  EXPECT_TRUE(EqualRect(&window, &suggested));
  ScreenPixels picture = CaptureWindow(dialog);
  SavePng(picture, std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\msgdlg_dpi_changed_192.png");
  ExpectGeometry(dialog, picture, g);
}

// One host per starting scale; each question leaves the window as it is.
TEST(MessageDialogDpi, DpiScaledSizeIsTheLayoutsWindowAtTheNewDpi) {
  std::unique_ptr<MsgDlgHost> host;
  HWND dialog = nullptr;
  UINT shownAt = 0;
  for (const ScaledSizeCase& c : kScaledSizes) {
    SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << " DPI");
    if (c.from != shownAt) {
      host.reset();
      const DisplayDpiValue dpi(c.from);
      host = std::make_unique<MsgDlgHost>(L"--style 0x41 --language 0 --message \"Hello\"");
      dialog = host->WaitForDialog();
      shownAt = c.from;
    }
    ASSERT_TRUE(dialog);
    RECT window = {};
    GetWindowRect(dialog, &window);
    // What the message leaves when nobody answers it: the size now.
    SIZE size = {window.right - window.left, window.bottom - window.top};
    EXPECT_EQ(SendWithValue(dialog, kGetDpiScaledSize, c.to, &size), TRUE);
    EXPECT_EQ(size.cx, c.size.cx);
    EXPECT_EQ(size.cy, c.size.cy);
  }
}

}  // namespace
