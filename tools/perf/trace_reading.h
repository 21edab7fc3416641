// The timer gaps the measuring tool reads from the programs' timing marks.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/trace.h"

namespace starveil::perf {

using platform::MonotonicNs;
using platform::TraceMark;

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
