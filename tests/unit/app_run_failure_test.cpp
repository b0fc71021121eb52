// What a run that fails at its job reports: the end each outcome stands
// for, its exit code and message line, the message text with the
// system's own text of the error, and that text kept inside the dialog's
// message area however long the system's text is.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/failure_message.h"
#include "app/interactive_session.h"
#include "app/repair_offer.h"
#include "app/run_outcome.h"
#include "app/shell_start.h"
#include "i18n/catalogue.h"
#include "resource.h"
#include "text_values.h"
#include "ui/message_fit.h"
#include "ui/msg_dlg.h"

namespace {

std::wstring SystemTextOf(DWORD error, LPCWSTR program = L"Quarnel_Setup1.exe") {
  WCHAR text[kSystemTextChars];
  return SystemErrorText(error, program, text) ? std::wstring(text) : std::wstring();
}

// The system's text as it stands, inserts and all.
std::wstring RawSystemText(DWORD error) {
  WCHAR text[kSystemTextChars] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, kSystemTextChars, nullptr);
  return text;
}

// A deployment's outcome as its failed step makes it.
RunOutcome FailedDeployment(StepId step, DWORD error) {
  const StepResult failed = StepResult::Failed(step, error);
  return RunOutcome::Failed(EndOfFailedDeployment(failed), failed, L"C:\\Temp\\Quarnel_Setup1.exe");
}

TEST(RunOutcome, EachEndHasItsCodeAndMessage) {
  const struct Case {
    RunOutcome outcome;
    int exitCode;
    UINT messageId;
  } cases[] = {
      // The installer's own verdict is the run's, whatever number it uses.
      {RunOutcome::Installed(0), 0, 0},
      {RunOutcome::Installed(1603), 1603, 0},
      {RunOutcome::Installed(3010), 3010, 0},
      {RunOutcome::Installed(11), 11, 0},
      {RunOutcome::Installed(0xC0000005), -1073741819, 0},
      {FailedDeployment(StepId::kTempFolder, 206), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kSetupName, 206), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kPayload, 1812), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kSetupCopy, 112), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kSetupLock, 32), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kPrivateFolder, 5), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kSetupCheck, 1006), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kInstallerStart, 1260), 11, IDS_MSG_SETUP_NOT_STARTED},
      {FailedDeployment(StepId::kInstallerStart, 193), 11, IDS_MSG_SETUP_NOT_STARTED},
      // "No" at the elevation prompt: the person's choice, no message.
      {FailedDeployment(StepId::kInstallerStart, ERROR_CANCELLED), 1602, 0},
      // Started, but its end not waited for: it may still run, its verdict unknown.
      {FailedDeployment(StepId::kInstallerWait, 6), 14, IDS_MSG_SETUP_NOT_WAITED},
      {RunOutcome::Ended(RunEnd::kHandedOff), 0, 0},
      {RunOutcome::Failed(RunEnd::kApplicationNotStarted,
                          StepResult::Failed(StepId::kHandoffStart, 2), L"Zelvane.exe"),
       12, IDS_MSG_APP_NOT_STARTED},
      // The declined repair was the answer to the failure: no second message.
      {RunOutcome::Ended(RunEnd::kRepairDeclined), 12, 0},
      {RunOutcome::Ended(RunEnd::kAnotherLauncherRuns), 1618, 0},
      {RunOutcome::Ended(RunEnd::kUnsupportedWindows), 13, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.exitCode, ExitCodeOf(c.outcome)) << &c - cases;
    EXPECT_EQ(c.messageId, MessageIdOf(c.outcome.end)) << &c - cases;
  }
}

