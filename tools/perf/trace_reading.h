#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The timing marks the game writes with its trace on, and its yardsticks with --trace:
// "starveil.trace: <monotonic ns> <process CPU ns> <event> <subject>".
namespace starveil::perf {

struct TraceMark {
  std::int64_t wallNs = 0;
  std::int64_t cpuNs = 0;
  std::string event;
  std::string subject;
};

// A mark from one line of a program's standard error; nothing from any other line.
std::optional<TraceMark> ParseTraceLine(std::string_view line);

// A stretch of time on the monotonic clock, its start included and its end not.
struct Span {
  std::int64_t fromNs = 0;
  std::int64_t toNs = 0;
  bool Covers(std::int64_t ns) const { return ns >= fromNs && ns < toNs; }
};

// The gaps, in milliseconds, from the end of one tick of `timer` to the start of its next, for
// every gap that lies wholly within one of the spans.
std::vector<double> TickGapsMs(const std::vector<TraceMark>& marks, std::string_view timer,
                               const std::vector<Span>& spans);

}  // namespace starveil::perf
