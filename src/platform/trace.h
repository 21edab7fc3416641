#pragma once

#include <QLoggingCategory>
#include <string_view>

namespace starveil::platform {

// Timing marks for the measuring tool (tools/measure.sh); silent unless QT_LOGGING_RULES sets
// "starveil.trace.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcTrace)

// Writes "starveil.trace: <monotonic ns> <process CPU ns> <event> <subject>".
void WriteTraceEvent(std::string_view event, std::string_view subject);

// Costs one flag test while the trace is off.
inline void TraceEvent(std::string_view event, std::string_view subject = {}) {
  if (lcTrace().isDebugEnabled()) WriteTraceEvent(event, subject);
}

}  // namespace starveil::platform
