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

  // Whether the timer is counting down right now, and the interval it really counts.
  bool Running() const;
  int RunningInterval() const;

  // The shortest interval a timer really runs with.
  static constexpr int kShortestRunnableMs = 1;

 private:
  friend class Window;
  void Sync();
  void Fire();

  Window& owner_;
  std::unique_ptr<QTimer> timer_;
  std::function<void()> handler_;
  std::string name_;
  int interval_;
  bool enabled_;
  bool ticking_ = false;
};

}  // namespace starveil::platform
