// What the message dialog puts on the screen: the background artwork, the
// icon of each class, and the message text, white, left-aligned and centred
// on its band, wrapped at the area's width and at line feeds; with a
// high-contrast theme, the same layout in the theme's colours alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/failure_message.h"
#include "resource.h"
#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/high_contrast.h"
#include "tools/harness/msgdlg_driver.h"
#include "ui/message_fit.h"

namespace {

constexpr int kWidth = expected::kDialogWidth;
constexpr int kHeight = expected::kDialogHeight;
const RECT kMessageArea = {125, 90, 556, 220};
const RECT kIconRect = {20, 110, 103, 185};
constexpr COLORREF kBody = RGB(25, 25, 25);
constexpr COLORREF kGreyLine = RGB(107, 107, 107);
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool Whitish(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200; }

// The message font as the dialog uses it with the service's language unset.
class MessageFont {
 public:
  MessageFont() {
    LOGFONTW description = {};
    description.lfHeight = expected::kTextFontHeight;
    description.lfWeight = FW_BOLD;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(description.lfFaceName, expected::kTextFaces[0]);
    m_font = CreateFontIndirectW(&description);
  }
  ~MessageFont() { DeleteObject(m_font); }
  // The wrapped height of `text` in the message area's width.
  int Height(const std::wstring& text) const {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, m_font);
    RECT rect = {0, 0, kMessageArea.right - kMessageArea.left, 1};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return rect.bottom - rect.top;
  }

 private:
  HFONT m_font = nullptr;
};

// Command-line form of a message: line feeds written as "\n".
std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) out += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
  return out;
}

struct Shown {
  ScreenPixels picture;
  DWORD result = 0;
};

// Shows a dialog, captures it, saves the capture as `artefact`.png, closes it.
Shown ShowAndCapture(unsigned style, const std::wstring& message, const std::wstring& artefact) {
  const ServiceLanguageValue service(0);
  wchar_t styleText[16];
  swprintf(styleText, 16, L"0x%X", style);
  MsgDlgHost host(std::wstring(L"--style ") + styleText + L" --language 0 --message \"" +
                  Escaped(message) + L"\"");
  Shown shown;
  const HWND dialog = host.WaitForDialog();
  if (!dialog) return shown;
  MoveMouseTo(dialog, 10, 200);  // keep the cursor off the buttons
  Settle(dialog);
  shown.picture = CaptureWindow(dialog);
  SavePng(shown.picture, std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\" + artefact + L".png");
  ClickAt(dialog, 543, 38);
  shown.result = host.WaitForExit();
  return shown;
}

// Rows in `columns` holding at least one white-ish pixel, top to bottom.
std::vector<int> WhiteRows(const ScreenPixels& picture, int left, int right, int top, int bottom) {
  std::vector<int> rows;
  for (int y = top; y < bottom; ++y) {
    if (picture.Count(RECT{left, y, right, y + 1}, Whitish) > 0) rows.push_back(y);
  }
  return rows;
}

// Runs of consecutive rows: the lines of text.
int CountBands(const std::vector<int>& rows) {
  int bands = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i == 0 || rows[i] != rows[i - 1] + 1) ++bands;
  }
  return bands;
}

TEST(MessageDialogPixels, BackgroundFrameBandLineAndBody) {
  const Shown shown = ShowAndCapture(0x41, L"Hi", L"msgdlg_background");
  const ScreenPixels& p = shown.picture;
  ASSERT_EQ(p.width, kWidth);
  ASSERT_EQ(p.height, kHeight);
  struct Point {
    int x, y;
    COLORREF colour;
  };
  const Point points[] = {
      {0, 0, kWhite},          {580, 0, kWhite},        {0, 342, kWhite},
      {580, 342, kWhite},      {290, 0, kWhite},        {290, 342, kWhite},
      {0, 170, kWhite},        {580, 170, kWhite},      {1, 1, RGB(0, 0, 0)},
      {450, 40, RGB(0, 0, 0)}, {300, 70, RGB(0, 0, 0)}, {10, 75, RGB(0, 0, 0)},
      {1, 77, kBody},          {300, 240, kBody},       {10, 330, kBody},
      {570, 250, kBody},       {110, 100, kBody},       {579, 341, kBody},
  };
  for (const Point& point : points) {
    EXPECT_TRUE(ColoursNear(p.At(point.x, point.y), point.colour, 2))
        << "(" << point.x << ", " << point.y << ") is 0x" << std::hex << p.At(point.x, point.y);
  }
  auto grey = [](COLORREF c) { return ColoursNear(c, kGreyLine, 2); };
  EXPECT_EQ(p.Count(RECT{1, 76, 580, 77}, grey), 579);
  EXPECT_EQ(p.Count(RECT{1, 75, 580, 76}, grey), 0);
  EXPECT_EQ(shown.result, static_cast<DWORD>(IDCANCEL));
}

