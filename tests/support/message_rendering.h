// The message text as the dialog paints it, rendered independently in the
// test process: to tell from a screen capture which font painted the text.
#pragma once
#include <windows.h>

#include <string>

#include "tools/harness/screen_pixels.h"

// The dialog's 581 x 343 body colour with `text` drawn white in a bold
// 16-pixel font of `face`: measured and centred on the 130-pixel band below
// y = 90, wrapped in the 431-pixel width starting at x = 125.
ScreenPixels RenderMessage(const std::wstring& face, const std::wstring& text);

// Pixels of `region` whose colours differ by more than `tolerance` in any
// channel between `a` and `b`.
int DifferingPixels(const ScreenPixels& a, const ScreenPixels& b, const RECT& region,
                    int tolerance = 48);
