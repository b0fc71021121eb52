// The demo's numbered transcript, written to standard output as UTF-8, and
// the record of whether every check held.
#pragma once
#include <string>
#include <vector>
#include "tools/harness/utf8.h"

class Transcript {
 public:
  // A step heading: a blank line, then "[label] title".
  void Step(const std::wstring& label, const std::wstring& title);
  // One indented line of what happened.
  void Line(const std::wstring& text);
  // "label: value", indented, the labels of one step aligned.
  void Fact(const std::wstring& label, const std::wstring& value);
  // Prints "ok: <what>" when `problems` is empty, otherwise one
  // "WRONG: <problem>" line each, and remembers the failure. Returns whether
  // it held.
  bool Verdict(const std::wstring& what, const std::vector<std::wstring>& problems);
  // Verdict() for a single condition; `problem` is printed when it is false.
  bool Require(bool condition, const std::wstring& what, const std::wstring& problem);

  bool failed() const { return m_failed; }

 private:
  bool m_failed = false;
};
