#include "platform/trace.h"

#include <time.h>

namespace starveil::platform {

Q_LOGGING_CATEGORY(lcTrace, "starveil.trace", QtWarningMsg)

namespace {

long long Nanoseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

void WriteTraceEvent(std::string_view event, std::string_view subject) {
  // Both readings first, so the writing is not counted in them.
  const long long wall = Nanoseconds(CLOCK_MONOTONIC);
  const long long cpu = Nanoseconds(CLOCK_PROCESS_CPUTIME_ID);
  qCDebug(lcTrace, "%lld %lld %.*s %.*s", wall, cpu, static_cast<int>(event.size()), event.data(),
          static_cast<int>(subject.size()), subject.data());
}

}  // namespace starveil::platform
