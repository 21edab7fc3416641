#include "support/seams.h"

#include <cmath>
#include <utility>

namespace starveil::testing {

void ScriptedClock::Sleep(float seconds) {
  sleeps.push_back(seconds);
  now = std::fmod(now + seconds, platform::kSecondsPerDay);
}

void ScriptedClock::DoEvents() {
  ++doEventsCalls;
  if (onDoEvents) {
    onDoEvents();
  } else {
    platform::RunPendingEventsOnce();
  }
}

void ScriptedRandom::Randomize(float /*seed*/) {
  ++reseeds;
  freshlySeeded_ = true;
}

float ScriptedRandom::Rnd() {
  const bool first = std::exchange(freshlySeeded_, false);
  if (draws.empty()) return first ? targetAfterScript : afterScript;
  const float draw = draws.front();
  draws.pop_front();
  return draw;
}

void HeldMessageBox::Show(const std::string& text) {
  shown.push_back(text);
  if (whileOpen) whileOpen(text);
}

}  // namespace starveil::testing