// A system text's %1 names the program by its file name, never cut.
TEST(RunOutcome, NamesTheProgramByItsFileNameWhenItFits) {
  const StepResult failed = StepResult::Failed(StepId::kInstallerStart, 193);
  EXPECT_STREQ(
      L"Quarnel_Setup12.exe",
      RunOutcome::Failed(RunEnd::kSetupNotStarted, failed, L"C:\\T\\Quarnel_Setup12.exe").program);
  const std::wstring longest(kProgramNameChars - 1, L'q');
  EXPECT_EQ(
      longest,
      RunOutcome::Failed(RunEnd::kSetupNotStarted, failed, (L"C:\\T\\" + longest).c_str()).program);
  const std::wstring overlong(kProgramNameChars, L'q');
  EXPECT_STREQ(L"", RunOutcome::Failed(RunEnd::kSetupNotStarted, failed, overlong.c_str()).program);
  EXPECT_STREQ(L"", RunOutcome::Failed(RunEnd::kSetupNotWritten, failed, nullptr).program);
}

// Only a Zelvane.exe the shell did not find is offered the repair; any other
// refusal is told as it is.
TEST(RunFailure, OnlyAMissingMainApplicationIsOfferedTheRepair) {
  const struct {
    StepResult handoff;
    bool repairable;
  } cases[] = {
      {StepResult::Failed(StepId::kHandoffStart, ERROR_FILE_NOT_FOUND), true},
      {StepResult::Failed(StepId::kHandoffStart, ERROR_PATH_NOT_FOUND), true},
      {StepResult::Failed(StepId::kHandoffProgram, ERROR_FILE_NOT_FOUND), true},
      {StepResult::Done(StepId::kHandoffStart), false},
      {StepResult::Failed(StepId::kHandoffStart, ERROR_BAD_EXE_FORMAT), false},
      {StepResult::Failed(StepId::kHandoffStart, ERROR_ACCESS_DENIED), false},
      {StepResult::Failed(StepId::kHandoffStart, ERROR_ACCESS_DISABLED_BY_POLICY), false},
      {StepResult::Failed(StepId::kHandoffPath, ERROR_FILENAME_EXCED_RANGE), false},
      {StepResult::Failed(StepId::kHandoffPath, ERROR_FILE_NOT_FOUND), false},
  };
  for (const auto& c : cases) {
    const RunOutcome handoff =
        c.handoff ? RunOutcome::Ended(RunEnd::kHandedOff)
                  : RunOutcome::Failed(RunEnd::kApplicationNotStarted, c.handoff, L"Zelvane.exe");
    EXPECT_EQ(c.repairable, IsRepairable(handoff)) << &c - cases;
  }
}

TEST(InteractiveSession, OnlyAVisibleStationOutsideTheServicesSessionHasSomebodyToAsk) {
  const struct {
    bool stationVisible;
    DWORD windowsMajor;
    bool sessionKnown;
    DWORD session;
    bool interactive;
  } cases[] = {
      {true, 10, true, 1, true},
      {true, 6, true, 2, true},
      // Since 6.0 only services run in session 0, on a station marked visible.
      {true, 10, true, 0, false},
      {true, 6, true, 0, false},
      // Before it, session 0 is the console's own.
      {true, 5, true, 0, true},
      {true, 5, false, 0, true},
      {true, 10, false, 1, false},
      {false, 10, true, 1, false},
      {false, 5, true, 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.interactive,
              IsInteractive(c.stationVisible, c.windowsMajor, c.sessionKnown, c.session))
        << c.stationVisible << " " << c.windowsMajor << " " << c.sessionKnown << " " << c.session;
  }
}

