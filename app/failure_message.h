// The message a failed run shows: the catalogue's line for the failure, then
// the system's own text of the Windows error and its number.
#pragma once
#include <windows.h>

#include "afxwin.h"
#include "i18n/language.h"

// Room for a system text: FormatMessageW fails rather than cut a longer one.
constexpr int kSystemTextChars = 512;
// Room for the whole message: a catalogue line, a line feed, a system text
// and " (4294967295)".
constexpr int kFailureMessageChars = 768;

// The system's text of `error` (FormatMessageW from the system), `program`
// put in for its first insert ("%1 is not a valid Win32 application") and
// any further insert left empty, its trailing line ends and blanks dropped.
// false, with `text` empty, when the system has none or it does not fit.
bool SystemErrorText(DWORD error, LPCWSTR program, WCHAR (&text)[kSystemTextChars]);

// Catalogue text `baseId` in `language`, a line feed, the system text of
// `error` (naming `program`, the file name of what failed to start) and the
// number in parentheses: "... (1260)". Without a system text
// the number stands alone on the second line; with `error` 0 (no error
// known), or should the whole not fit kFailureMessageChars, the catalogue
// line stands alone. Not yet fitted to the dialog.
CString FailureMessageText(UINT baseId, LanguageIndex language, DWORD error, LPCWSTR program);

// FailureMessageText fitted to the dialog's message area in the text font it
// will be painted with (the service language's): a long system text is
// shortened before the number, which stays (ui/message_fit.h). Unfitted
// before the application object's start-up has set g_pApp.
CString FittedFailureMessage(UINT baseId, LanguageIndex language, DWORD error, LPCWSTR program);
