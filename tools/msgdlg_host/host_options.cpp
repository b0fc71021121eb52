#include "host_options.h"

#include <cwchar>

namespace {

bool ParseNumber(const std::wstring& text, long long* value) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  *value = std::wcstoll(text.c_str(), &end, 0);
  return end && *end == L'\0';
}

}  // namespace

std::wstring UnescapeMessage(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size()) {
      if (text[i + 1] == L'n') {
        out += L'\n';
        ++i;
        continue;
      }
      if (text[i + 1] == L'\\') {
        out += L'\\';
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

bool ParseHostOptions(int argc, wchar_t** argv, HostOptions* options, std::wstring* error) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (i + 1 >= argc) {
      *error = L"missing value for " + name;
      return false;
    }
    const std::wstring value = argv[++i];
    long long number = 0;
    const bool numeric = ParseNumber(value, &number);
    if (name == L"--message") {
      options->message = UnescapeMessage(value);
    } else if (name == L"--report") {
      options->reportPath = value;
    } else if (!numeric) {
      *error = L"bad value for ";
      error->append(name).append(L": ").append(value);
      return false;
    } else if (name == L"--style") {
      options->style = static_cast<unsigned>(number);
    } else if (name == L"--language") {
      options->language = static_cast<int>(number);
    } else if (name == L"--message-id") {
      options->messageId = static_cast<unsigned>(number);
    } else if (name == L"--message-language") {
      options->messageLanguage = static_cast<int>(number);
    } else if (name == L"--reuse") {
      options->reuse = number != 0;
    } else if (name == L"--reference") {
      options->reference = number != 0;
    } else if (name == L"--repeat") {
      options->repeat = static_cast<int>(number);
    } else {
      *error = L"unknown switch " + name;
      return false;
    }
  }
  return true;
}
