// The arithmetic behind the bench table: summaries of repeated samples, the
// verdict against a goal, and reading a stand-in's start time from its log.
// A wrong median or a failed floor that passes for a met goal would make the
// table lie.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench/common/bench_row.h"
#include "bench/common/sample_stats.h"
#include "bench/common/standin_qpc.h"

namespace {

struct SummaryCase {
  const char* name;
  std::vector<double> samples;
  double min, median, max;
};

TEST(BenchSummary, MinMedianMaxOfUnsortedSamples) {
  const SummaryCase cases[] = {
      {"one", {7}, 7, 7, 7},
      {"odd count, unsorted", {9, 1, 5}, 1, 5, 9},
      {"even count takes the middle pair's mean", {4, 1, 3, 2}, 1, 2.5, 4},
      {"duplicates", {2, 2, 2, 9}, 2, 2, 9},
      {"an outlier moves max, not median", {10, 11, 12, 13, 5000}, 10, 12, 5000},
  };
  for (const SummaryCase& c : cases) {
    const SampleSummary summary = Summarize(c.samples);
    EXPECT_EQ(c.samples.size(), summary.count) << c.name;
    EXPECT_DOUBLE_EQ(c.min, summary.min) << c.name;
    EXPECT_DOUBLE_EQ(c.median, summary.median) << c.name;
    EXPECT_DOUBLE_EQ(c.max, summary.max) << c.name;
  }
}

TEST(BenchSummary, NoSamplesGiveAnEmptySummary) {
  const SampleSummary summary = Summarize({});
  EXPECT_EQ(0u, summary.count);
  EXPECT_EQ(0, summary.median);
}

struct GoalCase {
  double ours, floor;
  Goal goal;
  bool met;
};

TEST(BenchGoal, RatioAgainstTheGoalInBothDirections) {
  const GoalCase cases[] = {
      {115, 100, {GoalKind::kAtMost, 1.15}, true},  // exactly at the limit
      {116, 100, {GoalKind::kAtMost, 1.15}, false},
      {90, 100, {GoalKind::kAtLeast, 0.9}, true},
      {89, 100, {GoalKind::kAtLeast, 0.9}, false},
      {1, 100, {GoalKind::kAtMost, 2.0}, true},
      // A floor that was never measured must not make any goal met.
      {50, 0, {GoalKind::kAtMost, 2.0}, false},
      {50, 0, {GoalKind::kAtLeast, 0.9}, false},
      {50, -1, {GoalKind::kAtMost, 2.0}, false},
  };
  for (const GoalCase& c : cases) {
    EXPECT_EQ(c.met, GoalMet(Ratio(c.ours, c.floor), c.goal))
        << c.ours << " vs " << c.floor << " limit " << c.goal.limit;
  }
}

TEST(BenchGoal, RatioOfMissingFloorIsNotANumber) {
  EXPECT_TRUE(std::isnan(Ratio(10, 0)));
  EXPECT_DOUBLE_EQ(1.5, Ratio(3, 2));
}

struct LogCase {
  const char* name;
  std::string log;
  long long expected;
};

TEST(BenchStandinLog, StartCounterOfTheNamedEvent) {
  const LogCase cases[] = {
      {"first field", "zelvane-start\tqpc=123456\tprogram=C:\\x\n", 123456},
      {"last field", "zelvane-start\tprogram=C:\\x\tqpc=42\n", 42},
      {"second line", "installer-start\tqpc=1\nzelvane-start\tqpc=2\n", 2},
      {"first of two starts", "zelvane-start\tqpc=5\nzelvane-start\tqpc=6\n", 5},
      {"no such event", "installer-start\tqpc=1\n", -1},
      {"event name is only a prefix", "zelvane-start-late\tqpc=9\n", -1},
      {"field name is only a suffix", "zelvane-start\txqpc=9\n", -1},
      {"line still being written", "zelvane-start\tqpc=77", -1},
      {"not a number", "zelvane-start\tqpc=12a\n", -1},
      {"empty value", "zelvane-start\tqpc=\tcwd=C:\\\n", -1},
      {"empty log", "", -1},
  };
  for (const LogCase& c : cases) {
    EXPECT_EQ(c.expected, StandinCounter(c.log, "zelvane-start")) << c.name;
  }
}

TEST(BenchStandinLog, OtherFieldsOfAProfileLine) {
  const std::string log = "profile\tentry=100\tstatics=150\tshell=900\n";
  EXPECT_EQ(100, StandinCounter(log, "profile", "entry"));
  EXPECT_EQ(150, StandinCounter(log, "profile", "statics"));
  EXPECT_EQ(900, StandinCounter(log, "profile", "shell"));
  EXPECT_EQ(-1, StandinCounter(log, "profile", "gdiplus"));
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// bench.sh reads the rows by tab position: every row must have exactly the
// seven fields, none of them empty, whatever the programs put in them.
TEST(BenchRow, SevenNonEmptyFieldsInTheirPlaces) {
  struct Case {
    const char* name;
    std::string row;
    const char* ratio;
  };
  const double nan = 0.0 / 0.0;
  const Case cases[] = {
      {"plain", FormatRow("1 fig", "1 ms", "2 ms", 0.5, "<= 1.15x", "yes"), "0.50x"},
      {"no floor", FormatRow("4 size", "10 B", "-", nan, "(measured)", "-"), "-"},
      {"empty fields", FormatRow("x", "", "", 1.0, "", ""), "1.00x"},
      {"tab inside a field", FormatRow("a\tb", "1\t2", "3\n4", 2.0, "g", "NO"), "2.00x"},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> fields = SplitTabs(c.row);
    ASSERT_EQ(7u, fields.size()) << c.name;
    EXPECT_EQ("ROW", fields[0]) << c.name;
    EXPECT_EQ(c.ratio, fields[4]) << c.name;
    for (const std::string& field : fields) EXPECT_FALSE(field.empty()) << c.name;
  }
  EXPECT_EQ("a b", SplitTabs(cases[3].row)[1]);
}

TEST(BenchRow, SummaryShowsMinMedianMaxAndCount) {
  EXPECT_EQ("1.0 / 2.5 / 4.0 ms (n=4)", FormatSummary(Summarize({4, 1, 3, 2}), "ms", 1));
  EXPECT_EQ("0.333 / 0.333 / 0.333 x (n=1)", FormatSummary(Summarize({1.0 / 3}), "x", 3));
  EXPECT_EQ("no samples", FormatSummary(Summarize({}), "ms", 1));
}

}  // namespace
