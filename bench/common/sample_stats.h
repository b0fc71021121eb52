// Summaries of repeated measurements and the verdict against a goal. Header
// only, so that unit tests can check it without linking the bench programs.
#pragma once
#include <algorithm>
#include <cstddef>
#include <vector>

struct SampleSummary {
  std::size_t count = 0;
  double min = 0;
  double median = 0;
  double max = 0;
};

// Min, median (mean of the two middle values for an even count) and max of
// `samples`; all zero for no samples.
inline SampleSummary Summarize(std::vector<double> samples) {
  SampleSummary summary;
  summary.count = samples.size();
  if (samples.empty()) return summary;
  std::sort(samples.begin(), samples.end());
  const std::size_t mid = samples.size() / 2;
  summary.min = samples.front();
  summary.max = samples.back();
  summary.median = samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
  return summary;
}

// Which way a figure must lie relative to its limit.
enum class GoalKind { kAtMost, kAtLeast };

struct Goal {
  GoalKind kind;
  double limit;
};

// True when `value` keeps `goal`; a value on the limit keeps it, even when
// the division that made it (115 / 100 for 1.15) rounds a hair past. A value
// that is not a number (no floor measured) never meets a goal.
inline bool GoalMet(double value, Goal goal) {
  if (!(value == value)) return false;
  const double slack = goal.limit * 1e-9;
  return goal.kind == GoalKind::kAtMost ? value <= goal.limit + slack : value >= goal.limit - slack;
}

// ours / floor, or NaN when the floor is not positive, so that a failed
// floor measurement cannot pass for a met goal.
inline double Ratio(double ours, double floor) {
  if (!(floor > 0)) return 0.0 / 0.0;
  return ours / floor;
}
