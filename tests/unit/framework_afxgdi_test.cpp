// Fonts, device contexts, points and rectangles: ownership of GDI handles
// and what reaches the pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include "afxwin.h"
#include "support/font_description.h"

namespace {

bool IsLiveGdiObject(HGDIOBJ object) { return GetObjectType(object) != 0; }

LOGFONTW Description(LONG height, const wchar_t* face) {
  LOGFONTW lf = {};
  lf.lfHeight = height;
  lf.lfWeight = FW_BOLD;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return lf;
}

TEST(FrameworkFont, CreateReadBackReplaceAndDelete) {
  CFont font;
  LOGFONTW read = {};
  EXPECT_FALSE(ReadLogFont(font, &read)) << "no font yet";
  EXPECT_FALSE(font.DeleteObject());

  const LOGFONTW first = Description(-15, L"Tahoma");
  ASSERT_TRUE(font.CreateFontIndirect(&first));
  HGDIOBJ firstHandle = font.m_hObject;
  ASSERT_TRUE(ReadLogFont(font, &read));
  EXPECT_EQ(-15, read.lfHeight);
  EXPECT_EQ(FW_BOLD, read.lfWeight);
  EXPECT_STREQ(L"Tahoma", read.lfFaceName);

  const LOGFONTW second = Description(-20, L"Arial");
  ASSERT_TRUE(font.CreateFontIndirect(&second));
  EXPECT_FALSE(IsLiveGdiObject(firstHandle)) << "the replaced font is deleted";
  ASSERT_TRUE(ReadLogFont(font, &read));
  EXPECT_EQ(-20, read.lfHeight);

  HGDIOBJ secondHandle = font.m_hObject;
  EXPECT_TRUE(font.DeleteObject());
  EXPECT_FALSE(IsLiveGdiObject(secondHandle));
  EXPECT_EQ(nullptr, font.m_hObject);
  EXPECT_FALSE(font.DeleteObject());
}

TEST(FrameworkFont, DestructorDeletesTheFont) {
  HGDIOBJ handle = nullptr;
  {
    CFont font;
    const LOGFONTW lf = Description(-12, L"Tahoma");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    handle = font.m_hObject;
    EXPECT_TRUE(IsLiveGdiObject(handle));
  }
  EXPECT_FALSE(IsLiveGdiObject(handle));
}

// A 32-bit memory DC of 40 x 20 pixels whose bits the test can read.
class MemoryCanvas {
 public:
  MemoryCanvas() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_.CreateCompatibleDC(nullptr);
    bitmap_ =
        CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    previous_ = dc_.SelectObject(bitmap_);
  }
  ~MemoryCanvas() {
    dc_.SelectObject(previous_);
    DeleteObject(bitmap_);
  }
  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    const DWORD v = bits_[y * kWidth + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  static constexpr int kWidth = 40;
  static constexpr int kHeight = 20;
  CDC dc_;

 private:
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  DWORD* bits_ = nullptr;
};

TEST(FrameworkDC, FillSolidRectPaintsExactlyItsRectangle) {
  MemoryCanvas canvas;
  ASSERT_NE(nullptr, canvas.dc_.GetSafeHdc());
  SetBkColor(canvas.dc_, RGB(9, 9, 9));
  canvas.dc_.FillSolidRect(0, 0, MemoryCanvas::kWidth, MemoryCanvas::kHeight, RGB(0, 0, 0));
  canvas.dc_.FillSolidRect(5, 5, 10, 5, RGB(25, 25, 25));
  const struct {
    int x, y;
    COLORREF color;
  } cases[] = {{5, 5, RGB(25, 25, 25)}, {14, 9, RGB(25, 25, 25)}, {15, 9, RGB(0, 0, 0)},
               {14, 10, RGB(0, 0, 0)},  {4, 5, RGB(0, 0, 0)},     {0, 0, RGB(0, 0, 0)}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.color, canvas.Pixel(c.x, c.y)) << c.x << "," << c.y;
  }
  EXPECT_EQ(RGB(9, 9, 9), GetBkColor(canvas.dc_)) << "the background colour is left alone";
}

