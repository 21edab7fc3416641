#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/random.h"

namespace starveil::testing {

// A clock that a test sets and that moves only when the game sleeps: no test waits for real.
class ScriptedClock final : public platform::Clock {
 public:
  float now = 43200.0f;  // noon
  std::vector<float> sleeps;
  int doEventsCalls = 0;
  // Runs at each DoEvents in place of the real event loop; by default the pending events run.
  std::function<void()> onDoEvents;

  float SecondsSinceMidnight() override { return now; }
  void Sleep(float seconds) override;
  void DoEvents() override;
};

// Draws a scripted sequence of numbers; reseeding is only counted. Past the script a march step
// launches nothing: the step's first draw, its target, comes out 1, and every later draw far
// above it.
class ScriptedRandom final : public platform::Random {
 public:
  std::deque<float> draws;
  float targetAfterScript = 0.0f;
  float afterScript = 0.999f;
  int reseeds = 0;

  void Randomize(float /*seed*/) override;
  float Rnd() override;

 private:
  bool freshlySeeded_ = false;
};

// Records every message. While one is "open", `whileOpen` runs (it may pump the event loop for as
// long as it likes); when it returns the box is answered. Without it the box is answered at once.
class HeldMessageBox final : public platform::MessageBox {
 public:
  std::vector<std::string> shown;
  std::function<void(const std::string&)> whileOpen;

  void Show(const std::string& text) override;
};

}  // namespace starveil::testing
