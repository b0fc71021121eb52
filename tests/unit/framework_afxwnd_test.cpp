// Attached windows: subclassing and its undoing, the default answer, and
// the parent handing owner-draw paints and notifications to its children.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "afxwin.h"
#include "tools/harness/framework_windows.h"

namespace {

[[maybe_unused]] const bool g_unmanaged = UseUnmanagedTestWindows();

constexpr int kButtonId = 300;
constexpr int kStaticId = 301;

// A button that records what reaches it.
class CRecordingButton : public CButton {
 public:
  int drawCount = 0;
  UINT lastItemAction = 0;
  const DRAWITEMSTRUCT* lastItem = nullptr;
  void DrawItem(LPDRAWITEMSTRUCT item) override {
    ++drawCount;
    lastItem = item;
    lastItemAction = item->itemAction;
  }
};

// A button that takes its own clicks, so the parent must not see them.
class CSelfClickingButton : public CButton {
 public:
  int clicks = 0;
  void OnReflectedClick() { ++clicks; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfClickingButton, CButton)
  ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

// A button that hears about its own focus changes from its parent.
class CFocusNotedButton : public CButton {
 public:
  int gained = 0;
  int lost = 0;
  void OnSetFocusNote() { ++gained; }
  void OnKillFocusNote() { ++lost; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFocusNotedButton, CButton)
  ON_CONTROL_REFLECT(BN_SETFOCUS, OnSetFocusNote)
  ON_CONTROL_REFLECT(BN_KILLFOCUS, OnKillFocusNote)
END_MESSAGE_MAP()

class CParentWnd : public CWnd {
 public:
  int clicks = 0;
  int ctlColorCalls = 0;
  CWnd* lastCtlWnd = nullptr;
  HWND lastCtlHwnd = nullptr;
  UINT lastCtlColor = 99;
  HBRUSH brush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));

  void OnButtonClicked() { ++clicks; }
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    ++ctlColorCalls;
    lastCtlWnd = pWnd;
    lastCtlHwnd = pWnd ? pWnd->m_hWnd : nullptr;
    lastCtlColor = nCtlColor;
    pDC->SetTextColor(RGB(1, 2, 3));
    return brush;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
  ON_BN_CLICKED(kButtonId, OnButtonClicked)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// Hit tests: the band above y = 20 drags, the rest is the control's own.
class CDragStatic : public CStatic {
 public:
  LRESULT OnNcHitTest(CPoint point) {
    CPoint client = point;
    ScreenToClient(&client);
    return client.y < 20 ? HTCAPTION : CStatic::OnNcHitTest(point);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDragStatic, CStatic)
  ON_WM_NCHITTEST()
END_MESSAGE_MAP()

class FrameworkWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, host_.get());
    ASSERT_TRUE(parent_.SubclassWindow(host_.get()));
  }
  ScopedWindow host_{CreatePlainWindow(50, 50, 400, 300)};
  CParentWnd parent_;
};

TEST_F(FrameworkWindow, SubclassAttachesAndUnsubclassRestores) {
  ScopedWindow other(CreatePlainWindow(0, 0, 50, 50));
  const LONG_PTR original = GetWindowLongPtrW(other.get(), GWLP_WNDPROC);
  CWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(other.get()));
  EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(other.get()));
  EXPECT_NE(original, GetWindowLongPtrW(other.get(), GWLP_WNDPROC));

  CWnd second;
  EXPECT_FALSE(second.SubclassWindow(other.get())) << "a window has one object";
  EXPECT_FALSE(wnd.SubclassWindow(host_.get())) << "an object has one window";

  EXPECT_EQ(other.get(), wnd.UnsubclassWindow());
  EXPECT_EQ(nullptr, wnd.m_hWnd);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(other.get()));
  EXPECT_EQ(original, GetWindowLongPtrW(other.get(), GWLP_WNDPROC));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(nullptr));
}

TEST_F(FrameworkWindow, DestroyingTheWindowDetachesTheObject) {
  HWND child = CreateChildControl(host_.get(), L"STATIC", L"x", WS_VISIBLE, kStaticId);
  CStatic control;
  ASSERT_TRUE(control.SubclassWindow(child));
  DestroyWindow(child);
  EXPECT_EQ(nullptr, control.m_hWnd);
}