TEST(FrameworkDC, BitBltCopiesBetweenWrappedDCs) {
  MemoryCanvas source;
  MemoryCanvas target;
  source.dc_.FillSolidRect(0, 0, 40, 20, RGB(200, 10, 10));
  target.dc_.FillSolidRect(0, 0, 40, 20, RGB(0, 0, 0));
  EXPECT_TRUE(target.dc_.BitBlt(10, 5, 5, 5, &source.dc_, 0, 0, SRCCOPY));
  EXPECT_EQ(RGB(200, 10, 10), target.Pixel(10, 5));
  EXPECT_EQ(RGB(200, 10, 10), target.Pixel(14, 9));
  EXPECT_EQ(RGB(0, 0, 0), target.Pixel(15, 9));
}

TEST(FrameworkDC, SelectAndTextAttributesReturnThePrevious) {
  MemoryCanvas canvas;
  CFont font;
  const LOGFONTW lf = Description(-14, L"Tahoma");
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  const HGDIOBJ original = GetCurrentObject(canvas.dc_, OBJ_FONT);
  EXPECT_EQ(original, canvas.dc_.SelectObject(font.m_hObject));
  EXPECT_EQ(font.m_hObject, GetCurrentObject(canvas.dc_, OBJ_FONT));
  EXPECT_EQ(font.m_hObject, canvas.dc_.SelectObject(original));
  EXPECT_EQ(nullptr, canvas.dc_.SelectObject(nullptr));

  canvas.dc_.SetBkMode(OPAQUE);
  EXPECT_EQ(OPAQUE, canvas.dc_.SetBkMode(TRANSPARENT));
  canvas.dc_.SetTextColor(RGB(1, 2, 3));
  EXPECT_EQ(RGB(1, 2, 3), canvas.dc_.SetTextColor(RGB(255, 255, 255)));
}

TEST(FrameworkDC, DrawTextMeasuresAndDraws) {
  MemoryCanvas canvas;
  canvas.dc_.FillSolidRect(0, 0, 40, 20, RGB(0, 0, 0));
  canvas.dc_.SetBkMode(TRANSPARENT);
  canvas.dc_.SetTextColor(RGB(255, 255, 255));
  CRect measured(0, 0, 40, 1);
  const CString text(L"WW");
  const int height = canvas.dc_.DrawText(text, measured, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_GT(height, 0);
  EXPECT_EQ(height, measured.Height()) << "DT_CALCRECT moves the bottom";

  CRect area(0, 0, 40, 20);
  canvas.dc_.DrawText(text, area, DT_LEFT | DT_TOP);
  int lit = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) lit += canvas.Pixel(x, y) != RGB(0, 0, 0);
  EXPECT_GT(lit, 0) << "the text reached the pixels";
}

TEST(FrameworkDC, OwnsOnlyTheDCItCreated) {
  HDC created = nullptr;
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    created = dc.GetSafeHdc();
  }
  EXPECT_FALSE(IsLiveGdiObject(created)) << "a created DC is deleted with its object";

  HDC screen = GetDC(nullptr);
  {
    CDC borrowed(screen);
    EXPECT_EQ(screen, static_cast<HDC>(borrowed));
  }
  EXPECT_TRUE(IsLiveGdiObject(screen)) << "a borrowed DC is left to its owner";
  ReleaseDC(nullptr, screen);
}

TEST(FrameworkGeometry, PointsFromMessagesAndRectangles) {
  const struct {
    LPARAM lParam;
    LONG x, y;
  } points[] = {{MAKELPARAM(10, 20), 10, 20},
                {MAKELPARAM(-5, -1), -5, -1},
                {MAKELPARAM(0x7FFF, 0x8000), 32767, -32768}};
  for (const auto& p : points) {
    const CPoint point = AfxPointFromLParam(p.lParam);
    EXPECT_EQ(p.x, point.x);
    EXPECT_EQ(p.y, point.y);
  }
  const CRect rect(10, 20, 30, 25);
  EXPECT_EQ(20, rect.Width());
  EXPECT_EQ(5, rect.Height());
  EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
  EXPECT_TRUE(rect.PtInRect(CPoint(29, 24)));
  EXPECT_FALSE(rect.PtInRect(CPoint(30, 24))) << "right edge is outside";
  EXPECT_FALSE(rect.PtInRect(CPoint(29, 25))) << "bottom edge is outside";
  EXPECT_TRUE(IsRectEmpty(CRect())) << "a default rectangle is empty";
}

}  // namespace
