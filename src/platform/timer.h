#pragma once

#include <functional>
#include <memory>
#include <string>

class QTimer;

namespace starveil::platform {

class Window;

// A timer of a window. It ticks only while it is enabled and its window is loaded; switching it
// on restarts its countdown, and a tick never starts while the previous one is still running.
class Timer {
 public:
  // The name only labels the timer's ticks in the trace.
  Timer(Window& owner, int intervalMs, bool enabled, std::string name = {});
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  void OnTick(std::function<void()> handler) { handler_ = std::move(handler); }

  // Whether the timer is counting down right now (asleep at rest too), and the interval it really
  // counts.
  bool Running() const;
  int RunningInterval() const;

  // The shortest interval a timer really runs with.
  static constexpr int kShortestRunnableMs = 1;

 private:
  friend class Window;
  friend class Rest;
  // Switched on, with its window loaded.
  bool Counts() const;
  void Sync();
  void OnTimeout();
  void Fire();
  // At rest: stops counting down, keeping the time left until the next tick.
  void Doze();
  // After a rest: counts down `ms` to the next tick, then the interval again.
  void ResumeIn(int ms);

  Window& owner_;
  std::unique_ptr<QTimer> timer_;
  std::function<void()> handler_;
  std::string name_;
  int interval_;
  bool enabled_;
  bool ticking_ = false;
  bool dozing_ = false;
  int dozeLeftMs_ = 0;  // while dozing, from the start of the rest to the next tick
};

}  // namespace starveil::platform
