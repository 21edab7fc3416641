#include "trace_reading.h"

#include <algorithm>
#include <sstream>

namespace starveil::perf {

namespace {

constexpr std::string_view kPrefix = "starveil.trace: ";
constexpr double kNsPerMs = 1e6;

}  // namespace

std::optional<TraceMark> ParseTraceLine(std::string_view line) {
  if (!line.starts_with(kPrefix)) return std::nullopt;
  line.remove_prefix(kPrefix.size());
  std::istringstream fields{std::string(line)};
  TraceMark mark;
  if (!(fields >> mark.wallNs >> mark.cpuNs >> mark.event)) return std::nullopt;
  // A subject may hold spaces: a window's title does.
  std::getline(fields >> std::ws, mark.subject);
  return mark;
}

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
