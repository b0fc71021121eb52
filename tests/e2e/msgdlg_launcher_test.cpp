// The launcher's two messages, shown by the real Quarnel.exe and answered
// with real input: the update question in the service's language and its
// answers, and the unsupported-Windows message in the user's locale.
// Screenshots of both in every language go to the test artefacts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_rendering.h"
#include "res/resource.h"
#include "run_paths.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/launcher_run.h"
#include "tools/harness/msgdlg_driver.h"
#include "tools/harness/observed_values.h"

namespace {

const RECT kLeftRect = {155, 266, 278, 318};
const RECT kRightRect = {303, 266, 426, 318};
const RECT kSingleRect = {229, 266, 352, 318};
const wchar_t kOlderVersion[] = L"1.30.0315";

// A catalogue text as the executable stores it (test programs carry the
// launcher's string table).
std::wstring Catalogue(UINT baseId, int language) {
  const wchar_t* text = nullptr;
  const int length =
      LoadStringW(nullptr, baseId + 1000 * language, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

size_t CountEvents(const LauncherWorld& world, const std::wstring& event) {
  size_t count = 0;
  for (const StandinRecord& record : world.Records()) count += record.event == event;
  return count;
}

void SaveArtefact(HWND dialog, const std::wstring& name) {
  MoveMouseTo(dialog, 10, 200);  // no hover on the buttons
  Settle(dialog);
  SavePng(CaptureWindow(dialog), std::wstring(QUARNEL_TEST_ARTIFACT_DIR) + L"\\" + name + L".png");
}

struct RenderedPair {
  ScreenPixels simSun;
  ScreenPixels segoe;
};

class LauncherMessages : public ::testing::Test {
 protected:
  // Starts the downloaded launcher and waits for its dialog.
  HWND StartAndWaitForDialog() {
    if (!world.Start(launcher, world.DownloadedLauncher())) return nullptr;
    return WaitForProcessDialog(launcher.Id());
  }
  // The launcher has ended within a minute, with no second dialog.
  void ExpectEndsWithoutAnotherDialog(HWND first) {
    for (int i = 0; i < 600 && !launcher.Wait(100); ++i) {
      for (HWND window : launcher.Windows()) {
        EXPECT_EQ(window, first) << "a second window appeared";
        if (window != first) PostMessageW(window, WM_CLOSE, 0, 0);
      }
    }
    EXPECT_TRUE(launcher.Wait(0));
  }

  LauncherWorld world{L"messages"};
  ChildProcess launcher;
};

// ---------------------------------------------------------------------------
// The update question.

TEST_F(LauncherMessages, OlderProductAsksInTheServiceLanguageWithItsFont) {
  const ServiceLanguageValue service(6);
  world.InstallProduct(kOlderVersion);
  const HWND dialog = StartAndWaitForDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ReadChild(dialog, IDC_MSG_TEXT).text, Catalogue(IDS_MSG_UPDATE_QUESTION, 6));
  const ChildInfo ok = ReadChild(dialog, IDOK);
  const ChildInfo cancel = ReadChild(dialog, IDCANCEL);
  EXPECT_EQ(ok.text, L"\x662F");
  EXPECT_EQ(cancel.text, L"\x53D6\x6D88");
  EXPECT_TRUE(ok.visible && cancel.visible);
  EXPECT_TRUE(SameRect(ok.rect, kLeftRect));
  EXPECT_TRUE(SameRect(cancel.rect, kRightRect));

  const wchar_t* const kChineseFace = expected::kTextFaces[6];
  const wchar_t* const kEnglishFace = expected::kTextFaces[0];
  // The painted text is the "SimSun" text font's, not the English one's.
  MoveMouseTo(dialog, 10, 200);
  Settle(dialog);
  const ScreenPixels shown = CaptureWindow(dialog);
  const std::wstring text = Catalogue(IDS_MSG_UPDATE_QUESTION, 6);
  const RECT textArea = {104, 77, 580, 266};
  const int simSun = DifferingPixels(shown, RenderMessage(kChineseFace, text), textArea);
  const int segoe = DifferingPixels(shown, RenderMessage(kEnglishFace, text), textArea);
  EXPECT_LT(simSun, 40) << "differs from SimSun in " << simSun << " pixels";
  // Where the prefix draws both faces alike (one replacement font with
  // Chinese glyphs), only the match above can tell.
  const RenderedPair pair = {RenderMessage(kChineseFace, text), RenderMessage(kEnglishFace, text)};
  if (DifferingPixels(pair.simSun, pair.segoe, textArea) > 100) {
    EXPECT_GT(segoe, simSun + 100) << "Segoe UI " << segoe << ", SimSun " << simSun;
  }

  ClickAt(dialog, 543, 38);
  ExpectEndsWithoutAnotherDialog(dialog);
}

TEST_F(LauncherMessages, AcceptingTheQuestionInstalls) {
  const ServiceLanguageValue service(0);
  world.InstallProduct(kOlderVersion);
  world.Env()[L"QUARNEL_STANDIN_INSTALL"] = L"0";
  const HWND dialog = StartAndWaitForDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ReadChild(dialog, IDOK).text, L"OK");
  ClickAt(dialog, 216, 292);
  ExpectEndsWithoutAnotherDialog(dialog);
  EXPECT_EQ(CountEvents(world, L"installer-start"), 1u);
  EXPECT_EQ(CountEvents(world, L"zelvane-start"), 0u);
}

TEST_F(LauncherMessages, CancelOrCloseHandsOff) {
  const ServiceLanguageValue service(0);
  world.InstallProduct(kOlderVersion);
  struct Way {
    int x, y;
    const char* name;
  };
  for (const Way& way : {Way{364, 292, "Cancel"}, Way{543, 38, "close button"}}) {
    SCOPED_TRACE(way.name);
    const size_t handoffsBefore = CountEvents(world, L"zelvane-start");
    ChildProcess run;
    ASSERT_TRUE(world.Start(run, world.DownloadedLauncher()));
    const HWND dialog = WaitForProcessDialog(run.Id());
    ASSERT_TRUE(dialog);
    ClickAt(dialog, way.x, way.y);
    ASSERT_TRUE(run.Wait(30000));
    EXPECT_EQ(0u, run.ExitCode()) << "a declined update whose hand-off succeeds did its job";
    ASSERT_TRUE(world.WaitForRecord(L"zelvane-start"));
    for (int i = 0; i < 100 && CountEvents(world, L"zelvane-start") == handoffsBefore; ++i)
      Sleep(50);
    EXPECT_EQ(CountEvents(world, L"zelvane-start"), handoffsBefore + 1);
    EXPECT_EQ(CountEvents(world, L"installer-start"), 0u);
  }
}

TEST_F(LauncherMessages, MissingInstalledLauncherStillAsks) {
  const ServiceLanguageValue service(0);
  world.InstallProduct(kOlderVersion, /*withLauncher=*/false);
  const HWND dialog = StartAndWaitForDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ReadChild(dialog, IDC_MSG_TEXT).text, Catalogue(IDS_MSG_UPDATE_QUESTION, 0));
  EXPECT_EQ(ReadChild(dialog, IDCANCEL).text, L"Cancel");
  ClickAt(dialog, 543, 38);
  ExpectEndsWithoutAnotherDialog(dialog);
}

