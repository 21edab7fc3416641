#pragma once

#include <cstdint>

class QKeyEvent;

namespace starveil::platform {

// Virtual-key codes as key-down handlers receive them.
inline constexpr std::int16_t kKeySpace = 32;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;

constexpr bool IsArrowKey(std::int16_t keyCode) {
  return keyCode >= kKeyLeft && keyCode <= kKeyDown;
}

// Shift-state bits that come with a key-down.
inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

std::int16_t VirtualKeyCode(const QKeyEvent& event);
std::int16_t ShiftState(const QKeyEvent& event);

}  // namespace starveil::platform