TEST(MessageDialogPixels, EachIconClassDrawsItsPictureAt20x110) {
  struct Case {
    unsigned style;
    COLORREF colour;
    const wchar_t* name;
  };
  const Case cases[] = {
      {0x10, RGB(0xEE, 0x1A, 0x22), L"error"},
      {0x40, RGB(0x00, 0x78, 0xD7), L"info"},
      {0x30, RGB(0xFF, 0xFF, 0x00), L"warning"},
      {0x00, RGB(0xFF, 0xFF, 0x00), L"warning_class0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
    const Shown shown = ShowAndCapture(c.style, L"Icon", std::wstring(L"msgdlg_icon_") + c.name);
    const ScreenPixels& p = shown.picture;
    ASSERT_FALSE(p.empty());
    auto match = [&](COLORREF pixel) { return ColoursNear(pixel, c.colour, 12); };
    EXPECT_GT(p.Count(kIconRect, match), 300);
    // Nowhere else: the icon stands at (20, 110) and is 83 x 75.
    EXPECT_EQ(p.Count(RECT{0, 77, 20, 266}, match), 0);
    EXPECT_EQ(p.Count(RECT{103, 77, 125, 266}, match), 0);
    EXPECT_EQ(p.Count(RECT{20, 77, 103, 110}, match), 0);
    EXPECT_EQ(p.Count(RECT{20, 185, 103, 266}, match), 0);
  }
}

TEST(MessageDialogPixels, ShortTextIsWhiteLeftAlignedAndCentredOnTheBand) {
  const std::wstring text = L"Hello world";
  const int height = MessageFont().Height(text);
  ASSERT_GT(height, 8);
  const Shown shown = ShowAndCapture(0x41, text, L"msgdlg_short_text");
  const ScreenPixels& p = shown.picture;
  ASSERT_FALSE(p.empty());

  const int top = kMessageArea.top + (130 - height) / 2;
  const std::vector<int> rows = WhiteRows(p, 104, 580, 77, 266);
  ASSERT_FALSE(rows.empty());
  EXPECT_GE(rows.front(), top);
  EXPECT_LT(rows.back(), top + height);
  EXPECT_EQ(CountBands(rows), 1);
  // Left-aligned at x = 125: the first white column is within a glyph's
  // side bearing of it.
  int firstColumn = -1;
  for (int x = 104; x < 580 && firstColumn < 0; ++x)
    if (p.Count(RECT{x, 77, x + 1, 266}, Whitish) > 0) firstColumn = x;
  EXPECT_GE(firstColumn, 125);
  EXPECT_LE(firstColumn, 130);
  EXPECT_GT(p.Count(kMessageArea, Whitish), 20);
}

TEST(MessageDialogPixels, LongTextWrapsWithinTheWidthAndOverflowsTheBandBothWays) {
  const MessageFont font;
  std::wstring text = L"Long";
  while (font.Height(text) <= 134) text += L" wrapped words";
  const int height = font.Height(text);
  const int top = kMessageArea.top + (130 - height) / 2;
  ASSERT_GE(top, 77) << "the test text should stay below the band";

  const Shown shown = ShowAndCapture(0x41, text, L"msgdlg_long_text");
  const ScreenPixels& p = shown.picture;
  ASSERT_FALSE(p.empty());
  const std::vector<int> rows = WhiteRows(p, 104, 580, 77, 266);
  ASSERT_FALSE(rows.empty());
  EXPECT_LT(rows.front(), kMessageArea.top);    // above y = 90
  EXPECT_GE(rows.back(), kMessageArea.bottom);  // below y = 220
  EXPECT_GE(rows.front(), top);
  EXPECT_LT(rows.back(), top + height);
  EXPECT_GE(CountBands(rows), 6);
  // Wrapped inside the 431-pixel width: nothing right of x = 556.
  EXPECT_EQ(p.Count(RECT{556, 77, 580, 266}, Whitish), 0);
}

TEST(MessageDialogPixels, LineFeedsBreakLines) {
  const std::wstring text = L"First\nSecond\nThird";
  const int height = MessageFont().Height(text);
  const Shown shown = ShowAndCapture(0x41, text, L"msgdlg_line_feeds");
  const ScreenPixels& p = shown.picture;
  ASSERT_FALSE(p.empty());
  const std::vector<int> rows = WhiteRows(p, 104, 580, 77, 266);
  EXPECT_EQ(CountBands(rows), 3);
  EXPECT_EQ(height, 3 * MessageFont().Height(L"First"));
  ASSERT_FALSE(rows.empty());
  EXPECT_GE(rows.front(), kMessageArea.top + (130 - height) / 2);
}

// The title and the labels are white too, but the body carries no white
// outside the message area, the icon and the buttons.
TEST(MessageDialogPixels, NoTextOutsideTheMessageArea) {
  const Shown shown = ShowAndCapture(0x41, L"Inside the area only", L"msgdlg_text_area");
  const ScreenPixels& p = shown.picture;
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.Count(RECT{1, 77, 580, 90}, Whitish), 0);     // above the area
  EXPECT_EQ(p.Count(RECT{1, 220, 580, 266}, Whitish), 0);   // between area and buttons
  EXPECT_EQ(p.Count(RECT{103, 77, 125, 266}, Whitish), 0);  // between icon and area
  EXPECT_EQ(p.Count(RECT{556, 77, 580, 266}, Whitish), 0);  // right of the area
  EXPECT_EQ(p.Count(RECT{1, 318, 580, 342}, Whitish), 0);   // below the buttons
  EXPECT_GT(p.Count(RECT{40, 10, 300, 67}, Whitish), 20);   // the title
}