TEST(ShellStart, InstanceValuesBecomeTheWindowsErrorsTheyStandFor) {
  const struct {
    INT_PTR instance;
    DWORD error;
  } cases[] = {
      {0, ERROR_OUTOFMEMORY},
      {SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
      {SE_ERR_PNF, ERROR_PATH_NOT_FOUND},
      {SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED},
      {SE_ERR_OOM, ERROR_NOT_ENOUGH_MEMORY},
      {ERROR_BAD_FORMAT, ERROR_BAD_EXE_FORMAT},
      {SE_ERR_SHARE, ERROR_SHARING_VIOLATION},
      {SE_ERR_ASSOCINCOMPLETE, ERROR_NO_ASSOCIATION},
      {SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
      {SE_ERR_DDETIMEOUT, ERROR_DDE_FAIL},
      {SE_ERR_DDEFAIL, ERROR_DDE_FAIL},
      {SE_ERR_DDEBUSY, ERROR_DDE_FAIL},
      {SE_ERR_DLLNOTFOUND, ERROR_DLL_NOT_FOUND},
      {17, ERROR_GEN_FAILURE},
  };
  for (const auto& c : cases) EXPECT_EQ(c.error, ErrorOfShellInstance(c.instance)) << c.instance;
}

TEST(ShellStart, AMissingProgramFailsWithItsErrorAndNoBoxOfTheShell) {
  WCHAR missing[MAX_PATH];
  GetTempPathW(MAX_PATH, missing);
  lstrcatW(missing, L"quarnel-no-such-program.exe");
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = missing;
  info.nShow = SW_SHOWNORMAL;
  const StepResult start = StartThroughShell(info, StepId::kHandoffStart);
  EXPECT_FALSE(start.ok);
  EXPECT_EQ(StepId::kHandoffStart, start.step);
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), start.error);
}

TEST(FailureMessage, TheLineThenTheSystemTextAndTheNumber) {
  const std::wstring line = ToWide(LoadLocalizedString(IDS_MSG_SETUP_NOT_STARTED, LANGUAGE_GERMAN));
  ASSERT_FALSE(line.empty());
  const std::wstring fileNotFound = SystemTextOf(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(fileNotFound.empty());
  const struct {
    DWORD error;
    std::wstring expected;
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, line + L"\n" + fileNotFound + L" (2)"},
      // No error known: the line alone, not "The operation completed successfully".
      {0, line},
      // An error the system has no text for: the number alone.
      {0x2AAAAAAA, line + L"\n(715827882)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, ToWide(FailureMessageText(IDS_MSG_SETUP_NOT_STARTED, LANGUAGE_GERMAN,
                                                    c.error, L"Quarnel_Setup1.exe")))
        << c.error;
  }
}

// "%1 is not a valid Win32 application": the program's name stands there,
// never "%1", and an insert the text names beyond it is left empty.
TEST(FailureMessage, InsertsNameTheProgramNeverAPlaceholder) {
  int withInserts = 0;
  for (DWORD error : {193u, 34u, 1157u, 2u, 1260u}) {
    const std::wstring raw = RawSystemText(error);
    if (raw.empty()) continue;  // a system without that text
    const std::wstring text = SystemTextOf(error, L"Quarnel_Setup7.exe");
    EXPECT_EQ(std::wstring::npos, text.find(L'%')) << error << ": " << text;
    if (raw.find(L"%1") == std::wstring::npos) continue;
    ++withInserts;
    EXPECT_NE(std::wstring::npos, text.find(L"Quarnel_Setup7.exe")) << error << ": " << text;
  }
  EXPECT_GT(withInserts, 0) << "no system text here names %1";
  const std::wstring anonymous = SystemTextOf(193, nullptr);
  EXPECT_EQ(std::wstring::npos, anonymous.find(L'%')) << anonymous;
}

TEST(FailureMessage, SystemTextsLoseTheirLineEnds) {
  for (DWORD error : {2u, 5u, 193u, 206u, 1260u}) {
    const std::wstring text = SystemTextOf(error);
    if (text.empty()) continue;  // a system without that text
    EXPECT_EQ(std::wstring::npos, std::wstring(L"\r\n \t").find(text.back())) << error;
  }
}

// The dialog's text font with the service's language unset.
class TextFontDC {
 public:
  TextFontDC(const wchar_t* face = L"Segoe UI") {
    LOGFONTW description = {};
    description.lfHeight = -16;
    description.lfWeight = FW_BOLD;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(description.lfFaceName, face, LF_FACESIZE);
    m_font = CreateFontIndirectW(&description);
    m_dc = CreateCompatibleDC(nullptr);
    m_previous = SelectObject(m_dc, m_font);
  }
  ~TextFontDC() {
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
    DeleteObject(m_font);
  }
  HDC dc() const { return m_dc; }
  HFONT font() const { return m_font; }
  int Height(const std::wstring& text) const { return Size(text).cy; }
  SIZE Size(const std::wstring& text) const {
    return WrappedTextSize(m_dc, text.c_str(), static_cast<int>(text.size()), kMessageAreaWidth);
  }

