// The modal dialog: creation from a template, data exchange, the modal loop
// and its pre-translation, the ways it ends, and handler results reaching
// the dialog manager.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <thread>

#include "afxwin.h"
#include "framework_dialog_ids.h"
#include "tools/harness/framework_windows.h"

namespace {

[[maybe_unused]] const bool g_unmanaged = UseUnmanagedTestWindows();

constexpr UINT WM_TEST_STEP = WM_APP + 1;  // runs the test's step, inside the loop
constexpr UINT WM_TEST_END = WM_APP + 2;   // EndDialog(wParam)
constexpr int kBandHeight = 30;            // hit tests above this drag the dialog
constexpr int kOwnerDrawResult = 77;

class COwnerDrawButton : public CButton {
 public:
  int draws = 0;
  void DrawItem(LPDRAWITEMSTRUCT item) override {
    ++draws;
    FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
};

class CTestDialog : public CDialog {
 public:
  CTestDialog() : CDialog(IDD_FW_TEST_DIALOG) {}
  explicit CTestDialog(UINT id) : CDialog(id) {}

  std::function<void(CTestDialog&)> onInit;  // after the base OnInitDialog
  std::function<void(CTestDialog&)> onStep;  // for WM_TEST_STEP
  bool swallowEscape = false;
  int swallowed = 0;
  int loads = 0;  // exchanges filling the controls
  int saves = 0;  // exchanges reading them back
  bool controlsAttachedAtInit = false;

  COwnerDrawButton m_btnOwnerDraw;
  CStatic m_stcLabel;
  CStatic m_stcAbsent;

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (swallowEscape && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
      ++swallowed;
      return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    controlsAttachedAtInit =
        CWnd::FromHandlePermanent(GetDlgItem(m_hWnd, IDC_FW_OWNERDRAW)) == &m_btnOwnerDraw &&
        CWnd::FromHandlePermanent(GetDlgItem(m_hWnd, IDC_FW_LABEL)) == &m_stcLabel;
    if (onInit) onInit(*this);
    return TRUE;
  }

