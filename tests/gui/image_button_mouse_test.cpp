// The image button under real mouse input on the test display: hover and
// capture as the pointer comes and goes, a window lying over the button,
// losing the capture, and a press; each checked on the button's state and
// on the screen's pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include "res/resource.h"
#include "support/image_button_access.h"
#include "support/image_button_host.h"
#include "support/mouse_input.h"
#include "tools/harness/pixel_canvas.h"
#include "ui/gdiplus_api.h"
#include "ui/image_button.h"

namespace {

using ButtonAccess = CImageButtonTestAccess;

constexpr COLORREF kBody = RGB(0x19, 0x19, 0x19);
constexpr COLORREF kHoverFill = RGB(0x67, 0x9B, 0xBE);
constexpr COLORREF kPressedFill = RGB(0x01, 0x60, 0xC1);
constexpr DWORD kWaitMs = 3000;
constexpr int kHostX = 100;
constexpr int kHostY = 100;
constexpr int kButtonX = 20;  // in the host
constexpr int kButtonY = 20;
constexpr UINT kButtonId = 1;

// A host window that counts the clicks its buttons report.
class ClickCountingWnd : public CWnd {
 public:
  void OnOk() { ++m_nClicks; }
  int m_nClicks = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ClickCountingWnd, CWnd)
  ON_BN_CLICKED(kButtonId, OnOk)
END_MESSAGE_MAP()

class ImageButtonMouseTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartGdiplus());
    ASSERT_TRUE(MoveMouseToScreen(5, 5));
    PumpUntil([] { return false; }, 100);
    ASSERT_TRUE(m_host.AddKind(m_button, kPushButtonKind, kBody, kButtonX, kButtonY, kButtonId));
    PumpUntil([] { return false; }, 100);
  }
  void TearDown() override {
    LeftButton(false);
    MoveMouseToScreen(5, 5);
    PumpUntil([] { return false; }, 50);
  }

  // A point of the button, in screen coordinates.
  static POINT OnButton(int x, int y) { return {kHostX + kButtonX + x, kHostY + kButtonY + y}; }
  void MoveTo(POINT p) { ASSERT_TRUE(MoveMouseToScreen(p.x, p.y)); }
  bool WaitHover(bool hover) {
    return PumpUntil([&] { return (ButtonAccess::Hover(m_button) != FALSE) == hover; }, kWaitMs);
  }
  // The button's fill as the screen shows it (left of the caption).
  COLORREF FillOnScreen() {
    const POINT p = OnButton(20, 26);
    return ScreenColourAt(p.x, p.y);
  }
  bool WaitFill(COLORREF colour) {
    return PumpUntil([&] { return FillOnScreen() == colour; }, kWaitMs);
  }

  ButtonHost m_host{kHostX, kHostY, 300, 120};
  CountingImageButton m_button;
};

TEST_F(ImageButtonMouseTest, HoverComesWithThePointerAndGoesWithIt) {
  ASSERT_TRUE(WaitFill(kBody)) << ColourName(FillOnScreen());
  EXPECT_FALSE(ButtonAccess::Hover(m_button));

  MoveTo(OnButton(60, 30));
  ASSERT_TRUE(WaitHover(true));
  EXPECT_EQ(m_button.m_hWnd, GetCapture());
  EXPECT_TRUE(WaitFill(kHoverFill)) << ColourName(FillOnScreen());

  const int paints = m_button.m_nPaints;
  MoveTo(OnButton(70, 33));
  EXPECT_TRUE(PumpUntil([&] { return m_button.m_nPaints > paints; }, kWaitMs))
      << "every move inside repaints";

  MoveTo(OnButton(200, 30));  // right of the button, still over the host
  ASSERT_TRUE(WaitHover(false));
  EXPECT_NE(m_button.m_hWnd, GetCapture());
  EXPECT_TRUE(WaitFill(kBody)) << ColourName(FillOnScreen());

  MoveTo(OnButton(5, 5));
  EXPECT_TRUE(WaitHover(true)) << "back inside, the hover returns";
}

TEST_F(ImageButtonMouseTest, WindowOverTheButtonEndsTheHover) {
  const POINT corner = OnButton(80, 0);
  ButtonHost cover(corner.x, corner.y - 10, 100, 80);  // over the button's right part
  PumpUntil([] { return false; }, 200);

  MoveTo(OnButton(30, 30));
  ASSERT_TRUE(WaitHover(true));
  ASSERT_EQ(m_button.m_hWnd, GetCapture());

  // Still inside the button's rectangle, but the cover is what is seen there.
  MoveTo(OnButton(100, 30));
  ASSERT_TRUE(WaitHover(false));
  EXPECT_NE(m_button.m_hWnd, GetCapture());
  EXPECT_TRUE(WaitFill(kBody)) << ColourName(FillOnScreen());
}

TEST_F(ImageButtonMouseTest, LosingTheCaptureEndsTheHoverUntilTheNextMove) {
  MoveTo(OnButton(40, 30));
  ASSERT_TRUE(WaitHover(true));
  ASSERT_TRUE(WaitFill(kHoverFill));

  SetCapture(m_host.Window());
  EXPECT_FALSE(ButtonAccess::Hover(m_button));
  EXPECT_TRUE(WaitFill(kBody)) << ColourName(FillOnScreen());
  ReleaseCapture();

  MoveTo(OnButton(45, 31));
  EXPECT_TRUE(WaitHover(true));
  EXPECT_TRUE(WaitFill(kHoverFill)) << ColourName(FillOnScreen());
}

TEST_F(ImageButtonMouseTest, PressShowsThePressedFrameAndClicks) {
  ClickCountingWnd parent;
  // Route the host's messages through a map that counts clicks.
  HWND hostWindow = m_host.Window();
  m_host.Wnd().UnsubclassWindow();
  ASSERT_TRUE(parent.SubclassWindow(hostWindow));

  MoveTo(OnButton(40, 30));
  ASSERT_TRUE(WaitHover(true));
  ASSERT_TRUE(LeftButton(true));
  EXPECT_TRUE(WaitFill(kPressedFill)) << ColourName(FillOnScreen());
  ASSERT_TRUE(LeftButton(false));
  EXPECT_TRUE(PumpUntil([&] { return parent.m_nClicks == 1; }, kWaitMs));
  // Letting go released the capture (ending the hover); the move that the
  // platform makes up after a capture change finds the pointer still there.
  EXPECT_TRUE(WaitFill(kHoverFill)) << ColourName(FillOnScreen());
  EXPECT_TRUE(ButtonAccess::Hover(m_button));

  parent.UnsubclassWindow();
  m_host.Wnd().SubclassWindow(hostWindow);
}

}  // namespace
