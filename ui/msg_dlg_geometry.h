// The message dialog's geometry and colours, as its artwork has them. Every
// length is in pixels at 96 DPI; the dialog scales it to its window's DPI.
#pragma once
#include <windows.h>

#include "ui/msg_dlg.h"

// The window takes the size of its background picture.
constexpr int kWindowWidth = 581;
constexpr int kWindowHeight = 343;
// Rows 0-76: the black band, closed by its grey line, that drags the window.
constexpr int kBandHeight = 77;
constexpr int kTitleX = 40;
constexpr int kIconX = 20;
constexpr int kIconY = 110;
// The message is centred vertically on a band of this height below its top.
constexpr int kMessageX = 125;
constexpr int kMessageY = 90;
constexpr int kMessageWidth = kMessageAreaWidth;
constexpr int kMessageBandHeight = kMessageAreaHeight;
constexpr int kButtonsBottom = 318;
// The two buttons, without their gap, are centred on this width: the left one
// ends on its centre line and the right one starts the gap, 25 pixels,
// right of it.
constexpr int kButtonsSpan = 556;
constexpr int kButtonGap = 25;

constexpr int kCloseFrameSize = 36;
constexpr int kButtonFrameWidth = 123;
constexpr int kButtonFrameHeight = 52;
constexpr COLORREF kBandColour = RGB(0, 0, 0);
constexpr COLORREF kBodyColour = RGB(25, 25, 25);
constexpr COLORREF kTextColour = RGB(255, 255, 255);
