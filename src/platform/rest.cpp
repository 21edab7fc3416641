#include "platform/rest.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/clock.h"
#include "platform/timer.h"

namespace starveil::platform {

namespace {

// Seldom enough to stay well under a wake-up a second.
constexpr int kRecheckMs = 2000;

// What may make the program act: the player's keys, clicks and closes, in any of its windows (a
// message box's answer included), and calls queued from elsewhere, such as a screen reader's.
bool MayAct(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Close:
    case QEvent::MetaCall:
      return true;
    default:
      return false;
  }
}

}  // namespace

Rest::Rest(const std::vector<Timer*>& timers, Clock& clock, std::function<bool()> atRest)
    : timers_(timers), clock_(clock), atRest_(std::move(atRest)) {
  recheck_.setInterval(kRecheckMs);
  recheck_.setTimerType(Qt::VeryCoarseTimer);
  connect(&recheck_, &QTimer::timeout, this, [this] {
    if (!atRest_()) Wake();
  });
  QCoreApplication::instance()->installEventFilter(this);
}

Rest::~Rest() = default;

void Rest::AfterTick() {
  if (std::ranges::any_of(timers_, &Timer::dozing_) || !atRest_()) return;
  restSince_ = clock_.SecondsSinceMidnight();
  for (Timer* timer : timers_) {
    if (timer->timer_->isActive()) timer->Doze();
  }
  recheck_.start();
}

bool Rest::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (MayAct(event->type())) Wake();
  return false;
}

// The skipped ticks run earliest first, timers due at the same moment in the window's order.
void Rest::Wake() {
  recheck_.stop();
  struct Due {
    Timer* timer;
    std::int64_t ms;  // from the start of the rest
  };
  std::vector<Due> schedule;
  for (Timer* timer : timers_) {
    if (!timer->dozing_) continue;
    timer->dozing_ = false;
    schedule.push_back({timer, timer->dozeLeftMs_});
  }
  if (schedule.empty()) return;

  float seconds = clock_.SecondsSinceMidnight() - restSince_;
  // The clock starts again from zero at midnight.
  if (seconds < 0) seconds += kSecondsPerDay;
  const auto elapsedMs = static_cast<std::int64_t>(std::llround(seconds * 1000.0));

  while (!schedule.empty()) {
    const auto next = std::ranges::min_element(schedule, {}, &Due::ms);
    if (next->ms > elapsedMs) break;
    next->timer->Fire();
    next->ms += next->timer->RunningInterval();
    // A tick may switch its timer off, or close its window.
    if (!next->timer->Counts()) schedule.erase(next);
  }
  for (const Due& due : schedule)
    due.timer->ResumeIn(static_cast<int>(due.ms - elapsedMs));
}

}  // namespace starveil::platform
