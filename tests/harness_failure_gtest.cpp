// In a test program a harness step that did not work fails the running test
// at the harness's line, as a check written there would.
#include <gtest/gtest.h>

#include "tools/harness/harness_failure.h"

void ReportHarnessFailure(const char* file, int line, const std::string& what) {
  ADD_FAILURE_AT(file, line) << what;
}