 private:
  HFONT m_font;
  HDC m_dc;
  HGDIOBJ m_previous;
};

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(MessageFit, TextsTooTallForTheAreaLoseWordsBeforeTheirLastOne) {
  const TextFontDC measure;
  std::wstring words;
  while (measure.Height(words) <= 3 * kMessageAreaHeight) words += L"blocked by policy ";
  std::wstring ideographs;
  while (measure.Height(ideographs) <= 3 * kMessageAreaHeight) ideographs += L"\x6587\x4EF6";
  const struct {
    const char* name;
    std::wstring text;
    std::wstring end;  // what the fitted text ends with
    bool shortened;
  } cases[] = {
      {"fits", L"\"Quarnel\" could not start its installer.\nAccess denied. (5)", L"(5)", false},
      {"words", L"First line.\n" + words + L"(1260)", L"\x2026 (1260)", true},
      {"no blanks but the number", L"First line.\n" + ideographs + L" (193)", L"\x2026 (193)",
       true},
      {"one endless word", std::wstring(2000, L'W'), L"\x2026", true},
  };
  for (const auto& c : cases) {
    const std::wstring fitted =
        ToWide(FitMessage(measure.dc(), c.text.c_str(), kMessageAreaWidth, kMessageAreaHeight));
    EXPECT_LE(measure.Height(fitted), kMessageAreaHeight) << c.name;
    EXPECT_LE(measure.Size(fitted).cx, kMessageAreaWidth) << c.name;
    EXPECT_TRUE(EndsWith(fitted, c.end)) << c.name;
    EXPECT_EQ(c.shortened, fitted != c.text) << c.name;
    if (c.shortened) {
      EXPECT_EQ(0u, fitted.find(c.text.substr(0, 5))) << c.name;
    }
  }
}

// The longest text this system has for any error, behind each language's
// longest failure line, in the face of each language's text: inside the
// area, number kept.
TEST(MessageFit, TheLongestSystemTextStaysInsideTheArea) {
  DWORD longest = 0;
  size_t longestLength = 0;
  for (DWORD error = 1; error < 16000; ++error) {
    const size_t length = SystemTextOf(error).size();
    if (length > longestLength) {
      longest = error;
      longestLength = length;
    }
  }
  ASSERT_GT(longestLength, 0u);
  const std::wstring number = L" (" + std::to_wstring(longest) + L")";
  const wchar_t* faces[] = {L"Segoe UI", L"SimSun", L"Meiryo UI"};
  for (const wchar_t* face : faces) {
    const TextFontDC measure(face);
    for (int language = 0; language < kLanguageCount; ++language) {
      const CString text = FailureMessageText(IDS_MSG_APP_NOT_STARTED, LanguageIndex(language),
                                              longest, L"Zelvane.exe");
      const std::wstring fitted = ToWide(FitToMessageArea(measure.font(), text));
      EXPECT_LE(measure.Height(fitted), kMessageAreaHeight) << "language " << language;
      EXPECT_LE(measure.Size(fitted).cx, kMessageAreaWidth) << "language " << language;
      EXPECT_TRUE(EndsWith(fitted, number)) << "language " << language;
      const std::wstring line = ToWide(LoadLocalizedString(IDS_MSG_APP_NOT_STARTED, language));
      EXPECT_EQ(0u, fitted.find(line + L"\n")) << "language " << language;
    }
  }
}

TEST(WindowStation, TheTestsOwnStationIsTheVisibleOne) {
  // The test programs run on the session's interactive station, as a person's
  // launcher does; a station of one's own is not visible (see the end-to-end
  // test that starts the launcher on one).
  EXPECT_TRUE(IsInteractiveWindowStation());
}

}  // namespace
