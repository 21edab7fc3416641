#include "platform/keys.h"

#include <QKeyEvent>
#include <array>
#include <utility>

namespace starveil::platform {

namespace {

constexpr std::array<std::pair<int, std::int16_t>, 24> kNamedKeys{{
    {Qt::Key_Backspace, 8},     {Qt::Key_Tab, 9},         {Qt::Key_Backtab, 9},
    {Qt::Key_Return, 13},       {Qt::Key_Enter, 13},      {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},      {Qt::Key_Alt, 18},        {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},     {Qt::Key_Escape, 27},     {Qt::Key_Space, kKeySpace},
    {Qt::Key_PageUp, 33},       {Qt::Key_PageDown, 34},   {Qt::Key_End, 35},
    {Qt::Key_Home, 36},         {Qt::Key_Left, kKeyLeft}, {Qt::Key_Up, kKeyUp},
    {Qt::Key_Right, kKeyRight}, {Qt::Key_Down, kKeyDown}, {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},       {Qt::Key_Meta, 91},       {Qt::Key_Menu, 93},
}};

}  // namespace

std::int16_t VirtualKeyCode(const QKeyEvent& event) {
  const int key = event.key();
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
    return static_cast<std::int16_t>(key);  // digits and letters share their codes with Qt
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
    return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
  }
  for (const auto& [qtKey, code] : kNamedKeys) {
    if (qtKey == key) return code;
  }
  return 0;
}

std::int16_t ShiftState(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  std::int16_t state = 0;
  if (modifiers & Qt::ShiftModifier) state |= kShiftMask;
  if (modifiers & Qt::ControlModifier) state |= kCtrlMask;
  if (modifiers & Qt::AltModifier) state |= kAltMask;
  return state;
}

}  // namespace starveil::platform