TEST_F(FrameworkWindow, DestroyingTheObjectLeavesAWorkingWindow) {
  HWND child = CreateChildControl(host_.get(), L"STATIC", L"kept", WS_VISIBLE, kStaticId);
  const LONG_PTR original = GetWindowLongPtrW(child, GWLP_WNDPROC);
  {
    CStatic control;
    ASSERT_TRUE(control.SubclassWindow(child));
  }
  EXPECT_EQ(original, GetWindowLongPtrW(child, GWLP_WNDPROC));
  wchar_t text[16] = {};
  EXPECT_EQ(4, GetWindowTextW(child, text, 16));
}

// Someone subclasses the window after us; when our object goes, their
// procedure still calls ours, which must keep forwarding to the original.
WNDPROC g_laterPrevious = nullptr;
LRESULT CALLBACK LaterSubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(g_laterPrevious, hWnd, message, wParam, lParam);
}

TEST_F(FrameworkWindow, DetachUnderALaterSubclassKeepsForwarding) {
  HWND child = CreateChildControl(host_.get(), L"STATIC", L"chain", WS_VISIBLE, kStaticId);
  {
    CStatic control;
    ASSERT_TRUE(control.SubclassWindow(child));
    g_laterPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclassProc)));
  }
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(&LaterSubclassProc), GetWindowLongPtrW(child, GWLP_WNDPROC));
  SetWindowTextW(child, L"still works");
  wchar_t text[32] = {};
  EXPECT_EQ(11, GetWindowTextW(child, text, 32));
  EXPECT_STREQ(L"still works", text);
  DestroyWindow(child);
}

TEST_F(FrameworkWindow, DefaultReachesThePreviousProcedure) {
  HWND child =
      CreateChildControl(host_.get(), L"STATIC", L"hit", WS_VISIBLE, kStaticId, 10, 40, 100, 50);
  CDragStatic control;
  ASSERT_TRUE(control.SubclassWindow(child));
  RECT rect;
  GetWindowRect(child, &rect);
  const struct {
    int dy;
    LRESULT expected;
  } cases[] = {
      {0, HTCAPTION},
      {19, HTCAPTION},
      // A static without SS_NOTIFY lets hits through to its parent.
      {20, HTTRANSPARENT},
      {45, HTTRANSPARENT},
  };
  for (const auto& c : cases) {
    const LPARAM point = MAKELPARAM(rect.left + 5, rect.top + c.dy);
    EXPECT_EQ(c.expected, SendMessageW(child, WM_NCHITTEST, 0, point)) << "dy " << c.dy;
  }
}

