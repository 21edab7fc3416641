#include "trace_reading.h"

#include <algorithm>

namespace starveil::perf {

namespace {

constexpr double kNsPerMs = 1e6;

}  // namespace

std::vector<double> TickGapsMs(const std::vector<TraceMark>& marks, std::string_view timer,
                               const std::vector<Span>& spans) {
  const auto sameSpan = [&](std::int64_t from, std::int64_t to) {
    return std::ranges::any_of(
        spans, [&](const Span& span) { return span.Covers(from) && span.Covers(to); });
  };
  std::vector<double> gaps;
  std::int64_t ended = 0;
  bool afterAnEnd = false;
  for (const TraceMark& mark : marks) {
    if (mark.subject != timer) continue;
    if (mark.event == "tick-end") {
      ended = mark.wallNs;
      afterAnEnd = true;
    } else if (mark.event == "tick-start" && afterAnEnd) {
      if (sameSpan(ended, mark.wallNs))
        gaps.push_back(static_cast<double>(mark.wallNs - ended) / kNsPerMs);
      afterAnEnd = false;
    }
  }
  return gaps;
}

}  // namespace starveil::perf
