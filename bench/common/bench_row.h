// The one line format in which every bench program reports a figure to
// bench.sh, which lines the rows of all programs up into one table:
//   ROW<TAB>figure<TAB>ours<TAB>floor<TAB>ratio<TAB>goal<TAB>met
// Other output lines are notes and are shown under the table.
#pragma once
#include <string>

#include "bench/common/sample_stats.h"

// "min / median / max unit" with `decimals` digits after the point.
std::string FormatSummary(const SampleSummary& summary, const char* unit, int decimals);

// A ROW line; `ratio` NaN prints "-". `goal` is the text of the goal
// ("<= 1.15x"), `met` one of "yes", "NO" or "-" (no goal).
std::string FormatRow(const std::string& figure, const std::string& ours,
                      const std::string& floor, double ratio, const std::string& goal,
                      const std::string& met);

// The "met" column for `value` against `goal`.
inline const char* MetText(double value, Goal goal) { return GoalMet(value, goal) ? "yes" : "NO"; }

// Prints a row to stdout and flushes, so that rows survive a later crash.
void PrintRow(const std::string& row);
// Prints a note line ("note: ...") to stdout.
void PrintNote(const std::string& text);
