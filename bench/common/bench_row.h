// The one line format in which every bench program reports a figure to
// bench.sh, which lines the rows of all programs up into one table:
//   ROW<TAB>figure<TAB>ours<TAB>floor<TAB>ratio<TAB>goal<TAB>met
// Other output lines are notes and are shown under the table.
#pragma once
#include <cstdio>
#include <string>

#include "bench/common/sample_stats.h"

// `value` with `decimals` digits after the point.
inline std::string FormatNumber(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof(text), "%.*f", decimals, value);
  return text;
}

// "min / median / max unit (n=count)" with `decimals` digits after the
// point; "no samples" for an empty summary.
inline std::string FormatSummary(const SampleSummary& summary, const char* unit, int decimals) {
  if (summary.count == 0) return "no samples";
  return FormatNumber(summary.min, decimals) + " / " + FormatNumber(summary.median, decimals) +
         " / " + FormatNumber(summary.max, decimals) + " " + unit +
         " (n=" + std::to_string(summary.count) + ")";
}

// A ROW line; `ratio` NaN prints "-". `goal` is the text of the goal
// ("<= 1.15x"), `met` one of "yes", "NO" or "-" (no goal). Tabs inside a
// field would shift the columns bench.sh reads, so they become spaces.
inline std::string FormatRow(const std::string& figure, const std::string& ours,
                             const std::string& floor, double ratio, const std::string& goal,
                             const std::string& met) {
  std::string row = "ROW";
  const std::string ratioText = ratio == ratio ? FormatNumber(ratio, 2) + "x" : "-";
  for (std::string field : {figure, ours, floor, ratioText, goal, met}) {
    for (char& c : field) {
      if (c == '\t' || c == '\n') c = ' ';
    }
    row += "\t" + (field.empty() ? std::string("-") : field);
  }
  return row;
}

// The "met" column for `value` against `goal`.
inline const char* MetText(double value, Goal goal) { return GoalMet(value, goal) ? "yes" : "NO"; }

// Prints a row to stdout and flushes, so that rows survive a later crash.
void PrintRow(const std::string& row);
// Prints a note line ("note: ...") to stdout.
void PrintNote(const std::string& text);
