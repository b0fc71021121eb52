// The message dialog under a real display, worked from another process as a
// user would: what it shows for each style and language, how each way of
// closing it answers, its keys, its drag band, and its pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"
#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/msgdlg_driver.h"

namespace {

constexpr int kCloseCentre = 543;  // the close button spans (525, 20)-(561, 56)
const RECT kCloseRect = {525, 20, 561, 56};
const RECT kLeftRect = {155, 266, 278, 318};
const RECT kRightRect = {303, 266, 426, 318};
const RECT kSingleRect = {229, 266, 352, 318};

using expected::kButtonLabels;
using expected::kTextFaces;

std::wstring Hex(unsigned value) {
  wchar_t text[16];
  swprintf(text, 16, L"0x%X", value);
  return text;
}

std::wstring Request(unsigned style, int language, const std::wstring& message = L"Hello") {
  return L"--style " + Hex(style) + L" --language " + std::to_wstring(language) + L" --message \"" +
         message + L"\"";
}

std::wstring FontOf(const wchar_t* face, int height) {
  return std::wstring(face) + L"|" + std::to_wstring(height) + L"|700";
}

// The background image's size as the host reports it.
std::wstring DialogSize() {
  return std::to_wstring(expected::kDialogWidth) + L"x" + std::to_wstring(expected::kDialogHeight);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

RECT WindowRectOf(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

// ---------------------------------------------------------------------------
// Styles: buttons, labels, icon sound, layout and the three answers.

enum class Close { Left, Right, CloseButton };

struct StyleCase {
  unsigned style;
  int language;           // the request's choice
  DWORD serviceLanguage;  // the service's "Language" value
  bool single;
  const wchar_t* leftLabel;
  const wchar_t* rightLabel;
  unsigned beep;
  DWORD leftResult, rightResult, closeResult;
};

const StyleCase kStyles[] = {
    {0x10, 4, 0, true, kButtonLabels[4].ok, kButtonLabels[4].ok, MB_ICONERROR, 0, IDCANCEL,
     IDCANCEL},
    {0x41, -1, 2, false, kButtonLabels[2].ok, kButtonLabels[2].cancel, MB_ICONINFORMATION, IDOK,
     IDCANCEL, IDCANCEL},
    {0x04, 1, 0, false, kButtonLabels[1].yes, kButtonLabels[1].no, MB_ICONWARNING, IDYES, IDNO,
     IDNO},
    {0x08, 0, 0, false, kButtonLabels[0].update, kButtonLabels[0].cancel, MB_ICONWARNING, IDOK,
     IDCANCEL, IDCANCEL},
    {0x22, 5, 0, false, kButtonLabels[5].ok, kButtonLabels[5].cancel, MB_ICONWARNING, IDOK,
     IDCANCEL, IDCANCEL},
    {0xFF00141, 7, 0, false, kButtonLabels[7].ok, kButtonLabels[7].cancel, MB_ICONINFORMATION, IDOK,
     IDCANCEL, IDCANCEL},
    // The repair question's request, in the user locale's language.
    {0x11, 0, 2, false, kButtonLabels[0].ok, kButtonLabels[0].cancel, MB_ICONERROR, IDOK, IDCANCEL,
     IDCANCEL},
    {0x11, 7, 0, false, kButtonLabels[7].ok, kButtonLabels[7].cancel, MB_ICONERROR, IDOK, IDCANCEL,
     IDCANCEL},
};

void ExpectLayout(HWND dialog, const StyleCase& c) {
  const ChildInfo left = ReadChild(dialog, IDOK);
  const ChildInfo right = ReadChild(dialog, IDCANCEL);
  const ChildInfo close = ReadChild(dialog, IDC_MSG_CLOSE);
  const ChildInfo title = ReadChild(dialog, IDC_MSG_TITLE);
  const ChildInfo message = ReadChild(dialog, IDC_MSG_TEXT);
  ASSERT_TRUE(left.exists && right.exists && close.exists && title.exists && message.exists);

  EXPECT_TRUE(SameRect(close.rect, kCloseRect)) << Describe(close.rect);
  EXPECT_TRUE(close.visible);
  // Its name is for screen readers; the sprite alone is drawn.
  EXPECT_EQ(close.text, kButtonLabels[c.language < 0 ? c.serviceLanguage : c.language].close);
  EXPECT_EQ(title.rect.left, 40);
  EXPECT_EQ(title.rect.top, (77 - (title.rect.bottom - title.rect.top)) / 2);
  EXPECT_EQ(title.text, L"Quarnel");
  // Visible for screen readers; the dialog paints the text itself.
  EXPECT_TRUE(message.visible);
  EXPECT_TRUE(SameRect(message.rect, RECT{125, 90, 556, 220})) << Describe(message.rect);

  EXPECT_EQ(right.text, c.rightLabel);
  EXPECT_TRUE(right.visible);
  if (c.single) {
    EXPECT_TRUE(SameRect(right.rect, kSingleRect)) << Describe(right.rect);
    EXPECT_FALSE(left.visible);
    EXPECT_FALSE(left.enabled);
  } else {
    EXPECT_EQ(left.text, c.leftLabel);
    EXPECT_TRUE(left.visible);
    EXPECT_TRUE(SameRect(left.rect, kLeftRect)) << Describe(left.rect);
    EXPECT_TRUE(SameRect(right.rect, kRightRect)) << Describe(right.rect);
  }
}

void CloseBy(HWND dialog, Close how, bool single) {
  const RECT& right = single ? kSingleRect : kRightRect;
  switch (how) {
    case Close::Left: ClickAt(dialog, (kLeftRect.left + kLeftRect.right) / 2, 292); break;
    case Close::Right: ClickAt(dialog, (right.left + right.right) / 2, 292); break;
    case Close::CloseButton: ClickAt(dialog, kCloseCentre, 38); break;
  }
}

TEST(MessageDialog, EachStyleShowsItsButtonsAndAnswersForEachWayOfClosing) {
  for (const StyleCase& c : kStyles) {
    const ServiceLanguageValue service(c.serviceLanguage);
    for (Close how : {Close::Left, Close::Right, Close::CloseButton}) {
      if (c.single && how == Close::Left) continue;  // hidden: nothing to click
      SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style << std::dec
                                      << " closed by " << static_cast<int>(how));
      MsgDlgHost host(Request(c.style, c.language));
      const HWND dialog = host.WaitForDialog();
      ASSERT_TRUE(dialog);
      if (how == Close::Left) {
        ExpectLayout(dialog, c);
        EXPECT_EQ(host.Values(1, "beep"), std::vector<std::wstring>{std::to_wstring(c.beep)});
      }
      CloseBy(dialog, how, c.single);
      const DWORD expected = how == Close::Left    ? c.leftResult
                             : how == Close::Right ? c.rightResult
                                                   : c.closeResult;
      EXPECT_EQ(host.WaitForExit(), expected);
    }
  }
}

// With one button the right one, labelled "OK", shows; Enter cannot reach
// the hidden left one, and the close button answers IDCANCEL as well.
TEST(MessageDialog, SingleButtonHidesTheLeftButtonEntirely) {
  MsgDlgHost host(Request(0x10, 0));
  const HWND dialog = host.WaitForDialog();
  ASSERT_TRUE(dialog);
  // Where the left button would stand with two buttons there is nothing.
  ClickAt(dialog, 180, 292);
  Settle(dialog);
  EXPECT_TRUE(IsWindowVisible(dialog));
  ClickAt(dialog, 290, 292);
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL));
}

