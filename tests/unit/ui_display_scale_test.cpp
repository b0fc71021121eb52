// Scales between the three the artwork is drawn for: which artwork a DPI
// takes, which resource that is, and the fonts' heights there.
#include <gtest/gtest.h>

#include "i18n/language_fonts.h"
#include "res/resource.h"
#include "ui/display_scale.h"

namespace {

TEST(DisplayScale, EachDpiTakesTheNearestArtworkNotBelowItAndScaledFonts) {
  struct Case {
    UINT dpi;
    UINT artworkDpi;
    WORD button;
    int length581;  // the window's width
    LONG text, title;
  };
  const Case cases[] = {
      {72, 96, IDR_PNG_BUTTON, 436, -12, -18},
      {96, 96, IDR_PNG_BUTTON, 581, -16, -24},
      {120, 144, IDR_PNG_BUTTON_144, 726, -20, -30},
      {144, 144, IDR_PNG_BUTTON_144, 872, -24, -36},
      {168, 192, IDR_PNG_BUTTON_192, 1017, -28, -42},
      {192, 192, IDR_PNG_BUTTON_192, 1162, -32, -48},
      {288, 192, IDR_PNG_BUTTON_192, 1743, -48, -72},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dpi << " DPI");
    const UINT artworkDpi = ArtworkDpiFor(c.dpi);
    EXPECT_EQ(artworkDpi, c.artworkDpi);
    EXPECT_EQ(ArtworkId(IDR_PNG_BUTTON, artworkDpi), c.button);
    EXPECT_EQ(ScaleToDpi(581, c.dpi), c.length581);
    EXPECT_EQ(UnscaleFromDpi(c.length581, c.dpi), 581);
    LOGFONTW font = {};
    DescribeTextFont(LANGUAGE_JAPANESE, &font, c.dpi);
    EXPECT_EQ(font.lfHeight, c.text);
    EXPECT_STREQ(font.lfFaceName, L"Meiryo UI");
    DescribeTitleFont(&font, c.dpi);
    EXPECT_EQ(font.lfHeight, c.title);
  }
}

}  // namespace
