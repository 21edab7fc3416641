#include "support/seams.h"

#include <QCoreApplication>
#include <cmath>

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
    QCoreApplication::processEvents();
  }
}

float ScriptedRandom::Rnd() {
  if (draws.empty()) return afterScript;
  const float draw = draws.front();
  draws.pop_front();
  return draw;
}

void HeldMessageBox::Show(const std::string& text) {
  shown.push_back(text);
  if (whileOpen) whileOpen(text);
}

}  // namespace starveil::testing