// The longest text the system has for any error, in a failure message as
// the launcher fits it, shown by the real dialog: every white pixel of the
// message stays inside the area, where the unfitted text would run past it.
TEST(MessageDialogPixels, TheLongestSystemTextFittedStaysInsideTheArea) {
  DWORD longest = 0;
  size_t longestLength = 0;
  for (DWORD error = 1; error < 16000; ++error) {
    WCHAR text[kSystemTextChars];
    const size_t length = SystemErrorText(error, L"Quarnel_Setup1.exe", text) ? wcslen(text) : 0;
    if (length > longestLength) {
      longest = error;
      longestLength = length;
    }
  }
  ASSERT_GT(longestLength, 0u);
  // Built long enough to need shortening whatever this system's longest text.
  const CString one = FailureMessageText(IDS_MSG_SETUP_NOT_STARTED, LANGUAGE_ENGLISH, longest,
                                         L"Quarnel_Setup1.exe");
  std::wstring text(one.GetString(), one.GetLength());
  const std::wstring number = L" (" + std::to_wstring(longest) + L")";
  const std::wstring body = text.substr(text.find(L'\n') + 1, longestLength);
  while (MessageFont().Height(text) <= 2 * 130)
    text.insert(text.size() - number.size(), L" " + body);
  LOGFONTW description = {};
  description.lfHeight = expected::kTextFontHeight;
  description.lfWeight = FW_BOLD;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(description.lfFaceName, expected::kTextFaces[0]);
  const HFONT font = CreateFontIndirectW(&description);
  const CString fitted = FitToMessageArea(font, CString(text.c_str()));
  DeleteObject(font);
  const std::wstring shown(fitted.GetString(), fitted.GetLength());
  ASSERT_NE(text, shown);
  EXPECT_EQ(number, shown.substr(shown.size() - number.size()));

  std::wstring quoted;
  for (wchar_t c : shown) quoted += c == L'"' ? std::wstring(L"\\\"") : std::wstring(1, c);
  const Shown dialog = ShowAndCapture(0x10, quoted, L"msgdlg_longest_system_text");
  const ScreenPixels& p = dialog.picture;
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.Count(RECT{104, 77, 580, 90}, Whitish), 0);    // above the area
  EXPECT_EQ(p.Count(RECT{104, 220, 580, 266}, Whitish), 0);  // below it
  EXPECT_EQ(p.Count(RECT{556, 77, 580, 266}, Whitish), 0);   // right of it
  EXPECT_GE(CountBands(WhiteRows(p, 104, 580, 77, 266)), 5);
}

