// The image button painted into memory DCs in every state, on both of the
// launcher's background colours, compared with the sprite frames decoded
// on their own; its sprite's life cycle; and its message handling.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "res/resource.h"
#include "run_paths.h"
#include "support/image_button_access.h"
#include "support/image_button_host.h"
#include "support/image_test_ids.h"
#include "support/watching_stream.h"
#include "tools/harness/gdi_object_count.h"
#include "tools/harness/pixel_canvas.h"
#include "tools/harness/screen_pixels.h"
#include "ui/gdiplus_api.h"
#include "ui/image_button.h"
#include "ui/resource_image.h"

namespace {

using ButtonAccess = CImageButtonTestAccess;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBody = RGB(0x19, 0x19, 0x19);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kUntouched = RGB(0x12, 0x34, 0x56);

// Where the caption "OK" may draw on a push button; everything outside it
// is frame (and focus rectangle).
constexpr RECT kCaptionBox = {30, 10, 93, 42};

class ImageButtonTest : public testing::Test {
 protected:
  // One host window for the whole suite: under Wine without a window
  // manager, destroying a top-level window waits two seconds for it.
  static void SetUpTestSuite() {
    ASSERT_TRUE(StartGdiplus());
    s_host = new ButtonHost(40, 40, 400, 200);
  }
  static void TearDownTestSuite() {
    delete s_host;
    s_host = nullptr;
  }
  // Buttons a test left on the host go with the test.
  void TearDown() override { s_host->DestroyChildren(); }
  static ButtonHost* s_host;
  ButtonHost& m_host = *s_host;
};
ButtonHost* ImageButtonTest::s_host = nullptr;

// The button's state as its owner sets it before a paint.
struct State {
  const char* name;
  bool hover;
  bool pressed;
  bool disabled;
  bool focus;
  int closeFrame;    // close button: frame by state alone, focus rectangle when focused
  int pushFrame;     // caption button: the focus picks frame 3 unless hovered or pressed
  bool highlighted;  // the system look: hovered, pressed or focused, and enabled
};

const State kStates[] = {
    {"normal", false, false, false, false, 0, 0, false},
    {"hover", true, false, false, false, 1, 1, true},
    {"pressed", false, true, false, false, 2, 2, true},
    {"pressed and hovered", true, true, false, false, 2, 2, true},
    {"focused", false, false, false, true, 0, 3, true},
    {"focused and hovered", true, false, false, true, 1, 1, true},
    {"focused and pressed", false, true, false, true, 2, 2, true},
    {"disabled", false, false, true, false, 4, 4, false},
    {"disabled and hovered", true, false, true, false, 4, 4, false},
};

void Apply(CImageButton& button, const State& state) {
  ButtonAccess::SetHover(button, state.hover);
  button.SendMessage(BM_SETSTATE, state.pressed);
  button.EnableWindow(!state.disabled);
}

void PaintState(CImageButton& button, const State& state, PixelCanvas& canvas) {
  Apply(button, state);
  PaintInto(button, canvas, state.focus ? ODS_FOCUS : 0);
  Apply(button, kStates[0]);
}

// Frame `index` of a sprite decoded on its own and composed on `background`.
std::unique_ptr<PixelCanvas> ReferenceFrame(const ButtonKind& kind, int index,
                                            COLORREF background) {
  auto canvas = std::make_unique<PixelCanvas>(kind.frameWidth, kind.frameHeight, background);
  ResourceImage image;
  EXPECT_TRUE(image.Load(kind.spriteId));
  gdiplus_flat::GpGraphics* graphics = nullptr;
  g_gdiplusApi.GdipCreateFromHDC(canvas->Dc(), &graphics);
  EXPECT_EQ(gdiplus_flat::Ok,
            g_gdiplusApi.GdipDrawImagePointRectI(graphics, image.m_pBitmap->GetNativeImage(), 0, 0,
                                                 kind.frameWidth * index, 0, kind.frameWidth,
                                                 kind.frameHeight, gdiplus_flat::UnitPixel));
  g_gdiplusApi.GdipDeleteGraphics(graphics);
  return canvas;
}

bool InCaptionBox(const ButtonKind& kind, int x, int y) {
  return kind.captionButton && x >= kCaptionBox.left && x < kCaptionBox.right &&
         y >= kCaptionBox.top && y < kCaptionBox.bottom;
}

// Pixels outside the caption box that differ from `reference`, and how many
// of those lie off the outermost ring (where a focus rectangle draws).
struct Difference {
  int total = 0;
  int offRing = 0;
};

Difference Compare(const ButtonKind& kind, const PixelCanvas& painted,
                   const PixelCanvas& reference) {
  Difference d;
  const int w = painted.Width();
  const int h = painted.Height();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (InCaptionBox(kind, x, y) || painted.At(x, y) == reference.At(x, y)) continue;
      ++d.total;
      if (x != 0 && y != 0 && x != w - 1 && y != h - 1) ++d.offRing;
    }
  }
  return d;
}

