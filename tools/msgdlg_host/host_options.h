// The request a test host run shows, read from its command line:
//   --style N          the style word (decimal or 0x hex)
//   --language N       the labels' language, negative for the service's
//   --message TEXT     the text; "\n" stands for a line feed, "\\" for "\"
//   --message-id B     the catalogue text with base id B instead of TEXT ...
//   --message-language N  ... in language N (default: the service's)
//   --repeat N         show the dialog N times in a row (default 1)
//   --reuse 1          show those N times with one dialog object
//   --reference 1      show the platform's MessageBoxW instead, with the same
//                      text and style word and the application title as caption
//   --report FILE      where to write the report (default: none)
#pragma once
#include <string>

struct HostOptions {
  unsigned style = 0;
  int language = -1;
  std::wstring message;
  unsigned messageId = 0;    // 0: use `message`
  int messageLanguage = -1;  // negative: the service's
  int repeat = 1;
  bool reuse = false;
  bool reference = false;
  std::wstring reportPath;
};

// Parses argv; false (with `error` set) on an unknown switch or bad number.
bool ParseHostOptions(int argc, wchar_t** argv, HostOptions* options, std::wstring* error);

// Replaces the escapes "\n" and "\\" of a command-line text.
std::wstring UnescapeMessage(const std::wstring& text);
