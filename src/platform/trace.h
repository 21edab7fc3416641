// The trace: timing marks the game writes while QT_LOGGING_RULES sets "starveil.trace.debug=true",
// one a line on standard error, and the measuring tool (tools/measure.sh) reads back:
//   starveil.trace: <monotonic ns> <process CPU ns> <event> <subject>
// Its yardsticks write the same lines through the same calls.
#pragma once

#include <QLoggingCategory>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace starveil::platform {

Q_DECLARE_LOGGING_CATEGORY(lcTrace)

// The clock every mark is taken on, and the tool times against.
std::int64_t MonotonicNs();

struct TraceMark {
  std::int64_t wallNs = 0;
  std::int64_t cpuNs = 0;
  std::string event;
  std::string subject;
};

// A line as the trace writes it, the category's name included.
std::string TraceLine(const TraceMark& mark);
// The mark on one line of a program's standard error; nothing from any other line.
std::optional<TraceMark> ParseTraceLine(std::string_view line);

// Marks the event now, with the process's CPU time so far.
void WriteTraceEvent(std::string_view event, std::string_view subject);

// Costs one flag test while the trace is off.
inline void TraceEvent(std::string_view event, std::string_view subject = {}) {
  if (lcTrace().isDebugEnabled()) WriteTraceEvent(event, subject);
}

}  // namespace starveil::platform