TEST_F(FrameworkWindow, OwnerDrawPaintsReachTheChildObject) {
  CRecordingButton button;
  ASSERT_TRUE(AttachNewButton(button, parent_, L"", WS_VISIBLE | BS_OWNERDRAW,
                              CRect(10, 10, 110, 40), kButtonId));
  // The platform's own paint of an owner-draw button.
  InvalidateRect(button.m_hWnd, nullptr, TRUE);
  UpdateWindow(button.m_hWnd);
  EXPECT_GE(button.drawCount, 1);
  EXPECT_EQ(static_cast<UINT>(ODA_DRAWENTIRE), button.lastItemAction);

  // A hand-made record: the very record arrives, and the parent answers TRUE.
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = kButtonId;
  item.itemAction = ODA_FOCUS;
  item.hwndItem = button.m_hWnd;
  const int before = button.drawCount;
  EXPECT_EQ(TRUE,
            SendMessageW(host_.get(), WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(before + 1, button.drawCount);
  EXPECT_EQ(&item, button.lastItem);

  // Menus are never controls, whatever hwndItem holds.
  item.CtlType = ODT_MENU;
  SendMessageW(host_.get(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(before + 1, button.drawCount);
}

TEST_F(FrameworkWindow, ClicksReachTheParentMapUnlessTheChildTakesThem) {
  CRecordingButton plain;
  ASSERT_TRUE(AttachNewButton(plain, parent_, L"a", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20),
                              kButtonId));
  SendMessageW(plain.m_hWnd, BM_CLICK, 0, 0);
  EXPECT_EQ(1, parent_.clicks);

  CSelfClickingButton self;
  ASSERT_TRUE(AttachNewButton(self, parent_, L"b", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 50, 50),
                              kButtonId));
  SendMessageW(self.m_hWnd, BM_CLICK, 0, 0);
  EXPECT_EQ(1, self.clicks);
  EXPECT_EQ(1, parent_.clicks) << "a reflected notification that was handled stays with the child";

  // A notification naming a window without an object goes to the map alone.
  SendMessageW(host_.get(), WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(host_.get()));
  EXPECT_EQ(2, parent_.clicks);
}

TEST_F(FrameworkWindow, FocusNotificationsAreReflectedToTheButton) {
  // Buttons announce focus changes only with BS_NOTIFY (an owner-draw
  // button without it is told through WM_DRAWITEM with ODA_FOCUS instead).
  CFocusNotedButton noted;
  CFocusNotedButton other;
  ASSERT_TRUE(AttachNewButton(noted, parent_, L"n", WS_VISIBLE | BS_PUSHBUTTON | BS_NOTIFY,
                              CRect(0, 0, 50, 20), kButtonId));
  ASSERT_TRUE(AttachNewButton(other, parent_, L"o", WS_VISIBLE | BS_PUSHBUTTON | BS_NOTIFY,
                              CRect(0, 30, 50, 50), kButtonId + 1));
  SetActiveWindow(host_.get());
  SetFocus(noted.m_hWnd);
  SetFocus(other.m_hWnd);
  EXPECT_EQ(1, noted.gained);
  EXPECT_EQ(1, noted.lost);
  EXPECT_EQ(1, other.gained);
  EXPECT_EQ(0, other.lost);
}

TEST_F(FrameworkWindow, CtlColorGetsTheControlAndItsCode) {
  HWND child = CreateChildControl(host_.get(), L"STATIC", L"c", WS_VISIBLE, kStaticId);
  HDC dc = GetDC(host_.get());
  const struct {
    UINT message;
    UINT code;
  } cases[] = {{WM_CTLCOLORSTATIC, CTLCOLOR_STATIC},
               {WM_CTLCOLORBTN, CTLCOLOR_BTN},
               {WM_CTLCOLORDLG, CTLCOLOR_DLG},
               {WM_CTLCOLOREDIT, CTLCOLOR_EDIT},
               {WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX},
               {WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX},
               {WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR}};
  for (const auto& c : cases) {
    const LRESULT brush = SendMessageW(host_.get(), c.message, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(child));
    EXPECT_EQ(reinterpret_cast<LRESULT>(parent_.brush), brush) << c.message;
    EXPECT_EQ(c.code, parent_.lastCtlColor) << c.message;
    EXPECT_EQ(child, parent_.lastCtlHwnd) << "a window without object still arrives";
  }
  EXPECT_EQ(RGB(1, 2, 3), GetTextColor(dc)) << "the handler drew on the message's DC";

  CStatic attached;
  ASSERT_TRUE(attached.SubclassWindow(child));
  SendMessageW(host_.get(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(child));
  EXPECT_EQ(&attached, parent_.lastCtlWnd);
  ReleaseDC(host_.get(), dc);
  EXPECT_EQ(8, parent_.ctlColorCalls);
}

TEST_F(FrameworkWindow, WindowTextOfAnyLength) {
  HWND child = CreateChildControl(host_.get(), L"STATIC", L"", 0, kStaticId);
  CStatic control;
  ASSERT_TRUE(control.SubclassWindow(child));
  CString text(L"left over");
  control.GetWindowText(text);
  EXPECT_TRUE(text.IsEmpty());

  std::wstring longText(5000, L'w');
  longText[4999] = L'z';
  control.SetWindowText(longText.c_str());
  control.GetWindowText(text);
  EXPECT_EQ(5000, text.GetLength());
  EXPECT_EQ(L'z', text.GetString()[4999]);
}

TEST_F(FrameworkWindow, FontAndEnableWrappers) {
  CButton button;
  ASSERT_TRUE(AttachNewButton(button, parent_, L"f", WS_VISIBLE | BS_PUSHBUTTON,
                              CRect(0, 0, 50, 20), kButtonId));
  LOGFONTW lf = {};
  lf.lfHeight = -13;
  lstrcpyW(lf.lfFaceName, L"Tahoma");
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font)), FALSE);
  EXPECT_EQ(static_cast<HFONT>(font), button.GetFont());
  button.EnableWindow(FALSE);
  EXPECT_FALSE(button.IsWindowEnabled());
  button.SendMessage(BM_SETSTATE, TRUE);
  EXPECT_TRUE(button.GetState() & BST_PUSHED);
  EXPECT_EQ(kButtonId, button.GetDlgCtrlID());
}