// ---------------------------------------------------------------------------
// Labels and fonts by language.

TEST(MessageDialog, LabelsFollowAnExplicitLanguageAndFontsTheService) {
  const ServiceLanguageValue service(0);
  for (int language = 0; language < 8; ++language) {
    SCOPED_TRACE(testing::Message() << "language " << language);
    for (unsigned style : {0x04u, 0x08u}) {
      MsgDlgHost host(Request(style, language));
      const HWND dialog = host.WaitForDialog();
      ASSERT_TRUE(dialog);
      const expected::ButtonLabels& want = kButtonLabels[language];
      EXPECT_EQ(ReadChild(dialog, IDOK).text, style == 0x04 ? want.yes : want.update);
      EXPECT_EQ(ReadChild(dialog, IDCANCEL).text, style == 0x04 ? want.no : want.cancel);
      // The fonts stay the service's (English) whatever the labels' language.
      EXPECT_EQ(host.Value(1, "font.ok"),
                FontOf(expected::kTextFaces[0], expected::kTextFontHeight));
      EXPECT_EQ(host.Value(1, "font.cancel"),
                FontOf(expected::kTextFaces[0], expected::kTextFontHeight));
      EXPECT_EQ(host.Value(1, "font.title"),
                FontOf(expected::kTitleFace, expected::kTitleFontHeight));
      MoveMouseTo(dialog, 10, 200);
      Settle(dialog);
      SavePng(CaptureWindow(dialog), std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\msgdlg_labels_" +
                                         std::to_wstring(language) + L"_" + Hex(style) + L".png");
      ClickAt(dialog, kCloseCentre, 38);
      EXPECT_NE(host.WaitForExit(), static_cast<DWORD>(STILL_ACTIVE));
    }
  }
}

