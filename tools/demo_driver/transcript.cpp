#include "transcript.h"

#include <windows.h>

namespace {

// Straight to the handle: the CRT's text mode would add carriage returns and
// its narrow conversions would mangle Chinese and Japanese messages.
void WriteOut(const std::wstring& text) {
  const std::string bytes = ToUtf8(text + L"\n");
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD written = 0;
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

void Transcript::Step(const std::wstring& label, const std::wstring& title) {
  WriteOut(L"\n[" + label + L"] " + title);
}

void Transcript::Line(const std::wstring& text) { WriteOut(L"    " + text); }

void Transcript::Fact(const std::wstring& label, const std::wstring& value) {
  const size_t kLabelWidth = 22;
  std::wstring padded = label + L":";
  if (padded.size() < kLabelWidth) padded.append(kLabelWidth - padded.size(), L' ');
  Line(padded + L" " + value);
}

bool Transcript::Verdict(const std::wstring& what, const std::vector<std::wstring>& problems) {
  if (problems.empty()) {
    Line(L"ok: " + what);
    return true;
  }
  for (const std::wstring& problem : problems) Line(L"WRONG: " + problem);
  m_failed = true;
  return false;
}

bool Transcript::Require(bool condition, const std::wstring& what, const std::wstring& problem) {
  return Verdict(what,
                 condition ? std::vector<std::wstring>() : std::vector<std::wstring>{problem});
}
