#include "bench/common/bench_row.h"

#include <cstdio>

namespace {

std::string Number(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof(text), "%.*f", decimals, value);
  return text;
}

}  // namespace

std::string FormatSummary(const SampleSummary& summary, const char* unit, int decimals) {
  if (summary.count == 0) return "no samples";
  return Number(summary.min, decimals) + " / " + Number(summary.median, decimals) + " / " +
         Number(summary.max, decimals) + " " + unit + " (n=" + std::to_string(summary.count) + ")";
}

std::string FormatRow(const std::string& figure, const std::string& ours,
                      const std::string& floor, double ratio, const std::string& goal,
                      const std::string& met) {
  const std::string ratioText = ratio == ratio ? Number(ratio, 2) + "x" : "-";
  return "ROW\t" + figure + "\t" + ours + "\t" + floor + "\t" + ratioText + "\t" + goal + "\t" +
         met;
}

void PrintRow(const std::string& row) {
  std::printf("%s\n", row.c_str());
  std::fflush(stdout);
}

void PrintNote(const std::string& text) {
  std::printf("note: %s\n", text.c_str());
  std::fflush(stdout);
}