// A high-contrast theme (white on black, every role its own colour) and
// how it reaches a shown dialog: on from the start, or turned the other way
// while it shows and announced by `change`. The pointer rests on the right
// button or off the buttons; the left one has the focus.
struct HighContrastCase {
  const char* name;
  UINT dpi;
  bool onAtStart;
  UINT change;  // 0, WM_SETTINGCHANGE (SPI_SETHIGHCONTRAST) or WM_SYSCOLORCHANGE
  bool hoverRight;
};
const HighContrastCase kHighContrastCases[] = {
    {"on", 96, true, 0, false},
    {"on, 192 DPI, right button hovered", 192, true, 0, true},
    {"turned on, WM_SETTINGCHANGE", 96, false, WM_SETTINGCHANGE, false},
    {"turned on, WM_SYSCOLORCHANGE", 96, false, WM_SYSCOLORCHANGE, false},
    {"turned off, WM_SETTINGCHANGE", 96, true, WM_SETTINGCHANGE, false},
};

// The parts at 96 DPI, scaled by the case's whole factor.
struct Parts {
  RECT close, left, right, message, icon, title;
};
RECT Scaled(const RECT& r, int k) { return {r.left * k, r.top * k, r.right * k, r.bottom * k}; }

int CountNear(const ScreenPixels& p, const RECT& r, COLORREF colour) {
  return p.Count(r, [&](COLORREF c) { return ColoursNear(c, colour, 2); });
}
int Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }
bool Inside(const RECT& r, int x, int y) { return PtInRect(&r, POINT{x, y}) != FALSE; }

// Every pixel outside the parts is the window's colour, but the frame and
// the band's line, which are the text's: no artwork anywhere.
void ExpectSurface(const ScreenPixels& p, const Parts& parts, int k) {
  const ColourScheme& s = kWhiteOnBlack;
  int wrong = 0;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      bool part = false;
      for (const RECT& r :
           {parts.close, parts.left, parts.right, parts.message, parts.icon, parts.title})
        part = part || Inside(r, x, y);
      if (part) continue;
      const bool ink =
          x < k || y < k || x >= p.width - k || y >= p.height - k || (y >= 76 * k && y < 77 * k);
      if (!ColoursNear(p.At(x, y), ink ? s.windowText : s.window, 2)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0) << "pixels of the surface in neither the window's nor the text's colour";
}

// A text button: a solid face in `face` with a border of the text's colour
// and its label in `label`, and nothing of `other` (the unhighlighted or
// highlighted face).
void ExpectButton(const ScreenPixels& p, const RECT& r, int k, COLORREF face, COLORREF label,
                  COLORREF other) {
  const ColourScheme& s = kWhiteOnBlack;
  RECT inner = r;
  InflateRect(&inner, -k, -k);
  EXPECT_EQ(CountNear(p, r, s.windowText), Area(r) - Area(inner)) << "the border";
  EXPECT_GT(CountNear(p, inner, face), Area(inner) * 7 / 10) << "the face";
  EXPECT_GT(CountNear(p, inner, label), 20 * k * k) << "the label";
  EXPECT_EQ(CountNear(p, r, other), 0);
}

