// The message dialog on scaled displays: at 144 and 192 DPI the window, the
// band, the frame, the buttons and the message area are those of 96 DPI
// scaled by 1.5 and 2, drawn from artwork of that scale and text of that
// height, and WM_DPICHANGED moves a shown dialog to the new scale. Wine reads
// the display's DPI when a process starts, so each host runs at one.
#include <gtest/gtest.h>

#include <string>

#include "base/scoped_handles.h"
#include "res/resource.h"
#include "run_paths.h"
#include "tools/harness/msgdlg_driver.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBody = RGB(25, 25, 25);
constexpr COLORREF kGreyLine = RGB(107, 107, 107);

struct DpiGeometry {
  UINT dpi;
  SIZE window;
  int frame;    // the white frame's thickness, and the grey line's
  int lineTop;  // the grey line's first row
  int titleX;
  RECT close, left, right, message;
  int textFont, titleFont;  // LOGFONT heights
  const wchar_t* icon;      // the artwork the icon is drawn from
};

// clang-format off
const DpiGeometry kGeometry[] = {
    // dpi  window       frame line title close                  left                  right                 message               fonts     icon
    {96,  {581, 343},   1, 76,  40, {525, 20, 561, 56},    {155, 266, 278, 318}, {303, 266, 426, 318}, {125, 90, 556, 220},  -16, -24, L"83x75"},
    {144, {872, 515},   2, 114, 60, {788, 30, 842, 84},    {233, 399, 418, 477}, {455, 399, 640, 477}, {188, 135, 835, 330}, -24, -36, L"125x113"},
    {192, {1162, 686},  2, 152, 80, {1050, 40, 1122, 112}, {310, 532, 556, 636}, {606, 532, 852, 636}, {250, 180, 1112, 440}, -32, -48, L"166x150"},
};
// clang-format on

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

bool Whitish(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200; }

int Near(const ScreenPixels& p, const RECT& r, COLORREF colour) {
  return p.Count(r, [&](COLORREF c) { return ColoursNear(c, colour, 2); });
}

int Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }

std::wstring FontHeight(int height) { return L"Segoe UI|" + std::to_wstring(height) + L"|700"; }

void ExpectControls(HWND dialog, const DpiGeometry& g) {
  const struct {
    int id;
    RECT rect;
  } placed[] = {
      {IDC_MSG_CLOSE, g.close}, {IDOK, g.left}, {IDCANCEL, g.right}, {IDC_MSG_TEXT, g.message}};
  for (const auto& control : placed) {
    const RECT rect = ReadChild(dialog, control.id).rect;
    EXPECT_TRUE(SameRect(rect, control.rect))
        << "control " << control.id << " at " << Describe(rect);
  }
  const ChildInfo title = ReadChild(dialog, IDC_MSG_TITLE);
  EXPECT_EQ(title.rect.left, g.titleX);
  EXPECT_LE(title.rect.right, g.close.left) << "the title reaches into the close button";
  const int band = g.lineTop + g.frame;
  EXPECT_EQ(title.rect.top, (band - (title.rect.bottom - title.rect.top)) / 2)
      << "the title is not centred on the band " << Describe(title.rect);
}

// Frame on all four edges, band, grey line and body, each whole.
void ExpectBackground(const ScreenPixels& p, const DpiGeometry& g) {
  const int w = g.window.cx, h = g.window.cy, f = g.frame;
  const RECT edges[] = {{0, 0, w, f}, {0, h - f, w, h}, {0, 0, f, h}, {w - f, 0, w, h}};
  for (const RECT& edge : edges) EXPECT_EQ(Near(p, edge, kWhite), Area(edge)) << Describe(edge);
  const RECT inside = {f, 0, w - f, 0};
  const RECT line = {inside.left, g.lineTop, inside.right, g.lineTop + f};
  EXPECT_EQ(Near(p, line, kGreyLine), Area(line)) << "grey line " << Describe(line);
  EXPECT_EQ(Near(p, {inside.left, g.lineTop - 1, inside.right, g.lineTop}, kBlack), w - 2 * f);
  EXPECT_EQ(Near(p, {inside.left, line.bottom, inside.right, line.bottom + 1}, kBody), w - 2 * f);
  EXPECT_EQ(Near(p, {inside.left, h - f - 1, inside.right, h - f}, kBody), w - 2 * f);
}

