#include "platform/clock.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>

#include "platform/surface.h"

namespace starveil::platform {

// Whole milliseconds of local time. The march reads the clock at every step; the C library's
// local time keeps its time zone rules loaded, where asking Qt rereads them at every call.
float SystemClock::SecondsSinceMidnight() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  // A leap second reads as the day's last second, so the time of day stays within the day.
  const long seconds = (local.tm_hour * 60L + local.tm_min) * 60L + std::min(local.tm_sec, 59);
  const long milliseconds = seconds * 1000L + now.tv_nsec / 1'000'000L;
  return static_cast<float>(milliseconds) / 1000.0f;
}

void SystemClock::Sleep(float seconds) {
  std::this_thread::sleep_for(std::chrono::duration<float>(seconds));
}

void SystemClock::DoEvents() {
  RunPendingEventsOnce();
}

namespace {
int pendingEventRuns = 0;
}  // namespace

void RunPendingEventsOnce(QEventLoop::ProcessEventsFlags flags) {
  ++pendingEventRuns;
  // Repaints wait for the event loop's next turn, which a single pass does not reach.
  Surface::PaintNotedChanges();
  QCoreApplication::processEvents(flags);
  Surface::PaintNotedChanges();
  --pendingEventRuns;
}

bool InsideAPause() {
  return pendingEventRuns > 0;
}

}  // namespace starveil::platform
