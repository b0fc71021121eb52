// The launcher's message dialog as the demo meets it: checked against the
// texts the launcher carries, pictured, and answered with a real click.
#pragma once
#include <windows.h>

#include <string>

#include "transcript.h"

struct ExpectedDialog {
  std::wstring message;     // the text the message area must hold
  int button = IDOK;        // the control to click
  std::wstring buttonText;  // the caption that control must show
  std::wstring picture;     // where to save the PNG picture; empty: none
};

// Checks `dialog`'s message and button caption, saves its picture (pointer
// off the buttons), then clicks the button. Reports each part to
// `transcript`; false when something was wrong (nothing is clicked then).
bool AnswerLauncherDialog(HWND dialog, const ExpectedDialog& expected, Transcript& transcript);

// One line per picture for the contact sheet: "<file name>\t<caption>",
// appended to captions.txt beside the picture.
void AddCaption(const std::wstring& picture, const std::wstring& caption);
