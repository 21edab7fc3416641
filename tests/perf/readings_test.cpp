#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

#include "statistics.h"
#include "trace_reading.h"

namespace starveil::perf {
namespace {

using platform::ParseTraceLine;
using platform::TraceLine;

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

TEST(Readings, MeanIsTheSumOverTheCountAndNotANumberForNone) {
  const std::pair<std::vector<double>, double> cases[] = {{{7}, 7}, {{1, 2}, 1.5}, {{3, 0, 0}, 1}};
  for (const auto& [values, mean] : cases)
    EXPECT_EQ(Mean(values), mean) << values.size() << " values";
  EXPECT_TRUE(std::isnan(Mean({})));
}

struct LineCase {
  const char* line;
  std::optional<TraceMark> expected;
};

TEST(Readings, ATraceLineGivesItsMarkWithTheWholeTitleAndOtherLinesNone) {
  const LineCase cases[] = {
      {"starveil.trace: 12 34 first-paint Bare yardstick",
       TraceMark{12, 34, "first-paint", "Bare yardstick"}},
      {"starveil.trace: 5 6 tick-start tmrBulletsMove",
       TraceMark{5, 6, "tick-start", "tmrBulletsMove"}},
      {"starveil.trace: 5 6 loss-start ", TraceMark{5, 6, "loss-start", ""}},
      {"starveil.trace: 5 six tick-end 30ms", std::nullopt},
      {"starveil.trace: 5 6", std::nullopt},
      {"qt.qpa.xcb: 5 6 tick-end 30ms", std::nullopt},
      {"", std::nullopt},
  };
  const auto fields = [](const std::optional<TraceMark>& mark) {
    return mark ? std::tuple(mark->wallNs, mark->cpuNs, mark->event, mark->subject)
                : std::tuple(std::int64_t{-1}, std::int64_t{-1}, std::string(), std::string());
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(fields(ParseTraceLine(c.line)), fields(c.expected)) << c.line;
    if (c.expected) {
      EXPECT_EQ(fields(ParseTraceLine(TraceLine(*c.expected))), fields(c.expected));
    }
  }
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