int CountColour(const PixelCanvas& canvas, const RECT& box, COLORREF colour) {
  int count = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (canvas.At(x, y) == colour) ++count;
  return count;
}

// Colours of fixed pixels of each frame, independent of the reference.
struct FrameSample {
  int x;
  int y;
  COLORREF colour[5];
};
const FrameSample kPushSamples[] = {
    {20, 26, {kBody, RGB(0x67, 0x9B, 0xBE), RGB(0x01, 0x60, 0xC1), kBlack, kBody}},
    {1, 26, {kWhite, kWhite, kWhite, RGB(0x00, 0xFF, 0xEA), RGB(0x50, 0x54, 0x51)}},
};
const FrameSample kCloseSamples[] = {
    {17, 17, {kWhite, RGB(0xFF, 0x7F, 0x7F), RGB(0xFF, 0, 0), kWhite, RGB(0x50, 0x54, 0x51)}},
};

void ExpectSamples(const ButtonKind& kind, const PixelCanvas& painted, int frame) {
  const bool push = kind.captionButton;
  const FrameSample* samples = push ? kPushSamples : kCloseSamples;
  const int count = push ? 2 : 1;
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(ColourName(samples[i].colour[frame]),
              ColourName(painted.At(samples[i].x, samples[i].y)))
        << "pixel " << samples[i].x << "," << samples[i].y << " of frame " << frame;
  }
}

TEST_F(ImageButtonTest, EveryStateShowsItsFrameOnBothBackgrounds) {
  for (const ButtonKind* kind : {&kCloseButtonKind, &kPushButtonKind}) {
    for (COLORREF background : {kBlack, kBody}) {
      CImageButton button;
      ASSERT_TRUE(m_host.AddKind(button, *kind, background, 10, 10, 100));
      for (const State& state : kStates) {
        SCOPED_TRACE(std::string(kind->name) + " on " + ColourName(background) + ", " + state.name);
        PixelCanvas painted(kind->frameWidth, kind->frameHeight, kUntouched);
        PaintState(button, state, painted);
        const int frame = kind->captionButton ? state.pushFrame : state.closeFrame;
        const bool focusRect = state.focus && !kind->captionButton;
        ExpectSamples(*kind, painted, frame);
        if (!focusRect) {
          EXPECT_EQ(ColourName(background), ColourName(painted.At(0, 0))) << "transparent corner";
        }
        const Difference d = Compare(*kind, painted, *ReferenceFrame(*kind, frame, background));
        EXPECT_EQ(0, d.offRing) << "the frame itself matches the sprite";
        if (focusRect) {
          EXPECT_GT(d.total, kind->frameWidth) << "a focus rectangle around the button";
        } else {
          EXPECT_EQ(0, d.total) << "no focus rectangle";
        }
      }
      DestroyWindow(button.m_hWnd);
    }
  }
}