TEST(MessageDialog, ServiceLanguageChoosesLabelsAndFonts) {
  for (int language = 0; language < 8; ++language) {
    SCOPED_TRACE(testing::Message() << "service language " << language);
    const ServiceLanguageValue service(static_cast<DWORD>(language));
    MsgDlgHost host(Request(0x41, -1));
    const HWND dialog = host.WaitForDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ReadChild(dialog, IDOK).text, kButtonLabels[language].ok);
    EXPECT_EQ(ReadChild(dialog, IDCANCEL).text, kButtonLabels[language].cancel);
    EXPECT_EQ(host.Value(1, "font.ok"), FontOf(kTextFaces[language], expected::kTextFontHeight));
    EXPECT_EQ(host.Value(1, "font.message"),
              FontOf(kTextFaces[language], expected::kTextFontHeight));
    EXPECT_EQ(host.Value(1, "font.title"),
              FontOf(expected::kTitleFace, expected::kTitleFontHeight));
    ClickAt(dialog, kCloseCentre, 38);
    EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL));
  }
}

// Values the service may hold that name no language: English.
TEST(MessageDialog, UnknownOrMissingServiceLanguageGivesEnglish) {
  struct Case {
    DWORD value;
    bool remove;
  };
  for (const Case& c : {Case{8, false}, Case{0xFFFFFFFF, false}, Case{0, true}}) {
    SCOPED_TRACE(testing::Message() << "value " << c.value << " removed " << c.remove);
    const ServiceLanguageValue service(c.value, c.remove);
    MsgDlgHost host(Request(0x04, -1));
    const HWND dialog = host.WaitForDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ReadChild(dialog, IDOK).text, L"Yes");
    EXPECT_EQ(ReadChild(dialog, IDCANCEL).text, L"No");
    EXPECT_EQ(host.Value(1, "font.ok"), FontOf(expected::kTextFaces[0], expected::kTextFontHeight));
    ClickAt(dialog, kCloseCentre, 38);
    EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDNO));
  }
}

// A language past the catalogue would address texts that do not exist: such
// a request gets English labels rather than empty buttons.
TEST(MessageDialog, ExplicitLanguageBeyondTheCatalogueGivesEnglish) {
  const ServiceLanguageValue service(2);
  for (int language : {8, 100}) {
    SCOPED_TRACE(testing::Message() << "language " << language);
    MsgDlgHost host(Request(0x04, language));
    const HWND dialog = host.WaitForDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ReadChild(dialog, IDOK).text, L"Yes");
    EXPECT_EQ(ReadChild(dialog, IDCANCEL).text, L"No");
    ClickAt(dialog, kCloseCentre, 38);
    EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDNO));
  }
}

// ---------------------------------------------------------------------------
// Keys, focus, dragging, caption, clean-up.

