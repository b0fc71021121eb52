// The dialog for a user who has turned on a high-contrast theme: drawn in the
// system's colours, which that theme chose, instead of the artwork's.
#pragma once
#include <windows.h>

#include "afxwin.h"

// True while SPI_GETHIGHCONTRAST reports HCF_HIGHCONTRASTON; false when the
// system cannot say.
bool IsHighContrastOn();

// Fills `rect` with system colour `index` (COLOR_*).
void FillWithSystemColour(CDC& dc, const RECT& rect, int index);

// A `width`-pixel border in system colour `index` just inside `rect`.
void DrawSystemColourBorder(CDC& dc, const RECT& rect, int width, int index);

// The close cross of the artwork (its extent and stroke in proportion to
// `rect`'s width) in system colour `index`, without a background.
void DrawSystemColourCross(CDC& dc, const RECT& rect, int index);