TEST_F(LauncherMessages, UpdateQuestionInEveryServiceLanguage) {
  world.InstallProduct(kOlderVersion);
  for (int language = 0; language < 8; ++language) {
    SCOPED_TRACE(testing::Message() << "service language " << language);
    const ServiceLanguageValue service(static_cast<DWORD>(language));
    ChildProcess run;
    ASSERT_TRUE(world.Start(run, world.DownloadedLauncher()));
    const HWND dialog = WaitForProcessDialog(run.Id());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ReadChild(dialog, IDC_MSG_TEXT).text, Catalogue(IDS_MSG_UPDATE_QUESTION, language));
    EXPECT_EQ(ReadChild(dialog, IDOK).text, Catalogue(IDS_BTN_OK, language));
    EXPECT_EQ(ReadChild(dialog, IDCANCEL).text, Catalogue(IDS_BTN_CANCEL, language));
    SaveArtefact(dialog, L"update_question_" + std::to_wstring(language));
    ClickAt(dialog, 543, 38);
    EXPECT_TRUE(run.Wait(30000));
  }
}

// ---------------------------------------------------------------------------
// The unsupported-Windows message.

// Wine takes a program's user locale from the Unix environment it starts
// with, which a child inherits from this test program, not from the
// environment block given to CreateProcess. So this test checks the locale
// the test program itself runs in; the build runs it once per locale (see
// tests/e2e/msgdlg_user_locales.cmake), naming the locale identifier that
// Wine must report in QUARNEL_TEST_USER_LCID.
TEST_F(LauncherMessages, WindowsSixPointZeroStopsInTheUserLocaleLanguage) {
  const LCID lcid = GetUserDefaultLCID();
  wchar_t expected[32] = {};
  if (GetEnvironmentVariableW(L"QUARNEL_TEST_USER_LCID", expected, 32)) {
    ASSERT_EQ(lcid, wcstoul(expected, nullptr, 0)) << "Wine did not take the requested locale";
  }
  const int language = ExpectedLanguageOfLocale(lcid);
  const ServiceLanguageValue service(0);
  world.InstallProduct(kOlderVersion);  // would be asked about if looked up
  SetReportedWindowsVersion(L"vista");

  const HWND dialog = StartAndWaitForDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ReadChild(dialog, IDC_MSG_TEXT).text, Catalogue(IDS_MSG_UNSUPPORTED_OS, language));
  const ChildInfo ok = ReadChild(dialog, IDCANCEL);
  EXPECT_EQ(ok.text, Catalogue(IDS_BTN_OK, language));
  EXPECT_TRUE(ok.visible);
  EXPECT_TRUE(SameRect(ok.rect, kSingleRect));
  EXPECT_FALSE(ReadChild(dialog, IDOK).visible);
  wchar_t lcidText[16];
  swprintf(lcidText, 16, L"%04lX", static_cast<unsigned long>(lcid));
  SaveArtefact(dialog, L"unsupported_windows_" + std::to_wstring(language) + L"_" + lcidText);
  ClickAt(dialog, 290, 292);
  ExpectEndsWithoutAnotherDialog(dialog);
  EXPECT_EQ(13u, launcher.ExitCode()) << "a refused Windows is no installed product";
  // Give a hand-off or an installer the time it would need to show up.
  EXPECT_FALSE(world.WaitForRecord(L"zelvane-start", 1000));
  EXPECT_TRUE(world.Records().empty());
}

}  // namespace
