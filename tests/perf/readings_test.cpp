#include <gtest/gtest.h>

#include <cmath>

#include "statistics.h"
#include "trace_reading.h"

namespace starveil::perf {
namespace {

struct PercentileCase {
  std::vector<double> values;
  double percent;
  double expected;
};

TEST(Readings, PercentileIsTheLeastValueThatEnoughOthersDoNotExceed) {
  const std::vector<double> hundred = [] {
    std::vector<double> values;
    for (int i = 100; i >= 1; --i)
      values.push_back(i);
    return values;
  }();
  const PercentileCase cases[] = {
      {hundred, 50, 50},
      {hundred, 99, 99},
      {hundred, 100, 100},
      {hundred, 0, 1},
      {{7}, 99, 7},
      {{3, 1, 2}, 50, 2},
      {{1, 2}, 50, 1},
      {{1, 2}, 51, 2},
      // One slow value in a hundred and fifty is the p99: 99 % of 150 ranks 149.
      {[] {
         std::vector<double> values(149, 1.0);
         values.push_back(9);
         return values;
       }(),
       99, 1},
  };
  for (const PercentileCase& c : cases)
    EXPECT_EQ(Percentile(c.values, c.percent), c.expected)
        << c.percent << " % of " << c.values.size();
  EXPECT_TRUE(std::isnan(Percentile({}, 50)));
}

TraceMark Mark(std::int64_t ms, const char* event, const char* timer = "tmrBulletsMove") {
  return {ms * 1'000'000, 0, event, timer};
}

struct GapsCase {
  const char* what;
  std::vector<Span> spans;
  std::vector<double> expected;
};

TEST(Readings, TickGapsCountOnlyGapsWhollyWithinASpan) {
  // Ticks end at 10, 50 and 90 ms and the next start 30 ms later; another timer's marks between.
  const std::vector<TraceMark> marks{
      Mark(0, "tick-start"),         Mark(10, "tick-end"),   Mark(20, "tick-start", "TmrRk"),
      Mark(25, "tick-end", "TmrRk"), Mark(40, "tick-start"), Mark(50, "tick-end"),
      Mark(80, "tick-start"),        Mark(90, "tick-end"),   Mark(121, "tick-start"),
  };
  const auto ms = [](std::int64_t from, std::int64_t to) {
    return Span{from * 1'000'000, to * 1'000'000};
  };
  const GapsCase cases[] = {
      {"all of it", {ms(0, 200)}, {30, 30, 31}},
      {"a gap begun before the span", {ms(20, 200)}, {30, 31}},
      {"a gap that ends after the span", {ms(0, 100)}, {30, 30}},
      {"a span's end is not in it", {ms(0, 80)}, {30}},
      {"two spans", {ms(0, 45), ms(85, 130)}, {30, 31}},
      {"a gap across two spans", {ms(0, 60), ms(60, 130)}, {30, 31}},
      {"none", {}, {}},
  };
  for (const GapsCase& c : cases)
    EXPECT_EQ(TickGapsMs(marks, "tmrBulletsMove", c.spans), c.expected) << c.what;
}

}  // namespace
}  // namespace starveil::perf