TEST_F(ImageButtonTest, CaptionIsWhiteAndGreyWhenDisabled) {
  CImageButton button;
  ASSERT_TRUE(m_host.AddKind(button, kPushButtonKind, kBody, 10, 10, 100));
  for (const State& state : kStates) {
    SCOPED_TRACE(state.name);
    PixelCanvas painted(123, 52, kUntouched);
    PaintState(button, state, painted);
    const int white = CountColour(painted, kCaptionBox, kWhite);
    const int grey = CountColour(painted, kCaptionBox, kGrey);
    if (state.disabled) {
      EXPECT_GT(grey, 20);
      EXPECT_EQ(0, white);
    } else {
      EXPECT_GT(white, 20);
      EXPECT_EQ(0, grey);
    }
  }
}

// High contrast: the system's colours in every state, no sprite pixel. A
// face in the button face's colour inside a border of the text's, or the
// close cross on the window's colour; both in the highlight's colours when
// highlighted, and the ink grey when disabled.
TEST_F(ImageButtonTest, SystemLookDrawsEveryStateInTheSystemColours) {
  for (const ButtonKind* kind : {&kCloseButtonKind, &kPushButtonKind}) {
    const bool cross = !kind->captionButton;
    CImageButton button;
    ASSERT_TRUE(m_host.AddKind(button, *kind, kBody, 10, 10, 100));
    button.m_nSystemLook = cross ? SYSTEM_LOOK_CROSS : SYSTEM_LOOK_FACE;
    button.m_nSystemLineWidth = 2;
    for (const State& state : kStates) {
      SCOPED_TRACE(std::string(kind->name) + ", " + state.name);
      PixelCanvas painted(kind->frameWidth, kind->frameHeight, kUntouched);
      PaintState(button, state, painted);
      const int rest = cross ? COLOR_WINDOW : COLOR_BTNFACE;
      const std::string face = ColourName(GetSysColor(state.highlighted ? COLOR_HIGHLIGHT : rest));
      const int ink = state.disabled      ? COLOR_GRAYTEXT
                      : state.highlighted ? COLOR_HIGHLIGHTTEXT
                      : cross             ? COLOR_WINDOWTEXT
                                          : COLOR_BTNTEXT;
      if (cross) {
        EXPECT_EQ(face, ColourName(painted.At(1, 1)));
        for (const POINT& on : {POINT{7, 7}, POINT{17, 17}, POINT{27, 7}, POINT{7, 27}})
          EXPECT_EQ(ColourName(GetSysColor(ink)), ColourName(painted.At(on.x, on.y))) << on.x;
        continue;
      }
      const std::string border = ColourName(GetSysColor(COLOR_WINDOWTEXT));
      EXPECT_EQ(border, ColourName(painted.At(0, 26)));
      EXPECT_EQ(border, ColourName(painted.At(1, 26)));
      EXPECT_EQ(border, ColourName(painted.At(60, 51)));
      EXPECT_EQ(face, ColourName(painted.At(2, 26)));
      EXPECT_EQ(face, ColourName(painted.At(20, 26)));
      EXPECT_GT(CountColour(painted, kCaptionBox, GetSysColor(ink)), 20) << "the caption";
    }
    DestroyWindow(button.m_hWnd);
  }
}

TEST_F(ImageButtonTest, CaptionUsesTheWindowFont) {
  CImageButton button;
  ASSERT_TRUE(m_host.AddKind(button, kPushButtonKind, kBody, 10, 10, 100));
  PixelCanvas bold(123, 52, kUntouched);
  PaintInto(button, bold, 0);
  HFONT tiny =
      CreateFontW(-8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
  SendMessageW(button.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(tiny), FALSE);
  PixelCanvas small(123, 52, kUntouched);
  PaintInto(button, small, 0);
  EXPECT_GT(CountColour(bold, kCaptionBox, kWhite), CountColour(small, kCaptionBox, kWhite) + 10);
  DestroyWindow(button.m_hWnd);
  DeleteObject(tiny);
  // The caller's DC gets its own font back.
  EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(small.Dc(), OBJ_FONT));
}

