// Waiting for what a desktop shows: the driver's one way to give the game time.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace starveil::xdrive {

// Whether `condition` holds within `patience`, tried fifty times a second.
inline bool WaitFor(std::chrono::milliseconds patience, const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace starveil::xdrive
