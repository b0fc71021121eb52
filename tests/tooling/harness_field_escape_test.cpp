// The one escape of the stand-ins' logs, the service's request log and the
// dialog host's report: what it writes keeps fields and lines apart, and
// the harness reads back exactly what was written.
#include <gtest/gtest.h>

#include <string>

#include "tools/harness/field_escape.h"

namespace {

struct EscapeCase {
  const wchar_t* value;
  const wchar_t* escaped;
};

TEST(FieldEscape, WritesSeparatorsAndBackslashAsEscapesAndReadsThemBack) {
  const EscapeCase cases[] = {
      {L"", L""},
      {L"plain", L"plain"},
      {L"C:\\Apps\\Q", L"C:\\\\Apps\\\\Q"},
      {L"a\tb", L"a\\tb"},
      {L"line\r\nnext", L"line\\r\\nnext"},
      {L"\\t is not a tab", L"\\\\t is not a tab"},
      {L"ends with \\", L"ends with \\\\"},
  };
  for (const EscapeCase& c : cases) {
    const std::wstring escaped = EscapeField(c.value);
    EXPECT_EQ(std::wstring(c.escaped), escaped) << c.value;
    EXPECT_EQ(std::wstring::npos, escaped.find_first_of(L"\t\r\n")) << c.value;
    EXPECT_EQ(std::wstring(c.value), UnescapeField(escaped)) << c.value;
  }
}

TEST(FieldEscape, ReadsAnUnknownEscapeAsItsCharacterAndALoneEndBackslashAsItself) {
  EXPECT_EQ(L"q", UnescapeField(L"\\q"));
  EXPECT_EQ(L"end\\", UnescapeField(L"end\\"));
}

}  // namespace
