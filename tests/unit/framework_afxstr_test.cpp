// CString: construction, assignment (including from its own text), ordinal
// comparison, loading from the string table.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "afxwin.h"
#include "framework_string_ids.h"
#include "text_values.h"

namespace {

TEST(FrameworkString, Construction) {
  const wchar_t text[] = L"abcdef";
  const struct {
    const char* name;
    CString value;
    const wchar_t* expected;
  } cases[] = {
      {"default", CString(), L""},
      {"null text", CString(static_cast<LPCWSTR>(nullptr)), L""},
      {"text", CString(text), L"abcdef"},
      {"prefix", CString(text, 3), L"abc"},
      {"zero length", CString(text, 0), L""},
      {"negative length", CString(text, -4), L""},
      {"null with length", CString(nullptr, 5), L""},
      {"prefix of a longer buffer keeps its own end", CString(L"ab\0cd", 5), L"ab"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(c.expected, c.value.GetString()) << c.name;
    EXPECT_NE(nullptr, static_cast<LPCWSTR>(c.value)) << c.name;
  }
  EXPECT_EQ(5, CString(L"ab\0cd", 5).GetLength()) << "the given length counts, NULs included";
  EXPECT_TRUE(CString().IsEmpty());
}

TEST(FrameworkString, CopyAndMove) {
  CString original(L"value");
  CString copy(original);
  EXPECT_STREQ(L"value", copy);
  EXPECT_NE(original.GetString(), copy.GetString()) << "a copy owns its own text";

  CString moved(static_cast<CString&&>(copy));
  EXPECT_STREQ(L"value", moved);
  EXPECT_TRUE(copy.IsEmpty());
  EXPECT_STREQ(L"", copy);

  CString target(L"old");
  target = static_cast<CString&&>(moved);
  EXPECT_STREQ(L"value", target);
  EXPECT_TRUE(moved.IsEmpty());
}

TEST(FrameworkString, AssignmentFromItself) {
  CString s(L"self");
  CString& alias = s;
  s = alias;
  EXPECT_STREQ(L"self", s);
  s = static_cast<CString&&>(alias);
  EXPECT_STREQ(L"self", s);

  // Its own buffer, whole and in part: the text must be copied before the
  // old buffer goes.
  s = L"0123456789";
  s = s.GetString();
  EXPECT_STREQ(L"0123456789", s);
  s = s.GetString() + 4;
  EXPECT_STREQ(L"456789", s);
  EXPECT_EQ(6, s.GetLength());
  s = static_cast<LPCWSTR>(nullptr);
  EXPECT_TRUE(s.IsEmpty());
}

TEST(FrameworkString, EmptyReleasesAndStaysUsable) {
  CString s(L"x");
  s.Empty();
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_STREQ(L"", s);
  s = L"again";
  EXPECT_EQ(5, s.GetLength());
}

TEST(FrameworkString, CompareIsOrdinal) {
  const struct {
    const wchar_t* a;
    const wchar_t* b;
    int sign;
  } cases[] = {
      {L"abc", L"abc", 0},
      {L"a", L"b", -1},
      {L"b", L"a", 1},
      {L"ab", L"abc", -1},
      {L"abc", L"ab", 1},
      {L"", L"", 0},
      {L"", nullptr, 0},
      {L"a", nullptr, 1},
      // Code units, not a locale's collation: upper case before lower case,
      // accents after ASCII, and units above 0x7FFF are not negative.
      {L"Z", L"a", -1},
      {L"\u00e9", L"z", 1},
      {L"\uffff", L"\u0100", 1},
      {L"\u0100", L"\uffff", -1},
  };
  for (const auto& c : cases) {
    const CString s(c.a);
    EXPECT_EQ(c.sign, Sign(s.Compare(c.b)))
        << std::wstring(c.a).size() << " units vs " << (c.b ? std::wstring(c.b).size() : 0);
    EXPECT_EQ(c.sign == 0, s == c.b);
    EXPECT_EQ(c.sign != 0, s != c.b);
  }
}

TEST(FrameworkString, LoadStringFromTheTable) {
  const std::wstring longText = [] {
    std::wstring t;
    for (int i = 0; i < 60; ++i) t += L"0123456789";
    return t;
  }();
  const struct {
    const char* name;
    UINT id;
    BOOL found;
    std::wstring text;
  } cases[] = {
      {"short", IDS_FW_SHORT, TRUE, L"Framework text"},
      {"longer than any fixed buffer", IDS_FW_LONG, TRUE, longText},
      {"gap in a present block", IDS_FW_GAP, FALSE, L""},
      {"absent block", IDS_FW_NO_BLOCK, FALSE, L""},
      {"the application title", 57344, TRUE, L"Quarnel"},
  };
  for (const auto& c : cases) {
    CString s(L"previous");
    EXPECT_EQ(c.found, s.LoadString(c.id)) << c.name;
    EXPECT_EQ(c.text, std::wstring(s.GetString())) << c.name;
    EXPECT_EQ(static_cast<int>(c.text.size()), s.GetLength()) << c.name;
  }
}

}  // namespace
