// The dialog fonts as GDI holds them, read back from the created fonts.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "i18n/language_fonts.h"

namespace {

LOGFONTW ExpectedFont(const wchar_t* face, LONG height) {
  LOGFONTW expected;
  std::memset(&expected, 0, sizeof(expected));
  expected.lfHeight = height;
  expected.lfWeight = 700;
  expected.lfCharSet = 1;
  wcscpy(expected.lfFaceName, face);
  return expected;
}

// Compares field by field first, for a readable failure, then byte for byte,
// so that even the unused tail of the face name must be zero.
void ExpectSameFont(const LOGFONTW& expected, const LOGFONTW& actual, const char* what) {
  EXPECT_EQ(expected.lfHeight, actual.lfHeight) << what;
  EXPECT_EQ(expected.lfWidth, actual.lfWidth) << what;
  EXPECT_EQ(expected.lfEscapement, actual.lfEscapement) << what;
  EXPECT_EQ(expected.lfOrientation, actual.lfOrientation) << what;
  EXPECT_EQ(expected.lfWeight, actual.lfWeight) << what;
  EXPECT_EQ(expected.lfItalic, actual.lfItalic) << what;
  EXPECT_EQ(expected.lfUnderline, actual.lfUnderline) << what;
  EXPECT_EQ(expected.lfStrikeOut, actual.lfStrikeOut) << what;
  EXPECT_EQ(expected.lfCharSet, actual.lfCharSet) << what;
  EXPECT_EQ(expected.lfOutPrecision, actual.lfOutPrecision) << what;
  EXPECT_EQ(expected.lfClipPrecision, actual.lfClipPrecision) << what;
  EXPECT_EQ(expected.lfQuality, actual.lfQuality) << what;
  EXPECT_EQ(expected.lfPitchAndFamily, actual.lfPitchAndFamily) << what;
  EXPECT_STREQ(expected.lfFaceName, actual.lfFaceName) << what;
  EXPECT_EQ(0, std::memcmp(&expected, &actual, sizeof(expected))) << what;
}

LOGFONTW ReadBack(const CFont& font) {
  LOGFONTW actual;
  std::memset(&actual, 0xCC, sizeof(actual));
  EXPECT_TRUE(font.GetLogFont(&actual));
  return actual;
}

const wchar_t* const kExpectedTextFaces[kLanguageCount] = {
    L"Segoe UI", L"Segoe UI", L"Segoe UI", L"Segoe UI",
    L"Segoe UI", L"Segoe UI", L"SimSun",   L"Meiryo UI"};

TEST(LanguageFonts, TextFontOfEveryLanguage) {
  for (int language = 0; language < kLanguageCount; ++language) {
    LOGFONTW description;
    std::memset(&description, 0xCC, sizeof(description));
    DescribeTextFont(static_cast<LanguageIndex>(language), &description);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&description)) << language;
    const std::string what = "language " + std::to_string(language);
    ExpectSameFont(ExpectedFont(kExpectedTextFaces[language], -16), ReadBack(font), what.c_str());
  }
}

TEST(LanguageFonts, TitleFont) {
  LOGFONTW description;
  std::memset(&description, 0xCC, sizeof(description));
  DescribeTitleFont(&description);
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&description));
  ExpectSameFont(ExpectedFont(L"Segoe UI", -24), ReadBack(font), "title");
}

TEST(LanguageFonts, LanguageOutsideTheEightGetsTheEnglishFace) {
  for (int language : {-1, 8, 1000}) {
    LOGFONTW description;
    DescribeTextFont(static_cast<LanguageIndex>(language), &description);
    ExpectSameFont(ExpectedFont(L"Segoe UI", -16), description, "out of range");
  }
}

TEST(LanguageFonts, DestroyingTheHolderDeletesTheFont) {
  LOGFONTW description;
  DescribeTextFont(LANGUAGE_JAPANESE, &description);
  HGDIOBJ first = nullptr;
  HGDIOBJ second = nullptr;
  {
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&description));
    first = font.GetSafeHandle();
    // Creating again must not leak the first font.
    ASSERT_TRUE(font.CreateFontIndirect(&description));
    second = font.GetSafeHandle();
    ASSERT_NE(first, second);
    EXPECT_EQ(0u, GetObjectType(first));
    EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(second));
  }
  EXPECT_EQ(0u, GetObjectType(second));
}

}  // namespace
