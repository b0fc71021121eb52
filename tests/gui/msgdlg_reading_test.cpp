// The message dialog as a screen reader hears it: each control's client
// object read through oleacc from this process (name, whether readers skip
// it, focus), for the launcher's messages in English and Japanese, and
// beside the platform's own MessageBoxW with the same caption, text and
// buttons, which is what readers already know how to read; and the text
// Ctrl+C and Ctrl+Insert put on the clipboard, in the platform box's layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "accessible_reading.h"
#include "i18n/language_source.h"
#include "res/resource.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/msgdlg_driver.h"

namespace {

// The launcher's messages: the update question (information icon, OK and
// Cancel, the service's language), the unsupported-Windows message and a
// failure message (stop icon, one button, an explicit language), the repair
// question (stop icon, OK and Cancel, an explicit language).
struct MessageKind {
  const char* name;
  UINT textId;
  unsigned style;
  bool explicitLanguage;
};
const MessageKind kUpdateQuestion = {"update question", IDS_MSG_UPDATE_QUESTION, 0x41, false};
const MessageKind kUnsupportedWindows = {"unsupported Windows", IDS_MSG_UNSUPPORTED_OS, 0x10, true};
const MessageKind kAppNotStarted = {"application not started", IDS_MSG_APP_NOT_STARTED, 0x10, true};
const MessageKind kRepairQuestion = {"repair question", IDS_MSG_REPAIR_QUESTION, 0x11, true};

struct ReadingCase {
  const MessageKind& message;
  int language;
};

// Languages x messages.
const ReadingCase kCases[] = {
    {kUpdateQuestion, LANGUAGE_ENGLISH},  {kUnsupportedWindows, LANGUAGE_ENGLISH},
    {kAppNotStarted, LANGUAGE_ENGLISH},   {kRepairQuestion, LANGUAGE_ENGLISH},
    {kUpdateQuestion, LANGUAGE_JAPANESE}, {kUnsupportedWindows, LANGUAGE_JAPANESE},
    {kAppNotStarted, LANGUAGE_JAPANESE},  {kRepairQuestion, LANGUAGE_JAPANESE},
};

std::string Describe(const ReadingCase& c) {
  return std::string(c.message.name) + ", language " + std::to_string(c.language);
}

// A catalogue text as the executable stores it (test programs carry the
// launcher's string table).
std::wstring Catalogue(UINT baseId, int language) {
  const wchar_t* text = nullptr;
  const int length =
      LoadStringW(nullptr, baseId + 1000 * language, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
}

bool SingleButton(const ReadingCase& c) { return (c.message.style & 0xF) == MB_OK; }

std::wstring MessageText(const ReadingCase& c) { return Catalogue(c.message.textId, c.language); }

// The request as the launcher makes it; `reference` shows the same through
// MessageBoxW.
std::wstring Request(const ReadingCase& c, bool reference) {
  const std::wstring language = std::to_wstring(c.language);
  const std::wstring text = L" --message-id " + std::to_wstring(c.message.textId);
  const std::wstring request = L"--style " + std::to_wstring(c.message.style) +
                               (c.message.explicitLanguage ? L" --language " + language + text +
                                                                 L" --message-language " + language
                                                           : L" --language -1" + text);
  return reference ? request + L" --reference 1" : request;
}

// What a reader hears of the launcher's dialog, in the dialog's order: the
// title, the message, the visible buttons, the close button.
std::vector<std::wstring> ExpectedNames(const ReadingCase& c) {
  const expected::ButtonLabels& labels = expected::kButtonLabels[c.language];
  if (SingleButton(c)) return {L"Quarnel", MessageText(c), labels.ok, labels.close};
  return {L"Quarnel", MessageText(c), labels.ok, labels.cancel, labels.close};
}

const AccessibleControl* Find(const std::vector<AccessibleControl>& controls, int id) {
  for (const AccessibleControl& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

// True when every name of `part` is also among `whole`.
bool AllAmong(const std::vector<std::wstring>& part, const std::vector<std::wstring>& whole) {
  for (const std::wstring& name : part) {
    if (std::find(whole.begin(), whole.end(), name) == whole.end()) return false;
  }
  return true;
}

// What Windows' MessageBoxW copies of itself: title, message and the
// visible buttons' labels between lines of dashes. Wine 8's copies nothing
// (its user32 holds no such text), so the layout is typed here.
std::wstring ExpectedCopy(const ReadingCase& c) {
  const expected::ButtonLabels& labels = expected::kButtonLabels[c.language];
  const std::wstring rule = L"---------------------------\r\n";
  const std::wstring buttons = SingleButton(c)
                                   ? std::wstring(labels.ok) + L"   "
                                   : std::wstring(labels.ok) + L"   " + labels.cancel + L"   ";
  return rule + L"Quarnel\r\n" + rule + MessageText(c) + L"\r\n" + rule + buttons + L"\r\n" + rule;
}

void EmptyTheClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

// The clipboard's CF_UNICODETEXT; "" when it holds none.
std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// `key` with `modifier` typed into `dialog`: what the clipboard holds after.
std::wstring CopiedBy(HWND dialog, WORD key, WORD modifier) {
  EmptyTheClipboard();
  PressKey(dialog, key, modifier);
  Settle(dialog);
  return ClipboardText();
}

// A dialog of the host, read once it has settled, with the identifiers of
// the windows its process announced as focused until then; for ours, what C
// alone, Ctrl+C and Ctrl+Insert copied; how it ended.
struct Reading {
  bool shown = false;
  std::wstring windowText;
  std::vector<AccessibleControl> controls;
  std::vector<int> focusEvents;
  std::wstring copiedByC, copiedByCtrlC, copiedByCtrlInsert;
  DWORD result = 0;
};

Reading ReadDialogOf(const ReadingCase& c, bool reference) {
  const ServiceLanguageValue service(static_cast<DWORD>(c.language));
  FocusEventLog focus;
  EXPECT_TRUE(focus.Hooked());
  MsgDlgHost host(Request(c, reference));
  Reading reading;
  const HWND dialog = host.WaitForDialog();
  if (!dialog) return reading;
  reading.shown = true;
  DWORD processId = 0;
  GetWindowThreadProcessId(dialog, &processId);
  for (HWND focused : focus.FocusedWindowsOf(processId))
    reading.focusEvents.push_back(GetDlgCtrlID(focused));
  reading.windowText = WindowTextOf(dialog);
  reading.controls = ReadAccessibleControls(dialog);
  if (!reference) {
    reading.copiedByC = CopiedBy(dialog, 'C', 0);
    reading.copiedByCtrlC = CopiedBy(dialog, 'C', VK_CONTROL);
    reading.copiedByCtrlInsert = CopiedBy(dialog, VK_INSERT, VK_CONTROL);
  }
  // Either box ends on a click of its focused button.
  const std::vector<AccessibleControl> focused = FocusedControls(reading.controls);
  const int button = focused.empty() ? IDCANCEL : focused.front().id;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  reading.result = host.WaitForExit();
  EXPECT_NE(reading.result, static_cast<DWORD>(STILL_ACTIVE));
  return reading;
}

// The language of this run's user locale, whose texts the platform's own
// message box shows. A requested locale Wine did not give fails the run.
int UserLocaleLanguage() {
  const LCID lcid = GetUserDefaultLCID();
  wchar_t requested[32] = {};
  if (GetEnvironmentVariableW(L"QUARNEL_TEST_USER_LCID", requested, 32)) {
    EXPECT_EQ(lcid, wcstoul(requested, nullptr, 0)) << "Wine did not take the requested locale";
  }
  return LanguageIndexFromLcid(lcid);
}

TEST(DialogReading, ReaderHearsTitleMessageAndEveryShownButtonWithTheFocusOnTheFirst) {
  for (const ReadingCase& c : kCases) {
    SCOPED_TRACE(Describe(c));
    const Reading reading = ReadDialogOf(c, false);
    ASSERT_TRUE(reading.shown);
    EXPECT_EQ(reading.windowText, L"Quarnel");
    for (const AccessibleControl& control : reading.controls) {
      EXPECT_TRUE(control.read) << "control " << control.id;
    }
    EXPECT_EQ(HeardNames(reading.controls), ExpectedNames(c));

    const AccessibleControl* message = Find(reading.controls, IDC_MSG_TEXT);
    ASSERT_TRUE(message);
    EXPECT_FALSE(message->invisible);
    EXPECT_EQ(message->name, MessageText(c));
    const AccessibleControl* left = Find(reading.controls, IDOK);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->invisible, SingleButton(c));
    EXPECT_EQ(left->unavailable, SingleButton(c));

    const int firstId = SingleButton(c) ? IDCANCEL : IDOK;
    const std::vector<AccessibleControl> focused = FocusedControls(reading.controls);
    ASSERT_EQ(focused.size(), 1u);
    EXPECT_EQ(focused.front().id, firstId);
    EXPECT_EQ(reading.focusEvents, std::vector<int>{firstId});

    EXPECT_EQ(reading.copiedByC, L"") << "C alone copies nothing";
    EXPECT_EQ(reading.copiedByCtrlC, ExpectedCopy(c));
    EXPECT_EQ(reading.copiedByCtrlInsert, ExpectedCopy(c));
    EXPECT_EQ(reading.result, static_cast<DWORD>(SingleButton(c) ? IDCANCEL : IDOK))
        << "copying ends nothing: the focused button's click does";
  }
}

// The platform's box in this run's locale is the reference: whatever a
// reader hears there (its own order puts the buttons first), the launcher's
// dialog says too, and both put the focus on the same first button.
TEST(DialogReading, ReaderHearsWhatThePlatformMessageBoxSays) {
  const int language = UserLocaleLanguage();
  int compared = 0;
  for (const ReadingCase& c : kCases) {
    if (c.language != language) continue;
    SCOPED_TRACE(Describe(c));
    ++compared;
    const Reading platform = ReadDialogOf(c, true);
    const Reading ours = ReadDialogOf(c, false);
    ASSERT_TRUE(platform.shown && ours.shown);
    EXPECT_EQ(ours.windowText, platform.windowText);
    const std::vector<std::wstring> platformNames = HeardNames(platform.controls);
    EXPECT_TRUE(AllAmong(platformNames, HeardNames(ours.controls)))
        << testing::PrintToString(platformNames) << " within "
        << testing::PrintToString(HeardNames(ours.controls));
    EXPECT_NE(std::find(platformNames.begin(), platformNames.end(), MessageText(c)),
              platformNames.end());

    const std::vector<AccessibleControl> platformFocus = FocusedControls(platform.controls);
    const std::vector<AccessibleControl> ourFocus = FocusedControls(ours.controls);
    ASSERT_EQ(platformFocus.size(), 1u);
    ASSERT_EQ(ourFocus.size(), 1u);
    EXPECT_EQ(ourFocus.front().name, platformFocus.front().name);
  }
  EXPECT_GT(compared, 0) << "no row in the language of locale " << GetUserDefaultLCID();
}

}  // namespace
