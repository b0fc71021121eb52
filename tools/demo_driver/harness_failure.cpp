// The demo reports a harness step that did not work as one line and goes on;
// what the launcher then does shows in the transcript.
#include "tools/harness/harness_failure.h"

#include <cstdio>

void ReportHarnessFailure(const char* file, int line, const std::string& what) {
  std::fprintf(stderr, "demo: %s:%d: %s did not work\n", file, line, what.c_str());
}
