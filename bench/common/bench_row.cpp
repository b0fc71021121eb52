#include "bench/common/bench_row.h"

#include <cstdio>

void PrintRow(const std::string& row) {
  std::printf("%s\n", row.c_str());
  std::fflush(stdout);
}

void PrintNote(const std::string& text) {
  std::printf("note: %s\n", text.c_str());
  std::fflush(stdout);
}
