#include "platform/keys.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace starveil::platform {
namespace {

TEST(Keys, QtKeysBecomeVirtualKeyCodes) {
  const std::pair<int, int> cases[] = {
      {Qt::Key_Left, 37},  {Qt::Key_Up, 38},     {Qt::Key_Right, 39},  {Qt::Key_Down, 40},
      {Qt::Key_Space, 32}, {Qt::Key_A, 65},      {Qt::Key_Z, 90},      {Qt::Key_0, 48},
      {Qt::Key_F1, 112},   {Qt::Key_Return, 13}, {Qt::Key_Escape, 27}, {Qt::Key_Shift, 16},
      {Qt::Key_Tab, 9},    {Qt::Key_unknown, 0}};
  for (const auto& [qtKey, code] : cases) {
    const QKeyEvent event(QEvent::KeyPress, qtKey, Qt::NoModifier);
    EXPECT_EQ(VirtualKeyCode(event), code) << qtKey;
  }
}

TEST(Keys, ModifiersBecomeTheShiftState) {
  const QKeyEvent plain(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  const QKeyEvent all(QEvent::KeyPress, Qt::Key_Left,
                      Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(ShiftState(plain), 0);
  EXPECT_EQ(ShiftState(all), kShiftMask | kCtrlMask | kAltMask);
}

}  // namespace
}  // namespace starveil::platform
