// The dialog fonts of each language as GDI holds them, read back from the
// created fonts.
#include <gtest/gtest.h>
#include <windows.h>

#include "i18n/catalogue.h"
#include "i18n/language_fonts.h"
#include "support/font_description.h"
#include "tools/harness/expected_values.h"

namespace {

const wchar_t* const* const kExpectedTextFaces = expected::kTextFaces;

TEST(LanguageFonts, TextFontOfEveryLanguage) {
  for (int language = 0; language < kLanguageCount; ++language) {
    LOGFONTW description;
    std::memset(&description, 0xCC, sizeof(description));
    DescribeTextFont(static_cast<LanguageIndex>(language), &description);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&description)) << language;
    const std::string what = "language " + std::to_string(language);
    ExpectSameFont(ExpectedFont(kExpectedTextFaces[language], expected::kTextFontHeight),
                   ReadBack(font), what.c_str());
  }
}

TEST(LanguageFonts, TitleFont) {
  LOGFONTW description;
  std::memset(&description, 0xCC, sizeof(description));
  DescribeTitleFont(&description);
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&description));
  ExpectSameFont(ExpectedFont(expected::kTitleFace, expected::kTitleFontHeight), ReadBack(font),
                 "title");
}

TEST(LanguageFonts, LanguageOutsideTheEightGetsTheEnglishFace) {
  for (int language : {-1, 8, 1000}) {
    LOGFONTW description;
    DescribeTextFont(static_cast<LanguageIndex>(language), &description);
    ExpectSameFont(ExpectedFont(expected::kTextFaces[0], expected::kTextFontHeight), description,
                   "out of range");
  }
}

}  // namespace
