// Clicks as a player's mouse makes them, through the way in to the compositor that a keyboard
// already holds: mutter's remote desktop session or KWin's fake input.
#pragma once

#include <QPoint>
#include <memory>

namespace starveil::xdrive {

class Keyboard;

class Pointer {
 public:
  Pointer() = default;
  virtual ~Pointer() = default;
  Pointer(const Pointer&) = delete;
  Pointer& operator=(const Pointer&) = delete;

  // The left button pressed and released at `at`, in the screen's logical pixels.
  void ClickAt(QPoint at);

 protected:
  virtual void MoveTo(QPoint at) = 0;
  virtual void Button(bool pressed) = 0;
};

// The pointer of the compositor `keyboard` presses keys through, sharing its session, which it
// must not outlive; null where the keyboard goes through XTEST, which XDesktop clicks through.
std::unique_ptr<Pointer> SessionPointer(Keyboard& keyboard);

}  // namespace starveil::xdrive
