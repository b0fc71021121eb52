// Ctrl+C in the platform's message box puts the box on the clipboard as
// text, which is what support desks ask for; the dialog copies itself the
// same way.
#pragma once
#include <windows.h>

// The parts of a dialog that its text copy holds.
struct DialogText {
  LPCWSTR title;
  LPCWSTR message;
  LPCWSTR labels[2];  // the visible buttons' labels, left to right
  int labelCount;     // 0 to 2
};

// The platform's layout of `text` into `buffer` of `capacity` characters,
// null-terminated: dashes, title, dashes, message, dashes, each label
// followed by three blanks, dashes, each line ended by CR LF. Its length
// without the null; 0, and nothing written, when it does not fit.
size_t FormatDialogText(const DialogText& text, LPWSTR buffer, size_t capacity);

// Puts that text on the clipboard as CF_UNICODETEXT for window `owner`; false
// when the clipboard or the memory for it cannot be had.
bool CopyDialogText(HWND owner, const DialogText& text);