TEST_F(FrameworkWindow, CaptureWrappersKnowTheObject) {
  CButton button;
  ASSERT_TRUE(AttachNewButton(button, parent_, L"c", WS_VISIBLE | BS_PUSHBUTTON,
                              CRect(0, 0, 50, 20), kButtonId));
  button.SetCapture();
  EXPECT_EQ(button.m_hWnd, GetCapture());
  CButton other;
  ASSERT_TRUE(AttachNewButton(other, parent_, L"o", WS_VISIBLE | BS_PUSHBUTTON,
                              CRect(0, 30, 50, 50), kButtonId + 1));
  EXPECT_EQ(&button, other.SetCapture()) << "the object that had the capture";
  EXPECT_TRUE(CWnd::ReleaseCapture());
  EXPECT_EQ(nullptr, GetCapture());
}

RECT WorkArea() {
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

TEST(FrameworkCenterWindow, CentresOnOwnerOrWorkAreaAndStaysInside) {
  const RECT area = WorkArea();
  const int midX = (area.left + area.right) / 2;
  const int midY = (area.top + area.bottom) / 2;
  struct Case {
    const char* name;
    bool withOwner;
    RECT owner;  // x, y, width, height
    POINT expected;
  } cases[] = {
      {"no owner: work area", false, {}, {midX - 301 / 2, midY - 201 / 2}},
      {"owner: its centre", true, {200, 150, 401, 301}, {200 + 200 - 150, 150 + 150 - 100}},
      {"owner near the corner: pushed inside",
       true,
       {area.left, area.top, 40, 40},
       {area.left, area.top}},
      {"owner past the far corner: pushed inside",
       true,
       {area.right - 20, area.bottom - 20, 40, 40},
       {area.right - 301, area.bottom - 201}},
  };
  for (const Case& c : cases) {
    ScopedWindow owner(
        c.withOwner ? CreatePlainWindow(c.owner.left, c.owner.top, c.owner.right, c.owner.bottom)
                    : nullptr);
    ScopedWindow subject(CreatePlainWindow(0, 0, 301, 201, owner.get()));
    CWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(subject.get()));
    wnd.CenterWindow();
    RECT rect;
    GetWindowRect(subject.get(), &rect);
    EXPECT_EQ(c.expected.x, rect.left) << c.name;
    EXPECT_EQ(c.expected.y, rect.top) << c.name;
    EXPECT_EQ(301, rect.right - rect.left) << c.name;
  }
}

TEST(FrameworkCenterWindow, AlternateWindowWinsOverNoOwner) {
  ScopedWindow reference(CreatePlainWindow(300, 200, 200, 100));
  ScopedWindow subject(CreatePlainWindow(0, 0, 100, 50));
  CWnd referenceWnd;
  CWnd wnd;
  ASSERT_TRUE(referenceWnd.SubclassWindow(reference.get()));
  ASSERT_TRUE(wnd.SubclassWindow(subject.get()));
  wnd.CenterWindow(&referenceWnd);
  RECT rect;
  GetWindowRect(subject.get(), &rect);
  EXPECT_EQ(350, rect.left);
  EXPECT_EQ(225, rect.top);
}

}  // namespace
