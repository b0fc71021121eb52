// A bench reports a harness step that did not work as a note line; the
// figure that needed it then fails and bench.sh stops the run.
#include "tools/harness/harness_failure.h"

#include <cstdio>

void ReportHarnessFailure(const char* file, int line, const std::string& what) {
  std::fprintf(stderr, "note: bench harness: %s:%d: %s did not work\n", file, line, what.c_str());
}