void ExpectHighContrast(const ScreenPixels& p, const Parts& parts, int k, bool hoverRight) {
  const ColourScheme& s = kWhiteOnBlack;
  ExpectSurface(p, parts, k);
  EXPECT_GT(CountNear(p, parts.title, s.windowText), 20 * k * k) << "the title";
  EXPECT_GT(CountNear(p, parts.message, s.windowText), 20 * k * k) << "the message";
  ExpectButton(p, parts.left, k, s.highlight, s.highlightText, s.buttonFace);
  if (hoverRight) {
    ExpectButton(p, parts.right, k, s.highlight, s.highlightText, s.buttonFace);
  } else {
    ExpectButton(p, parts.right, k, s.buttonFace, s.buttonText, s.highlight);
  }
  const int cross = CountNear(p, parts.close, s.windowText);
  EXPECT_GT(cross, 40 * k * k) << "the close cross";
  EXPECT_EQ(cross + CountNear(p, parts.close, s.window), Area(parts.close));
  EXPECT_GT(CountNear(p, parts.icon, RGB(0x00, 0x78, 0xD7)), 300 * k * k) << "the icon stays";
}

// The artwork back: the body's colour, the focused button's glow, and
// nothing in the theme's highlight.
void ExpectArtwork(const ScreenPixels& p, const Parts& parts) {
  EXPECT_GT(CountNear(p, {1, 77, 125, 266}, kBody), 10000);
  auto glow = [](COLORREF c) { return ColoursNear(c, RGB(0x00, 0xFF, 0xEA), 8); };
  EXPECT_GT(p.Count(parts.left, glow), 100);
  EXPECT_EQ(CountNear(p, {0, 0, p.width, p.height}, kWhiteOnBlack.highlight), 0);
}

TEST(MessageDialogPixels, HighContrastDrawsTheLayoutInTheThemesColoursAlone) {
  for (const HighContrastCase& c : kHighContrastCases) {
    SCOPED_TRACE(c.name);
    const int k = static_cast<int>(c.dpi / 96);
    const DisplayDpiValue dpi(c.dpi);
    const ServiceLanguageValue service(0);
    HighContrastTheme theme(kWhiteOnBlack, c.onAtStart);
    MsgDlgHost host(L"--style 0x41 --language 0 --message \"High contrast\"");
    const HWND dialog = host.WaitForDialog();
    ASSERT_TRUE(dialog);
    ASSERT_EQ(host.Value(0, "high_contrast_probe"), L"1");
    if (c.change) {
      theme.Turn(!c.onAtStart);
      SendMessageW(dialog, c.change, c.change == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
    }
    Parts parts = {Scaled({525, 20, 561, 56}, k),
                   Scaled({155, 266, 278, 318}, k),
                   Scaled({303, 266, 426, 318}, k),
                   Scaled(kMessageArea, k),
                   Scaled(kIconRect, k),
                   ReadChild(dialog, IDC_MSG_TITLE).rect};
    for (const auto& control : {std::make_pair(IDC_MSG_CLOSE, parts.close),
                                {IDOK, parts.left},
                                {IDCANCEL, parts.right},
                                {IDC_MSG_TEXT, parts.message}}) {
      const RECT r = ReadChild(dialog, control.first).rect;
      EXPECT_TRUE(EqualRect(&r, &control.second)) << "the layout of control " << control.first;
    }
    MoveMouseTo(dialog, c.hoverRight ? (parts.right.left + parts.right.right) / 2 : 10 * k,
                c.hoverRight ? (parts.right.top + parts.right.bottom) / 2 : 200 * k);
    Settle(dialog);
    const ScreenPixels p = CaptureWindow(dialog);
    SavePng(p, std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\msgdlg_high_contrast_" +
                   std::to_wstring(&c - kHighContrastCases) + L".png");
    ASSERT_EQ(p.width, expected::kDialogWidth * k);
    if (c.onAtStart != (c.change != 0)) {
      ExpectHighContrast(p, parts, k, c.hoverRight);
    } else {
      ExpectArtwork(p, parts);
    }
    ClickAt(dialog, (parts.close.left + parts.close.right) / 2,
            (parts.close.top + parts.close.bottom) / 2);
    EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL));
  }
}

}  // namespace