  void DoDataExchange(CDataExchange* pDX) override {
    (pDX->m_bSaveAndValidate ? saves : loads)++;
    DDX_Control(pDX, IDC_FW_LABEL, m_stcLabel);
    DDX_Control(pDX, IDC_FW_OWNERDRAW, m_btnOwnerDraw);
    DDX_Control(pDX, IDC_FW_ABSENT, m_stcAbsent);
  }
  LRESULT OnNcHitTest(CPoint point) {
    CPoint client = point;
    ScreenToClient(&client);
    return client.y < kBandHeight ? HTCAPTION : CDialog::OnNcHitTest(point);
  }
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd->GetDlgCtrlID() != IDC_FW_LABEL) return brush;
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  BOOL OnEraseBkgnd(CDC* pDC) {
    CRect client;
    GetClientRect(client);
    pDC->FillSolidRect(0, 0, client.Width(), client.Height(), RGB(25, 25, 25));
    return TRUE;
  }
  void OnOwnerDrawClicked() { EndDialog(kOwnerDrawResult); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
  ON_WM_NCHITTEST()
  ON_WM_CTLCOLOR()
  ON_WM_ERASEBKGND()
  ON_BN_CLICKED(IDC_FW_OWNERDRAW, OnOwnerDrawClicked)
  ON_MESSAGE_THUNK(WM_TEST_STEP, if (self->onStep) self->onStep(*self);)
  ON_MESSAGE_THUNK(WM_TEST_END, self->EndDialog(static_cast<int>(wParam));)
END_MESSAGE_MAP()

void Post(CWnd& wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  PostMessageW(wnd.m_hWnd, message, wParam, lParam);
}

TEST(FrameworkDialog, DoModalAttachesControlsAndReturnsTheEndResult) {
  CTestDialog dialog;
  HWND seen = nullptr;
  dialog.onInit = [&](CTestDialog& d) {
    seen = d.m_hWnd;
    Post(d, WM_TEST_END, 42);
  };
  EXPECT_EQ(42, dialog.DoModal());
  EXPECT_TRUE(dialog.controlsAttachedAtInit);
  EXPECT_EQ(1, dialog.loads);
  EXPECT_EQ(0, dialog.saves);
  EXPECT_EQ(nullptr, dialog.m_stcAbsent.m_hWnd) << "a missing control leaves its object alone";
  ASSERT_NE(nullptr, seen);
  EXPECT_FALSE(IsWindow(seen)) << "DoModal destroys its window";
  EXPECT_EQ(nullptr, dialog.m_hWnd);
  EXPECT_EQ(nullptr, dialog.m_btnOwnerDraw.m_hWnd);
  EXPECT_EQ(nullptr, dialog.m_stcLabel.m_hWnd);
}

TEST(FrameworkDialog, ASecondDoModalOnTheSameObjectStartsAfresh) {
  CTestDialog dialog;
  int run = 0;
  dialog.onInit = [&](CTestDialog& d) { Post(d, WM_TEST_END, ++run); };
  EXPECT_EQ(1, dialog.DoModal());
  EXPECT_EQ(2, dialog.DoModal());
  EXPECT_TRUE(dialog.controlsAttachedAtInit) << "the controls are attached again";
}

TEST(FrameworkDialog, NoWindowGivesMinusOne) {
  const struct {
    const char* name;
    UINT id;
  } cases[] = {{"missing template", IDD_FW_MISSING},
               {"control that cannot be made", IDD_FW_BROKEN}};
  for (const auto& c : cases) {
    CTestDialog dialog(c.id);
    bool initialised = false;
    dialog.onInit = [&](CTestDialog&) { initialised = true; };
    EXPECT_EQ(-1, dialog.DoModal()) << c.name;
    EXPECT_FALSE(initialised) << c.name;
    EXPECT_EQ(nullptr, dialog.m_hWnd) << c.name;
  }
}

TEST(FrameworkDialog, EndDialogDuringInitEndsWithoutALoop) {
  CTestDialog dialog;
  dialog.onInit = [](CTestDialog& d) { d.EndDialog(5); };
  EXPECT_EQ(5, dialog.DoModal());
}

// The ways a dialog ends, each started by messages posted while it
// initialises and handled by the modal loop.
struct EndingCase {
  const char* name;
  bool swallowEscape;
  std::function<void(CTestDialog&)> post;
  INT_PTR expected;
  int expectedSaves;
};

TEST(FrameworkDialog, EndingsThroughTheLoop) {
  const EndingCase cases[] = {
      {"IDOK command: OnOK reads the controls back", false,
       [](CTestDialog& d) { Post(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); }, IDOK, 1},
      {"IDCANCEL command", false,
       [](CTestDialog& d) { Post(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)); }, IDCANCEL, 0},
      {"WM_CLOSE: the dialog manager's IDCANCEL", false, [](CTestDialog& d) { Post(d, WM_CLOSE); },
       IDCANCEL, 0},
      {"click on the OK button", false,
       [](CTestDialog& d) { PostMessageW(GetDlgItem(d.m_hWnd, IDOK), BM_CLICK, 0, 0); }, IDOK, 1},
      {"click on the owner-draw button: the dialog's own map", false,
       [](CTestDialog& d) { PostMessageW(GetDlgItem(d.m_hWnd, IDC_FW_OWNERDRAW), BM_CLICK, 0, 0); },
       kOwnerDrawResult, 0},
      {"Esc reaches the dialog manager", false,
       [](CTestDialog& d) {
         PostMessageW(GetDlgItem(d.m_hWnd, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
         Post(d, WM_TEST_END, 9);
       },
       IDCANCEL, 0},
      {"Esc swallowed by PreTranslateMessage", true,
       [](CTestDialog& d) {
         PostMessageW(GetDlgItem(d.m_hWnd, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
         Post(d, WM_TEST_END, 9);
       },
       9, 0},
      {"Space on the focused owner-draw button clicks it", true,
       [](CTestDialog& d) {
         HWND button = GetDlgItem(d.m_hWnd, IDC_FW_OWNERDRAW);
         SetFocus(button);
         PostMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
         PostMessageW(button, WM_KEYUP, VK_SPACE, 0xC0000001);
         Post(d, WM_TEST_END, 9);
       },
       kOwnerDrawResult, 0},
  };
  for (const EndingCase& c : cases) {
    CTestDialog dialog;
    dialog.swallowEscape = c.swallowEscape;
    dialog.onInit = c.post;
    EXPECT_EQ(c.expected, dialog.DoModal()) << c.name;
    EXPECT_EQ(c.expectedSaves, dialog.saves) << c.name;
    EXPECT_EQ(c.swallowEscape && c.expected == 9 ? 1 : 0, dialog.swallowed) << c.name;
  }
}

TEST(FrameworkDialog, TabMovesTheFocusThroughTheDialogManager) {
  CTestDialog dialog;
  int before = 0;
  int after = 0;
  dialog.onInit = [&](CTestDialog& d) {
    SetFocus(GetDlgItem(d.m_hWnd, IDOK));
    before = GetDlgCtrlID(GetFocus());
    PostMessageW(GetDlgItem(d.m_hWnd, IDOK), WM_KEYDOWN, VK_TAB, 0);
    Post(d, WM_TEST_STEP);
  };
  dialog.onStep = [&](CTestDialog& d) {
    after = GetDlgCtrlID(GetFocus());
    d.EndDialog(IDOK);
  };
  dialog.DoModal();
  EXPECT_EQ(IDOK, before);
  EXPECT_EQ(IDCANCEL, after);
}

TEST(FrameworkDialog, HandlerResultsReachTheDialogManager) {
  CTestDialog dialog;
  LRESULT bandHit = 0, bodyHit = 0, labelBrush = 0, buttonBrush = 0, erase = 0;
  int draws = 0;
  dialog.onInit = [](CTestDialog& d) { Post(d, WM_TEST_STEP); };
  dialog.onStep = [&](CTestDialog& d) {
    RECT window;
    GetWindowRect(d.m_hWnd, &window);
    bandHit = SendMessageW(d.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(window.left + 5, window.top + 2));
    bodyHit = SendMessageW(d.m_hWnd, WM_NCHITTEST, 0,
                           MAKELPARAM(window.left + 5, window.top + kBandHeight + 5));
    HDC dc = GetDC(d.m_hWnd);
    labelBrush = SendMessageW(d.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(GetDlgItem(d.m_hWnd, IDC_FW_LABEL)));
    buttonBrush = SendMessageW(d.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(GetDlgItem(d.m_hWnd, IDOK)));
    erase = SendMessageW(d.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(d.m_hWnd, dc);
    RedrawWindow(GetDlgItem(d.m_hWnd, IDC_FW_OWNERDRAW), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW);
    draws = d.m_btnOwnerDraw.draws;
    d.EndDialog(IDOK);
  };
  dialog.DoModal();
  EXPECT_EQ(HTCAPTION, bandHit);
  EXPECT_EQ(HTCLIENT, bodyHit) << "the default hit test of the dialog manager";
  EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)), labelBrush);
  EXPECT_NE(0, buttonBrush) << "the base handler's brush, returned directly";
  EXPECT_NE(labelBrush, buttonBrush);
  EXPECT_EQ(TRUE, erase);
  EXPECT_GE(draws, 1) << "WM_DRAWITEM reaches the button object inside a dialog";
}

TEST(FrameworkDialog, TheLoopRecordsEveryMessageItRetrieves) {
  CWinApp app;
  CTestDialog dialog;
  dialog.onInit = [](CTestDialog& d) { Post(d, WM_TEST_END, 4242, 17); };
  EXPECT_EQ(4242, dialog.DoModal());
  const MSG* last = AfxGetCurrentMessage();
  EXPECT_EQ(static_cast<UINT>(WM_TEST_END), last->message);
  EXPECT_EQ(4242u, last->wParam);
  EXPECT_EQ(17, last->lParam);
  EXPECT_EQ(4242, app.ExitInstance());
}

TEST(FrameworkDialog, QuitEndsTheLoopAndIsPostedAgain) {
  CTestDialog dialog;
  dialog.onInit = [](CTestDialog&) { PostQuitMessage(3); };
  EXPECT_EQ(-1, dialog.DoModal());
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(3u, msg.wParam);
}

TEST(FrameworkDialog, EndDialogSentFromAnotherThreadWakesTheLoop) {
  CTestDialog dialog;
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HWND hWnd = nullptr;
  dialog.onInit = [&](CTestDialog& d) {
    hWnd = d.m_hWnd;
    SetEvent(ready);
  };
  HANDLE returned = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool rescued = false;
  std::thread driver([&] {
    WaitForSingleObject(ready, 10000);
    // Handled inside the dialog thread's GetMessage, which must not keep
    // waiting for a posted message that never comes.
    SendMessageW(hWnd, WM_TEST_END, 31, 0);
    // A loop that missed the end would wait forever: wake it, and fail.
    if (WaitForSingleObject(returned, 5000) == WAIT_TIMEOUT) {
      rescued = true;
      PostMessageW(hWnd, WM_NULL, 0, 0);
    }
  });
  const INT_PTR result = dialog.DoModal();
  SetEvent(returned);
  driver.join();
  EXPECT_EQ(31, result);
  EXPECT_FALSE(rescued) << "the loop kept waiting after EndDialog";
  CloseHandle(ready);
  CloseHandle(returned);
}

TEST(FrameworkDialog, DestroyedFromOutsideEndsTheLoop) {
  CTestDialog dialog;
  dialog.onInit = [](CTestDialog& d) { PostMessageW(d.m_hWnd, WM_TEST_STEP, 0, 0); };
  dialog.onStep = [](CTestDialog& d) { DestroyWindow(d.m_hWnd); };
  EXPECT_EQ(-1, dialog.DoModal());
}

}  // namespace
