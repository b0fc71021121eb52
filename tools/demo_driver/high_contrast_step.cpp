// Step 8 of the demo: the update question for a user with a high-contrast
// theme. Wine always reports the theme off, so the dialog host shows the
// launcher's dialog and answers that one question as Windows would
// (tools/msgdlg_host/high_contrast_probe.h); the colours are Wine's own,
// from Windows' "High Contrast Black" scheme.
#include <windows.h>

#include <string>
#include <vector>

#include "demo_steps.h"
#include "launcher_dialog.h"
#include "product_state.h"
#include "res/resource.h"
#include "tools/harness/high_contrast.h"
#include "tools/harness/msgdlg_driver.h"

namespace {

// What shows the theme took: the window's colour over most of the dialog,
// and not one pixel of the artwork's body colour.
std::vector<std::wstring> ColourProblems(const ScreenPixels& picture) {
  std::vector<std::wstring> problems;
  const RECT all = {0, 0, picture.width, picture.height};
  const int window =
      picture.Count(all, [](COLORREF c) { return ColoursNear(c, kHighContrastBlack.window, 2); });
  const int body =
      picture.Count(all, [](COLORREF c) { return ColoursNear(c, RGB(25, 25, 25), 2); });
  if (window < picture.width * picture.height / 2)
    problems.push_back(L"less than half the dialog in the theme's window colour");
  if (body > 0) problems.push_back(std::to_wstring(body) + L" pixels of the artwork's body colour");
  return problems;
}

}  // namespace

bool RunHighContrast(DemoContext& context, const std::wstring& label) {
  Transcript& transcript = context.transcript;
  transcript.Step(label, L"High contrast: the update question in the theme's colours");
  const HighContrastTheme theme(kHighContrastBlack, true);
  MsgDlgHost host(L"--style 0x41 --language 0 --message-language 0 --message-id " +
                  std::to_wstring(IDS_MSG_UPDATE_QUESTION));
  const HWND dialog = host.WaitForDialog();
  if (!transcript.Require(dialog && host.Value(0, "high_contrast_probe") == L"1",
                          L"the dialog host shows the question, high contrast reported on",
                          L"no dialog, or the host could not answer the high-contrast question"))
    return false;
  MoveMouseTo(dialog, 10, 200);
  Settle(dialog);
  if (!transcript.Verdict(L"drawn in the theme's colours, no artwork",
                          ColourProblems(CaptureWindow(dialog))))
    return false;
  ExpectedDialog expected;
  expected.message = StringOfModule(context.builtLauncher, IDS_MSG_UPDATE_QUESTION);
  expected.button = IDCANCEL;
  expected.buttonText = StringOfModule(context.builtLauncher, IDS_BTN_CANCEL);
  expected.picture = context.pictureDir + L"\\update-question-high-contrast.png";
  if (!AnswerLauncherDialog(dialog, expected, transcript)) return false;
  if (!transcript.Require(host.WaitForExit() == IDCANCEL, L"Cancel answers IDCANCEL",
                          L"the dialog did not end with IDCANCEL"))
    return false;
  AddCaption(expected.picture, L"English \x00B7 update question, high contrast");
  return true;
}
