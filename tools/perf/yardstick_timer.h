// How the yardsticks name a timer in their trace, where the measuring tool looks for its ticks.
#pragma once

#include <string>

namespace starveil::perf {

// By its interval, "30ms": the yardsticks' timers have no names of their own.
inline std::string YardstickTimerName(int intervalMs) {
  return std::to_string(intervalMs) + "ms";
}

}  // namespace starveil::perf
