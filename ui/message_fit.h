// Keeping a message inside the dialog's message area: a text too tall for
// it is shortened, never drawn past it.
#pragma once
#include <windows.h>

#include "afxwin.h"
#include "ui/display_scale.h"

// The wrapped size of `text` in `dc`'s current font on a `width`-pixel line,
// as DrawTextW with DT_WORDBREAK lays it out: wider than `width` when a word
// is longer than the line, which DrawTextW does not break.
SIZE WrappedTextSize(HDC dc, LPCWSTR text, int length, int width);

// `text` itself when its wrapped size in `dc`'s current font on a
// `width`-pixel line is at most `width` by `height`. Otherwise the text loses as much
// as needed just before its last word, which stays (it names the error:
// "(1260)"), and an ellipsis and a blank mark the place: "... contact your…
// (1260)". Cuts fall on a blank where one is near, else between characters,
// never inside a surrogate pair. A last word that cannot fit even alone is
// dropped as well, leaving the ellipsis at the end.
CString FitMessage(HDC dc, const CString& text, int width, int height);

// FitMessage for the message dialog's area (kMessageAreaWidth wide,
// kMessageAreaHeight high at 96 DPI, scaled to `dpi`, the DPI `font` was
// made for) in `font`, the text font the dialog paints with, measured on a
// memory context of the screen. `text` unchanged when no context can be had.
CString FitToMessageArea(HFONT font, const CString& text, UINT dpi = kBaseDpi);
