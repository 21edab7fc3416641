#include "platform/trace.h"

#include <time.h>

#include <sstream>

namespace starveil::platform {

namespace {

constexpr std::string_view kCategory = "starveil.trace";

std::int64_t Nanoseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// What follows the category's name on a line.
std::string Fields(const TraceMark& mark) {
  return std::to_string(mark.wallNs) + " " + std::to_string(mark.cpuNs) + " " + mark.event + " " +
         mark.subject;
}

}  // namespace

Q_LOGGING_CATEGORY(lcTrace, kCategory.data(), QtWarningMsg)

std::int64_t MonotonicNs() {
  return Nanoseconds(CLOCK_MONOTONIC);
}

std::string TraceLine(const TraceMark& mark) {
  return std::string(kCategory) + ": " + Fields(mark);
}

std::optional<TraceMark> ParseTraceLine(std::string_view line) {
  const std::string prefix = std::string(kCategory) + ": ";
  if (!line.starts_with(prefix)) return std::nullopt;
  line.remove_prefix(prefix.size());
  std::istringstream fields{std::string(line)};
  TraceMark mark;
  if (!(fields >> mark.wallNs >> mark.cpuNs >> mark.event)) return std::nullopt;
  // A subject may hold spaces: a window's title does.
  std::getline(fields >> std::ws, mark.subject);
  return mark;
}

void WriteTraceEvent(std::string_view event, std::string_view subject) {
  // Both readings first, so the writing is not counted in them.
  const TraceMark mark{MonotonicNs(), Nanoseconds(CLOCK_PROCESS_CPUTIME_ID), std::string(event),
                       std::string(subject)};
  // Qt's message pattern puts the category's name first, as TraceLine does.
  qCDebug(lcTrace, "%s", Fields(mark).c_str());
}

}  // namespace starveil::platform
