// Real mouse input through SendInput, as a user's hand would give it.
#pragma once
#include <windows.h>

// Moves the pointer to (x, y) on the virtual screen in one absolute move.
bool MoveMouseToScreen(int x, int y);
// Presses or releases the left button where the pointer is.
bool LeftButton(bool down);
// The colour of the screen at (x, y), read back from the display.
COLORREF ScreenColourAt(int x, int y);
