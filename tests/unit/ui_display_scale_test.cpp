// The scales between the artwork's three: which artwork each DPI takes and
// the fonts' heights there (the GUI test covers 96, 144 and 192 DPI).
#include <gtest/gtest.h>

#include "i18n/language_fonts.h"
#include "res/resource.h"
#include "ui/display_scale.h"

TEST(DisplayScale, OtherScalesShrinkTheNextLargerArtworkAndScaleTheFonts) {
  const struct {
    UINT dpi;
    WORD button;
    LONG text, title;
  } cases[] = {{72, IDR_PNG_BUTTON, -12, -18},
               {120, IDR_PNG_BUTTON_144, -20, -30},
               {168, IDR_PNG_BUTTON_192, -28, -42},
               {288, IDR_PNG_BUTTON_192, -48, -72}};
  for (const auto& c : cases) {
    EXPECT_EQ(ArtworkId(IDR_PNG_BUTTON, ArtworkDpiFor(c.dpi)), c.button) << c.dpi;
    LOGFONTW font = {};
    DescribeTextFont(LANGUAGE_JAPANESE, &font, c.dpi);
    EXPECT_EQ(font.lfHeight, c.text) << c.dpi;
    DescribeTitleFont(&font, c.dpi);
    EXPECT_EQ(font.lfHeight, c.title) << c.dpi;
  }
}
