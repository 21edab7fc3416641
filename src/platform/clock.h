#pragma once

#include <QEventLoop>

namespace starveil::platform {

inline constexpr float kSecondsPerDay = 86400.0f;

// The time of day and the waits the game makes.
class Clock {
 public:
  virtual ~Clock() = default;

  // Seconds since midnight, in single precision.
  virtual float SecondsSinceMidnight() = 0;
  // Sleeps about `seconds` without letting any window event run.
  virtual void Sleep(float seconds) = 0;
  // Lets the window events that are pending run once.
  virtual void DoEvents() = 0;
};

// Lets the pending window events run once, with the screen brought up to date before and after:
// what changed before the call shows while the game next waits, and so does what the events did.
// `flags` may leave the timers out, for a caller that drives them itself.
void RunPendingEventsOnce(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);

// Whether pending events are running in the middle of a clock pause, which holds the game still
// again as soon as they are done.
bool InsideAPause();

class SystemClock final : public Clock {
 public:
  float SecondsSinceMidnight() override;
  void Sleep(float seconds) override;
  void DoEvents() override;
};

}  // namespace starveil::platform
