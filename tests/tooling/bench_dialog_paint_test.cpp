// What the dialog bench relies on, with the launcher's real dialog in this
// process: its first complete paint is noticed (the window and its visible
// buttons painted, nothing left to paint), the cancel command posted then
// closes it with IDCANCEL, and a re-armed watch times the next dialog too.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/quarnel_app.h"
#include "i18n/catalogue.h"
#include "res/resource.h"
#include "tools/harness/first_paint_watch.h"
#include "ui/gdiplus_api.h"
#include "ui/msg_dlg.h"

namespace {

struct Seen {
  int calls = 0;
  bool complete = false;
  bool nothingLeft = false;
  int visibleChildren = 0;
};

BOOL CALLBACK CountVisible(HWND child, LPARAM count) {
  if (IsWindowVisible(child)) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

void CloseWhenPainted(HWND root, bool complete, void* context) {
  Seen* seen = static_cast<Seen*>(context);
  ++seen->calls;
  seen->complete = complete;
  seen->nothingLeft = NothingLeftToPaint(root);
  seen->visibleChildren = 0;
  EnumChildWindows(root, CountVisible, reinterpret_cast<LPARAM>(&seen->visibleChildren));
  if (root) PostMessageW(root, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST(BenchDialogPaint, UpdateQuestionPaintsCompletelyAndClosesOnCancel) {
  CQuarnelApp app;
  app.StartUp();
  ASSERT_TRUE(StartGdiplus()) << "GDI+ is up after the start-up";

  Seen seen;
  FirstPaintWatch watch(CloseWhenPainted, &seen, 20000);
  ASSERT_TRUE(watch.Hooked());
  for (int round = 1; round <= 2; ++round) {
    CMsgDlg dialog;
    dialog.m_strMessage = LoadServiceLanguageString(IDS_MSG_UPDATE_QUESTION);
    dialog.m_nStyle = MB_ICONINFORMATION | MB_OKCANCEL;
    watch.Arm();
    LARGE_INTEGER before;
    QueryPerformanceCounter(&before);
    EXPECT_EQ(IDCANCEL, dialog.DoModal()) << "round " << round;
    EXPECT_EQ(round, seen.calls);
    EXPECT_TRUE(seen.complete) << "round " << round;
    EXPECT_TRUE(watch.Complete()) << "round " << round;
    EXPECT_GT(watch.CompletedAt(), before.QuadPart) << "round " << round;
    EXPECT_TRUE(seen.nothingLeft) << "round " << round;
    // Title, close button, OK and Cancel at least.
    EXPECT_GE(seen.visibleChildren, 4) << "round " << round;
  }
  g_pApp = nullptr;
}

}  // namespace
