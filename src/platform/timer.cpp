#include "platform/timer.h"

#include <QTimer>
#include <algorithm>

#include "platform/trace.h"
#include "platform/window.h"

namespace starveil::platform {

Timer::Timer(Window& owner, int intervalMs, bool enabled, std::string name)
    : owner_(owner),
      timer_(std::make_unique<QTimer>()),
      name_(std::move(name)),
      interval_(intervalMs),
      enabled_(enabled) {
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_.get(), &QTimer::timeout, [this] { OnTimeout(); });
  owner_.Adopt(*this);
}

Timer::~Timer() {
  owner_.Release(*this);
}

void Timer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (timer_->isActive()) Sync();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Sync();
}

bool Timer::Running() const {
  return timer_->isActive() || dozing_;
}

// An interval of zero or below would stop the timer or make it spin; the shortest runnable
// interval keeps it ticking gently and leaves every positive interval exactly as given.
int Timer::RunningInterval() const {
  return std::max(interval_, kShortestRunnableMs);
}

bool Timer::Counts() const {
  return enabled_ && owner_.IsLoaded();
}

void Timer::Sync() {
  dozing_ = false;
  if (Counts()) {
    timer_->start(RunningInterval());
  } else {
    timer_->stop();
  }
}

void Timer::OnTimeout() {
  // The first tick after a rest ends what was left of the countdown; the interval holds again.
  if (timer_->interval() != RunningInterval()) timer_->start(RunningInterval());
  Fire();
  owner_.AfterTick();
}

void Timer::Fire() {
  if (ticking_ || !handler_) return;
  ticking_ = true;
  TraceEvent("tick-start", name_);
  handler_();
  TraceEvent("tick-end", name_);
  ticking_ = false;
}

void Timer::Doze() {
  dozeLeftMs_ = std::max(timer_->remainingTime(), 0);
  timer_->stop();
  dozing_ = true;
}

void Timer::ResumeIn(int ms) {
  dozing_ = false;
  if (Counts()) timer_->start(ms);
}

}  // namespace starveil::platform
