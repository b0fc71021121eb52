// The dialog's scale: the DPI of its window, lengths given at 96 DPI scaled
// to it, and which of the artwork's resolutions draws it.
#pragma once
#include <windows.h>

// The DPI everything is drawn for when nothing is scaled.
constexpr UINT kBaseDpi = 96;

// The DPI of `window`: GetDpiForWindow where the system has it, else the
// screen's LOGPIXELSX; kBaseDpi when neither answers.
UINT WindowDpi(HWND window);

// `length` pixels at 96 DPI in pixels at `dpi`, rounded half away from zero.
int ScaleToDpi(int length, UINT dpi);

// `length` pixels at `dpi` in pixels at 96 DPI, rounded the same way.
int UnscaleFromDpi(int length, UINT dpi);

// The resolution of the artwork that draws best at `dpi`: 96, 144 or 192,
// the smallest not below `dpi` (192 above it), so artwork shrinks rather
// than grows where it must be stretched at all.
UINT ArtworkDpiFor(UINT dpi);

// The resource of picture `id96` (an IDR_PNG_* of 96 DPI) drawn for
// `artworkDpi` (a result of ArtworkDpiFor).
WORD ArtworkId(WORD id96, UINT artworkDpi);
