// The command-line tail the application object is handed: what follows the
// program's name, quoted or not.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "afxwin.h"

namespace {

TEST(FrameworkCommandLine, TailAfterTheProgramName) {
  const struct {
    const wchar_t* line;
    const wchar_t* tail;
  } cases[] = {
      {L"\"C:\\Program Files\\Quarnel.exe\" -P", L"-P"},
      {L"\"C:\\a b\\Quarnel.exe\"\t \t-P", L"-P"},
      {L"\"C:\\a b\\Quarnel.exe\" -P  ", L"-P  "},
      {L"\"C:\\Quarnel.exe\"-P", L"-P"},
      {L"\"C:\\Quarnel.exe\"", L""},
      {L"\"\"  x", L"x"},
      {L"\"unterminated -P", L""},
      {L"Quarnel.exe -P", L"-P"},
      {L"Quarnel.exe\t-P", L"-P"},
      {L"C:\\Quarnel.exe   one two ", L"one two "},
      {L"Quarnel.exe", L""},
      {L"Quarnel.exe   ", L""},
      {L"", L""},
  };
  for (const auto& c : cases) {
    std::wstring buffer(c.line);
    LPWSTR start = &buffer[0];
    LPWSTR tail = AfxCommandLineTail(start);
    ASSERT_NE(nullptr, tail) << c.line;
    EXPECT_STREQ(c.tail, tail) << c.line;
    EXPECT_GE(tail, start);
    EXPECT_LE(tail, start + buffer.size()) << "the tail points into the line";
  }
  EXPECT_EQ(nullptr, AfxCommandLineTail(nullptr));
}

}  // namespace