TEST(MessageDialog, EnterEscAndF1DoNothingWhileTabAndSpaceWork) {
  MsgDlgHost host(Request(0x41, 0));
  const HWND dialog = host.WaitForDialog();
  ASSERT_TRUE(dialog);
  for (WORD key : {VK_RETURN, VK_ESCAPE, VK_F1}) {
    PressKey(dialog, key);
    Settle(dialog);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "key " << key;
  }
  // No help window or any other window appeared in the host.
  EXPECT_EQ(host.Windows(), std::vector<HWND>{dialog});
  PressKey(dialog, VK_TAB);
  Settle(dialog);
  PressKey(dialog, VK_SPACE);
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL));
}

TEST(MessageDialog, SpaceOnTheFocusedLeftButtonAccepts) {
  MsgDlgHost host(Request(0x04, 0));
  const HWND dialog = host.WaitForDialog();
  ASSERT_TRUE(dialog);
  PressKey(dialog, VK_SPACE);
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDYES));
}

TEST(MessageDialog, LeftButtonHasTheFocusAndShowsItsFocusedFrame) {
  MsgDlgHost host(Request(0x41, 0));
  const HWND dialog = host.WaitForDialog();
  ASSERT_TRUE(dialog);
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info));
  EXPECT_EQ(info.hwndFocus, GetDlgItem(dialog, IDOK));

  // The focused frame is black with a cyan glow; the normal frame is filled
  // with the body colour.
  const ScreenPixels picture = CaptureWindow(dialog);
  ASSERT_FALSE(picture.empty());
  auto cyanish = [](COLORREF c) {
    return GetRValue(c) < 80 && GetGValue(c) > 150 && GetBValue(c) > 150;
  };
  EXPECT_GT(picture.Count(kLeftRect, cyanish), 50);
  EXPECT_EQ(picture.Count(kRightRect, cyanish), 0);
  EXPECT_TRUE(ColoursNear(picture.At(170, 275), RGB(0, 0, 0), 8));
  EXPECT_TRUE(ColoursNear(picture.At(318, 275), RGB(25, 25, 25), 8));
}

TEST(MessageDialog, BandDragsTheWindowAndTheBodyDoesNot) {
  MsgDlgHost host(Request(0x41, 0));
  const HWND dialog = host.WaitForDialog();
  ASSERT_TRUE(dialog);
  struct Press {
    int x, y;
    bool drags;
  };
  // Row 76 is the band's last; the title passes presses through to it.
  for (const Press& p : {Press{300, 76, true}, Press{300, 77, false}, Press{60, 38, true},
                         Press{5, 0, true}, Press{300, 150, false}}) {
    SCOPED_TRACE(testing::Message() << "press at (" << p.x << ", " << p.y << ")");
    const RECT before = WindowRectOf(dialog);
    DragFrom(dialog, p.x, p.y, 40, 30);
    Settle(dialog);
    const RECT after = WindowRectOf(dialog);
    if (p.drags) {
      EXPECT_EQ(after.left - before.left, 40);
      EXPECT_EQ(after.top - before.top, 30);
    } else {
      EXPECT_TRUE(SameRect(after, before)) << Describe(before) << " -> " << Describe(after);
    }
  }
  EXPECT_TRUE(IsWindowVisible(dialog));
  ClickAt(dialog, kCloseCentre, 38);
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL));
}

TEST(MessageDialog, WindowIsCentredSizedAndCaptionless) {
  MsgDlgHost host(Request(0x41, 0));
  const HWND dialog = host.WaitForDialog();
  ASSERT_TRUE(dialog);
  // No caption bar draws it, but the window text names the dialog.
  EXPECT_EQ(WindowTextOf(dialog), L"Quarnel");
  const RECT window = WindowRectOf(dialog);
  EXPECT_EQ(window.right - window.left, expected::kDialogWidth);
  EXPECT_EQ(window.bottom - window.top, expected::kDialogHeight);
  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, expected::kDialogWidth);
  EXPECT_EQ(client.bottom, expected::kDialogHeight);
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((window.left + window.right) / 2 - (work.left + work.right) / 2), 1);
  EXPECT_LE(std::abs((window.top + window.bottom) / 2 - (work.top + work.bottom) / 2), 1);
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  // The taskbar button shows the application icon, big and small.
  EXPECT_EQ(host.Value(1, "icon.big"), L"1");
  EXPECT_EQ(host.Value(1, "icon.small"), L"1");
  ClickAt(dialog, kCloseCentre, 38);
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL));
}