// The white of the text stays in the message area: nothing between the
// band and the buttons outside it except the icon's own white.
void ExpectMessageInsideItsArea(const ScreenPixels& p, const DpiGeometry& g) {
  const RECT& m = g.message;
  EXPECT_GT(p.Count(m, Whitish), 20);
  const int bodyTop = g.lineTop + g.frame, right = g.window.cx - g.frame;
  EXPECT_EQ(p.Count(RECT{m.left, bodyTop, right, m.top}, Whitish), 0);
  EXPECT_EQ(p.Count(RECT{m.left, m.bottom, right, g.left.top}, Whitish), 0);
  EXPECT_EQ(p.Count(RECT{m.right, bodyTop, right, g.left.top}, Whitish), 0);
}

// The pictures of one host run at one DPI, saved under artifacts.
ScreenPixels ShowAt(const DpiGeometry& g) {
  const DisplayDpiValue dpi(g.dpi);
  const ServiceLanguageValue service(0);
  MsgDlgHost host(L"--style 0x41 --language 0 --message \"Hello\"");
  const HWND dialog = host.WaitForDialog();
  if (!dialog) return {};
  MoveMouseTo(dialog, 5, g.window.cy / 2);  // off the buttons
  Settle(dialog);
  RECT window = {};
  GetWindowRect(dialog, &window);
  EXPECT_EQ(window.right - window.left, g.window.cx);
  EXPECT_EQ(window.bottom - window.top, g.window.cy);
  ExpectControls(dialog, g);
  EXPECT_EQ(host.Value(1, "font.title"), FontHeight(g.titleFont));
  EXPECT_EQ(host.Value(1, "font.ok"), FontHeight(g.textFont));
  EXPECT_EQ(host.Value(1, "image.icon"), g.icon);
  EXPECT_EQ(host.Value(1, "image.background"),
            std::to_wstring(g.window.cx) + L"x" + std::to_wstring(g.window.cy));
  ScreenPixels picture = CaptureWindow(dialog);
  SavePng(picture, std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\msgdlg_dpi_" +
                       std::to_wstring(g.dpi) + L".png");
  ClickAt(dialog, (g.close.left + g.close.right) / 2, (g.close.top + g.close.bottom) / 2);
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL)) << "the close button is where drawn";
  return picture;
}

// A pixel of the 96-DPI picture whose 3 x 3 neighbourhood has one colour:
// a solid area, away from every edge and glyph.
bool Solid(const ScreenPixels& p, int x, int y) {
  const COLORREF centre = p.At(x, y);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (!ColoursNear(p.At(x + dx, y + dy), centre, 2)) return false;
  return true;
}

struct Comparison {
  int solid = 0;           // solid pixels of the base compared
  int mismatches = 0;      // of them, those the scaled picture lacks
  POINT first = {-1, -1};  // the first of those, at 96 DPI
};

// Where the 96-DPI picture has text, which is hinted anew at each size: the
// title (from x = 40 to the close button), the message area and the labels
// (each button but its outline and a margin).
bool InText(POINT at) {
  const DpiGeometry& g = kGeometry[0];
  RECT areas[] = {{g.titleX, 1, g.close.left, g.lineTop}, g.message, g.left, g.right};
  InflateRect(&areas[2], -8, -8);
  InflateRect(&areas[3], -8, -8);
  for (const RECT& area : areas)
    if (PtInRect(&area, at)) return true;
  return false;
}

// The pixels that pixel (x, y) at 96 DPI covers at `dpi`.
RECT ScaledBlock(int x, int y, UINT dpi) {
  const int d = static_cast<int>(dpi);
  return {x * d / 96, y * d / 96, ((x + 1) * d + 95) / 96, ((y + 1) * d + 95) / 96};
}

// Every pixel of `block` has `colour` within `slack` pixels of it.
bool BlockMatches(const ScreenPixels& p, const RECT& block, COLORREF colour, int slack) {
  for (int y = block.top; y < block.bottom; ++y) {
    for (int x = block.left; x < block.right; ++x) {
      const RECT around = {x - slack, y - slack, x + slack + 1, y + slack + 1};
      if (!p.Count(around, [&](COLORREF c) { return ColoursNear(c, colour, 2); })) return false;
    }
  }
  return true;
}

