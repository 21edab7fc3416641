#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

namespace starveil::platform {

class Clock;
class Timer;

// Stops a window's timers while no tick of theirs can change what the screen shows, so that the
// program sleeps; before the player's next input is handled, the ticks they skipped run in order,
// timed by the clock, and the timers count on in step. Every input thus finds the state that timers
// ticking all along would have left. A change made by none of the player's inputs, as a test
// makes, still wakes them within a few seconds.
class Rest final : public QObject {
 public:
  Rest(const std::vector<Timer*>& timers, Clock& clock, std::function<bool()> atRest);
  ~Rest() override;
  Rest(const Rest&) = delete;
  Rest& operator=(const Rest&) = delete;

  // Stops the timers if the window has come to rest with the tick just ended.
  void AfterTick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Doze();
  void Wake();

  const std::vector<Timer*>& timers_;
  Clock& clock_;
  std::function<bool()> atRest_;
  float restSince_ = 0;  // seconds since midnight, the clock's reading as the rest began
  QTimer recheck_;
};

}  // namespace starveil::platform
