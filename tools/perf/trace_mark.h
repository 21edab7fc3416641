#pragma once

#include <time.h>

#include <QString>
#include <cstdio>

// The yardsticks' timing marks, in the game's own trace line so that one reader serves all:
// "starveil.trace: <monotonic ns> <process CPU ns> <event> <subject>"; and the clock the measuring
// tool reads them against.
namespace starveil::perf {

inline long long Nanoseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

inline long long MonotonicNs() {
  return Nanoseconds(CLOCK_MONOTONIC);
}

inline void Mark(const char* event, const QString& subject) {
  std::fprintf(stderr, "starveil.trace: %lld %lld %s %s\n", MonotonicNs(),
               Nanoseconds(CLOCK_PROCESS_CPUTIME_ID), event, qPrintable(subject));
}

}  // namespace starveil::perf