// Solid pixels of `base` (96 DPI) outside its text, and those whose colour
// `scaled` lacks at their scaled place, looked for within `slack` pixels.
Comparison CompareSolidAreas(const ScreenPixels& base, const ScreenPixels& scaled, UINT dpi,
                             int slack) {
  Comparison result;
  for (int y = 2; y < base.height - 2; ++y) {
    for (int x = 2; x < base.width - 2; ++x) {
      const POINT at = {x, y};
      if (InText(at) || !Solid(base, x, y)) continue;
      ++result.solid;
      if (BlockMatches(scaled, ScaledBlock(x, y, dpi), base.At(x, y), slack)) continue;
      if (!result.mismatches++) result.first = at;
    }
  }
  return result;
}

TEST(MessageDialogDpi, EachScaleHasTheScaledGeometryArtworkAndText) {
  ScreenPixels pictures[3];
  for (int i = 0; i < 3; ++i) {
    const DpiGeometry& g = kGeometry[i];
    SCOPED_TRACE(testing::Message() << g.dpi << " DPI");
    pictures[i] = ShowAt(g);
    ASSERT_EQ(pictures[i].width, g.window.cx);
    ASSERT_EQ(pictures[i].height, g.window.cy);
    ExpectBackground(pictures[i], g);
    ExpectMessageInsideItsArea(pictures[i], g);
  }
  const Comparison doubled = CompareSolidAreas(pictures[0], pictures[2], 192, 0);
  EXPECT_GT(doubled.solid, 80000);
  EXPECT_EQ(doubled.mismatches, 0)
      << "192 DPI, first at (" << doubled.first.x << ", " << doubled.first.y << ")";
  const Comparison halfAgain = CompareSolidAreas(pictures[0], pictures[1], 144, 1);
  EXPECT_EQ(halfAgain.mismatches, 0)
      << "144 DPI, first at (" << halfAgain.first.x << ", " << halfAgain.first.y << ")";
}

// A RECT written into another process's memory, freed with the object.
class RemoteRect {
 public:
  RemoteRect(HWND window, const RECT& rect) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    m_process.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId));
    if (!m_process) return;
    m_memory = VirtualAllocEx(m_process.Get(), nullptr, sizeof(rect), MEM_COMMIT, PAGE_READWRITE);
    if (m_memory && !WriteProcessMemory(m_process.Get(), m_memory, &rect, sizeof(rect), nullptr))
      Free();
  }
  ~RemoteRect() { Free(); }
  RemoteRect(const RemoteRect&) = delete;
  RemoteRect& operator=(const RemoteRect&) = delete;
  // Its address in the other process; null when it could not be written.
  LPARAM Address() const { return reinterpret_cast<LPARAM>(m_memory); }

 private:
  void Free() {
    if (m_memory) VirtualFreeEx(m_process.Get(), m_memory, 0, MEM_RELEASE);
    m_memory = nullptr;
  }
  ScopedHandle m_process;
  void* m_memory = nullptr;
};

// Wine never sends WM_DPICHANGED, so the test does, with the suggested
// rectangle in the dialog's process.
TEST(MessageDialogDpi, DpiChangedTakesTheSuggestedRectangleAndLaysOutAgain) {
  const DisplayDpiValue dpi(96);
  const ServiceLanguageValue service(0);
  MsgDlgHost host(L"--style 0x41 --language 0 --message \"Hello\"");
  const HWND dialog = host.WaitForDialog();
  ASSERT_TRUE(dialog);
  const DpiGeometry& g = kGeometry[2];
  const RECT suggested = {10, 20, 10 + g.window.cx, 20 + g.window.cy};
  const RemoteRect remote(dialog, suggested);
  ASSERT_NE(remote.Address(), 0);
  SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(g.dpi, g.dpi), remote.Address());
  MoveMouseTo(dialog, 5, g.window.cy / 2);
  Settle(dialog);
  RECT window = {};
  GetWindowRect(dialog, &window);
  EXPECT_TRUE(SameRect(window, suggested)) << Describe(window);
  ExpectControls(dialog, g);
  const ScreenPixels picture = CaptureWindow(dialog);
  SavePng(picture, std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\msgdlg_dpi_changed_192.png");
  ASSERT_EQ(picture.width, g.window.cx);
  ExpectBackground(picture, g);
  ExpectMessageInsideItsArea(picture, g);
}

}  // namespace
