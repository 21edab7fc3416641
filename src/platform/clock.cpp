#include "platform/clock.h"

#include <QCoreApplication>
#include <QTime>
#include <chrono>
#include <thread>

namespace starveil::platform {

float SystemClock::SecondsSinceMidnight() {
  return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

void SystemClock::Sleep(float seconds) {
  std::this_thread::sleep_for(std::chrono::duration<float>(seconds));
}

void SystemClock::DoEvents() {
  QCoreApplication::processEvents();
}

}  // namespace starveil::platform
