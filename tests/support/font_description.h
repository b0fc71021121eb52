// Reads back what a font was made from and compares it with what the
// launcher makes, for tests that check the fonts it creates.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "afxwin.h"

// The description of `font`. False without a font or when GDI cannot say.
inline bool ReadLogFont(HFONT font, LOGFONTW* description) {
  return font && GetObjectW(font, sizeof(LOGFONTW), description) == sizeof(LOGFONTW);
}

// The bold description the launcher gives its fonts of `face` at `height`.
inline LOGFONTW ExpectedFont(const wchar_t* face, LONG height) {
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
inline void ExpectSameFont(const LOGFONTW& expected, const LOGFONTW& actual, const char* what) {
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

// What GDI holds of `font`, with a test failure where it cannot say.
inline LOGFONTW ReadBack(const CFont& font) {
  LOGFONTW actual;
  std::memset(&actual, 0xCC, sizeof(actual));
  EXPECT_TRUE(ReadLogFont(font, &actual));
  return actual;
}