TEST(MessageDialog, ImagesAreHeldWhileOpenAndReleasedAfterwards) {
  MsgDlgHost host(Request(0x10, 0));
  const HWND dialog = host.WaitForDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(host.Value(1, "image.background"), DialogSize());
  EXPECT_EQ(host.Value(1, "image.icon"), L"83x75");
  ClickAt(dialog, 290, 292);
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL));
  EXPECT_EQ(host.Value(1, "holders_empty"), L"1");
}

// The same object shown again prepares everything anew from its request.
TEST(MessageDialog, SecondDoModalOnTheSameObjectPreparesEverythingAgain) {
  MsgDlgHost host(Request(0x10, 1) + L" --repeat 2 --reuse 1");
  HWND previous = nullptr;
  for (int i = 1; i <= 2; ++i) {
    SCOPED_TRACE(testing::Message() << "showing " << i);
    const HWND dialog = host.WaitForNextDialog(previous);
    ASSERT_TRUE(dialog);
    const ChildInfo left = ReadChild(dialog, IDOK);
    const ChildInfo right = ReadChild(dialog, IDCANCEL);
    EXPECT_FALSE(left.visible);
    EXPECT_TRUE(SameRect(right.rect, kSingleRect)) << Describe(right.rect);
    EXPECT_EQ(right.text, L"OK");
    EXPECT_EQ(ReadChild(dialog, IDC_MSG_TITLE).text, L"Quarnel");
    EXPECT_EQ(host.Value(i, "image.background"), DialogSize());
    EXPECT_EQ(host.Value(i, "image.icon"), L"83x75");
    EXPECT_EQ(host.Values(i, "beep"), std::vector<std::wstring>{std::to_wstring(MB_ICONERROR)});
    ClickAt(dialog, i == 1 ? 290 : kCloseCentre, i == 1 ? 292 : 38);
    ASSERT_TRUE(host.WaitForClose(dialog));
    previous = dialog;
  }
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL));
  EXPECT_EQ(host.Value(1, "result"), std::to_wstring(IDCANCEL));
  EXPECT_EQ(host.Value(1, "holders_empty"), L"1");
  EXPECT_EQ(host.Value(2, "holders_empty"), L"1");
}

TEST(MessageDialog, RepeatedDialogsLeakNoGdiObjects) {
  constexpr int kDialogs = 6;
  MsgDlgHost host(Request(0x41, 0) + L" --repeat " + std::to_wstring(kDialogs));
  HWND previous = nullptr;
  for (int i = 1; i <= kDialogs; ++i) {
    const HWND dialog = host.WaitForNextDialog(previous);
    ASSERT_TRUE(dialog) << "dialog " << i;
    // Hover and press the buttons too, so their paints are counted.
    MoveMouseTo(dialog, 200, 290);
    Settle(dialog, 100);
    MoveMouseTo(dialog, 350, 290);
    Settle(dialog, 100);
    ClickAt(dialog, kCloseCentre, 38);
    ASSERT_TRUE(host.WaitForClose(dialog)) << "dialog " << i;
    previous = dialog;
  }
  EXPECT_EQ(host.WaitForExit(), static_cast<DWORD>(IDCANCEL));
  const std::wstring afterSecond = host.Value(2, "gdi");
  ASSERT_NE(afterSecond, L"");
  EXPECT_GT(std::stoi(afterSecond), 0);
  for (int i = 3; i <= kDialogs; ++i)
    EXPECT_EQ(host.Value(i, "gdi"), afterSecond) << "dialog " << i;
  for (int i = 1; i <= kDialogs; ++i) EXPECT_EQ(host.Value(i, "holders_empty"), L"1");
}

}  // namespace
