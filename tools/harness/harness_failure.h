// How the harness reports a step that did not work (a copy, a registry
// write, a scratch folder) without deciding what that means: a test program
// turns it into a test failure, the demo prints it. Each program that links
// the harness defines ReportHarnessFailure once.
#pragma once
#include <string>

void ReportHarnessFailure(const char* file, int line, const std::string& what);

// True when `condition` holds; otherwise reports it (with `detail`) and
// gives false, so callers can stop where a test would have asserted.
#define HARNESS_CHECK(condition, detail) \
  ((condition)                           \
       ? true                            \
       : (ReportHarnessFailure(__FILE__, __LINE__, std::string(#condition) + (detail)), false))