TEST_F(ImageButtonTest, FocusRectangleOnlyWhenNoCaptionShowsTheFocus) {
  struct Case {
    const char* name;
    BOOL captionButton;
    const wchar_t* text;
    bool focusRect;
  };
  const Case cases[] = {
      {"caption button with text", TRUE, L"OK", false},
      {"caption button without text", TRUE, L"", true},
      {"plain button with text", FALSE, L"OK", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CImageButton button;
    ASSERT_TRUE(m_host.AddKind(button, kPushButtonKind, kBody, 10, 10, 100));
    button.m_bCaptionButton = c.captionButton;
    SetWindowTextW(button.m_hWnd, c.text);
    PixelCanvas painted(123, 52, kUntouched);
    PaintInto(button, painted, ODS_FOCUS);
    const int frame = c.captionButton ? 3 : 0;
    const Difference d =
        Compare(kPushButtonKind, painted, *ReferenceFrame(kPushButtonKind, frame, kBody));
    EXPECT_EQ(0, d.offRing);
    EXPECT_EQ(c.focusRect, d.total > 0);
    DestroyWindow(button.m_hWnd);
  }
}

TEST_F(ImageButtonTest, WithoutOffscreenCompositionTransparentPixelsKeepWhatIsThere) {
  CImageButton button;
  ASSERT_TRUE(m_host.AddKind(button, kCloseButtonKind, kBlack, 10, 10, 100));
  button.m_bMemoryDraw = FALSE;
  PixelCanvas painted(36, 36, kUntouched);
  PaintInto(button, painted, 0);
  EXPECT_EQ(ColourName(kUntouched), ColourName(painted.At(0, 0)));
  EXPECT_EQ(ColourName(kWhite), ColourName(painted.At(17, 17)));
  EXPECT_EQ(
      0,
      Compare(kCloseButtonKind, painted, *ReferenceFrame(kCloseButtonKind, 0, kUntouched)).total);
}

// A button without a sprite: no frame, nothing filled, only caption and
// focus rectangle.
TEST_F(ImageButtonTest, WithoutSpriteOnlyCaptionAndFocusRectangle) {
  struct Case {
    const char* name;
    WORD sprite;  // 0: LoadSprite never called
    BOOL captionButton;
    UINT itemState;
  };
  const Case cases[] = {
      {"never loaded, caption", 0, TRUE, 0},
      {"never loaded, caption, focused", 0, TRUE, ODS_FOCUS},
      {"missing sprite, caption", IDR_TEST_MISSING, TRUE, 0},
      {"missing sprite, plain, focused", IDR_TEST_MISSING, FALSE, ODS_FOCUS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CImageButton button;
    ASSERT_TRUE(m_host.AddButton(button, L"OK", 10, 10, 123, 52, 100));
    button.m_bMemoryDraw = TRUE;
    button.m_crBackground = kBody;
    button.m_bCaptionButton = c.captionButton;
    if (c.sprite) {
      EXPECT_FALSE(button.LoadSprite(c.sprite, 36, 36));
    }
    EXPECT_EQ(0, ButtonAccess::FrameCount(button));
    EXPECT_EQ(nullptr, ButtonAccess::Bitmap(button));
    EXPECT_EQ(nullptr, ButtonAccess::Stream(button));
    RECT rect;
    GetClientRect(button.m_hWnd, &rect);
    EXPECT_EQ(123, rect.right) << "the window keeps its size";
    EXPECT_EQ(52, rect.bottom);
    PixelCanvas painted(123, 52, kUntouched);
    PaintInto(button, painted, c.itemState);
    const Difference d = Compare(kPushButtonKind, painted, PixelCanvas(123, 52, kUntouched));
    EXPECT_EQ(0, d.offRing) << "no frame, no fill";
    const bool focusRect = (c.itemState & ODS_FOCUS) && !c.captionButton;
    EXPECT_EQ(focusRect, d.total > 0);
    EXPECT_EQ(c.captionButton, CountColour(painted, kCaptionBox, kWhite) > 20);
    DestroyWindow(button.m_hWnd);
  }
}

TEST_F(ImageButtonTest, UndecodableSpriteCountsAsLoadedAndDrawsNoFrame) {
  CImageButton button;
  ASSERT_TRUE(m_host.AddButton(button, L"", 10, 10, 20, 20, 100));
  button.m_bMemoryDraw = TRUE;
  button.m_crBackground = kBody;
  EXPECT_TRUE(button.LoadSprite(IDR_TEST_NOT_AN_IMAGE, 36, 36));
  EXPECT_EQ(5, ButtonAccess::FrameCount(button));
  ASSERT_NE(nullptr, ButtonAccess::Bitmap(button));
  EXPECT_EQ(nullptr, ButtonAccess::Bitmap(button)->GetNativeImage());
  PixelCanvas painted(36, 36, kUntouched);
  PaintInto(button, painted, 0);
  EXPECT_TRUE(painted.AllOf(0, 0, 36, 36, kBody)) << "the background only";
  DestroyWindow(button.m_hWnd);
}

TEST_F(ImageButtonTest, LoadSpriteSizesTheWindowToOneFrameWithoutMovingIt) {
  CImageButton button;
  ASSERT_TRUE(m_host.AddButton(button, L"", 7, 9, 10, 10, 100));
  ASSERT_TRUE(button.LoadSprite(IDR_PNG_BUTTON, 123, 52));
  RECT rect;
  GetWindowRect(button.m_hWnd, &rect);
  MapWindowPoints(nullptr, m_host.Window(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(7, rect.left);
  EXPECT_EQ(9, rect.top);
  EXPECT_EQ(123, rect.right - rect.left);
  EXPECT_EQ(52, rect.bottom - rect.top);
  EXPECT_EQ(5, ButtonAccess::FrameCount(button));
  EXPECT_EQ(123, ButtonAccess::FrameWidth(button));
  EXPECT_EQ(52, ButtonAccess::FrameHeight(button));
  // The frame size is taken as given, not from the decoded image.
  ASSERT_TRUE(button.LoadSprite(IDR_PNG_BUTTON, 40, 30));
  GetClientRect(button.m_hWnd, &rect);
  EXPECT_EQ(40, rect.right);
  EXPECT_EQ(30, rect.bottom);
  DestroyWindow(button.m_hWnd);
}

// How the sprite's bitmap and stream leave the button: on a new LoadSprite,
// on WM_DESTROY and on destruction, bitmap first, and before anything new.
TEST_F(ImageButtonTest, SpriteIsReleasedBitmapFirst) {
  enum Way { kReload, kReloadMissing, kDestroyWindow, kDeleteObject };
  const struct {
    const char* name;
    Way way;
  } cases[] = {{"reload", kReload},
               {"reload a missing id", kReloadMissing},
               {"window destroyed", kDestroyWindow},
               {"object deleted", kDeleteObject}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto button = std::make_unique<CImageButton>();
    ASSERT_TRUE(m_host.AddKind(*button, kCloseButtonKind, kBlack, 10, 10, 100));
    IStream* original = ButtonAccess::Stream(*button);
    WatchingStream<CImageButton> watcher(original, button.get());
    ButtonAccess::SetStream(*button, &watcher);
    HWND window = button->m_hWnd;
    switch (c.way) {
      case kReload:
        EXPECT_TRUE(button->LoadSprite(IDR_PNG_BUTTON, 123, 52));
        EXPECT_NE(nullptr, ButtonAccess::Bitmap(*button));
        break;
      case kReloadMissing: EXPECT_FALSE(button->LoadSprite(IDR_TEST_MISSING, 36, 36)); break;
      case kDestroyWindow:
        DestroyWindow(window);
        EXPECT_EQ(nullptr, ButtonAccess::Bitmap(*button));
        EXPECT_EQ(nullptr, ButtonAccess::Stream(*button));
        EXPECT_EQ(0, ButtonAccess::FrameCount(*button));
        EXPECT_EQ(0, ButtonAccess::FrameWidth(*button));
        EXPECT_EQ(0, ButtonAccess::FrameHeight(*button));
        break;
      case kDeleteObject: button.reset(); break;
    }
    EXPECT_TRUE(watcher.m_released);
    EXPECT_TRUE(watcher.m_bitmapGoneFirst);
    EXPECT_TRUE(watcher.m_nothingNewYet);
    EXPECT_EQ(0u, original->Release()) << "nobody else kept the old stream";
    if (IsWindow(window)) DestroyWindow(window);
  }
}

TEST_F(ImageButtonTest, NeverErasesItsBackground) {
  CImageButton button;
  ASSERT_TRUE(m_host.AddKind(button, kCloseButtonKind, kBlack, 10, 10, 100));
  PixelCanvas canvas(36, 36, kUntouched);
  EXPECT_EQ(0,
            SendMessageW(button.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc()), 0));
  EXPECT_TRUE(canvas.AllOf(0, 0, 36, 36, kUntouched));
  DestroyWindow(button.m_hWnd);
}

// Mouse moves delivered straight to the button: the hover rules without the
// timing of real input (which the GUI tests drive).
TEST_F(ImageButtonTest, HoverFollowsMouseMovesAndCapture) {
  CountingImageButton button;
  ASSERT_TRUE(m_host.AddKind(button, kPushButtonKind, kBody, 10, 10, 100));
  PumpPending();
  auto move = [&](int x, int y) { SendMessageW(button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); };
  int paints = button.m_nPaints;
  move(60, 20);
  EXPECT_TRUE(ButtonAccess::Hover(button));
  EXPECT_EQ(button.m_hWnd, GetCapture());
  EXPECT_EQ(paints + 1, button.m_nPaints) << "repainted before the move returns";
  move(61, 21);
  EXPECT_EQ(paints + 2, button.m_nPaints) << "every move inside repaints";
  move(200, 20);
  EXPECT_FALSE(ButtonAccess::Hover(button));
  EXPECT_EQ(nullptr, GetCapture());
  EXPECT_EQ(paints + 3, button.m_nPaints);
  move(-3, -3);  // outside again, not hovering: nothing to repaint
  EXPECT_EQ(paints + 3, button.m_nPaints);

  move(60, 20);
  ASSERT_TRUE(ButtonAccess::Hover(button));
  SetCapture(m_host.Window());  // someone else takes the mouse
  EXPECT_FALSE(ButtonAccess::Hover(button));
  EXPECT_EQ(paints + 5, button.m_nPaints);
  ReleaseCapture();
  move(60, 20);
  EXPECT_TRUE(ButtonAccess::Hover(button)) << "the next move inside brings the hover back";
  ReleaseCapture();
  EXPECT_FALSE(ButtonAccess::Hover(button));
  DestroyWindow(button.m_hWnd);
}

TEST_F(ImageButtonTest, WindowOverTheButtonEndsTheHover) {
  CImageButton button;
  ASSERT_TRUE(m_host.AddKind(button, kPushButtonKind, kBody, 10, 10, 100));
  POINT corner = {0, 0};
  ClientToScreen(button.m_hWnd, &corner);
  // A top-most window over the button's right half.
  ButtonHost cover(corner.x + 70, corner.y, 80, 60);
  PumpPending();
  SendMessageW(button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  EXPECT_TRUE(ButtonAccess::Hover(button));
  SendMessageW(button.m_hWnd, WM_MOUSEMOVE, 0,
               MAKELPARAM(100, 20));  // in the button, under the cover
  EXPECT_FALSE(ButtonAccess::Hover(button));
  EXPECT_NE(button.m_hWnd, GetCapture());
  DestroyWindow(button.m_hWnd);
}

TEST_F(ImageButtonTest, ReflectedFocusNotificationsRepaintAtOnce) {
  for (WORD code : {static_cast<WORD>(BN_SETFOCUS), static_cast<WORD>(BN_KILLFOCUS)}) {
    SCOPED_TRACE(code);
    CountingImageButton button;
    ASSERT_TRUE(m_host.AddKind(button, kPushButtonKind, kBody, 10, 10, 100));
    PumpPending();
    const int paints = button.m_nPaints;
    SendMessageW(m_host.Window(), WM_COMMAND, MAKEWPARAM(100, code),
                 reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(paints + 1, button.m_nPaints);
    DestroyWindow(button.m_hWnd);
  }
}

TEST_F(ImageButtonTest, RealPaintsReachDrawItemThroughTheParent) {
  CountingImageButton button;
  ASSERT_TRUE(m_host.AddKind(button, kCloseButtonKind, kBlack, 10, 10, 100));
  PumpPending();
  const int paints = button.m_nPaints;
  RedrawWindow(button.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(paints + 1, button.m_nPaints);
  DestroyWindow(button.m_hWnd);
}

TEST_F(ImageButtonTest, PaintingLeavesNoGdiObjectBehind) {
  CImageButton close;
  CImageButton push;
  ASSERT_TRUE(m_host.AddKind(close, kCloseButtonKind, kBlack, 10, 10, 100));
  ASSERT_TRUE(m_host.AddKind(push, kPushButtonKind, kBody, 60, 10, 101));
  PixelCanvas canvas(123, 52, kUntouched);
  auto paintAll = [&] {
    for (const State& state : kStates) {
      for (CImageButton* button : {&close, &push}) {
        for (BOOL memory : {TRUE, FALSE}) {
          button->m_bMemoryDraw = memory;
          PaintState(*button, state, canvas);
        }
      }
    }
  };
  paintAll();  // first paints may set up GDI+'s own caches
  const int before = LiveGdiObjectCount();
  ASSERT_GT(before, 0);
  for (int round = 0; round < 20; ++round) paintAll();
  for (int round = 0; round < 20; ++round) {
    ASSERT_TRUE(push.LoadSprite(IDR_PNG_BUTTON, 123, 52));
    RedrawWindow(push.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  EXPECT_EQ(before, LiveGdiObjectCount());
  DestroyWindow(close.m_hWnd);
  DestroyWindow(push.m_hWnd);
}

// Pictures of every frame as the button draws it, for people to look at; each
// one is the sprite's frame, whole, before it is saved.
TEST_F(ImageButtonTest, SavesAPictureOfEachFrame) {
  const int frameStates[] = {0, 1, 2, 4, 7};  // normal, hover, pressed, focused, disabled
  const char* frameNames[] = {"0_normal", "1_hover", "2_pressed", "3_focused", "4_disabled"};
  for (const ButtonKind* kind : {&kCloseButtonKind, &kPushButtonKind}) {
    CImageButton button;
    const COLORREF background = kind->captionButton ? kBody : kBlack;
    ASSERT_TRUE(m_host.AddKind(button, *kind, background, 10, 10, 100));
    for (int frame = 0; frame < 5; ++frame) {
      SCOPED_TRACE(std::string(kind->name) + ", " + frameNames[frame]);
      const State& state = kStates[frameStates[frame]];
      // The close button shows focus by a rectangle around its normal frame.
      const int shown = kind->captionButton ? state.pushFrame : state.closeFrame;
      PixelCanvas painted(kind->frameWidth, kind->frameHeight, kUntouched);
      PaintState(button, state, painted);
      ExpectSamples(*kind, painted, shown);
      EXPECT_EQ(0, CountColour(painted, {0, 0, kind->frameWidth, kind->frameHeight}, kUntouched))
          << "part of the button left unpainted";
      EXPECT_EQ(0, Compare(*kind, painted, *ReferenceFrame(*kind, shown, background)).offRing);
      ScreenPixels picture;
      picture.width = painted.Width();
      picture.height = painted.Height();
      for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) picture.pixels.push_back(painted.At(x, y));
      const std::wstring name =
          std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\image_button_" +
          (kind->captionButton ? L"push_" : L"close_") +
          std::wstring(frameNames[frame], frameNames[frame] + strlen(frameNames[frame])) + L".png";
      EXPECT_TRUE(SavePng(picture, name));
    }
    DestroyWindow(button.m_hWnd);
  }
}

}  // namespace
