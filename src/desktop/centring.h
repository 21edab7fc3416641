#pragma once

#include <QMarginsF>
#include <chrono>

class QWidget;

namespace starveil::desktop {

// Shows a top-level window centred as the player sees it: with the frame a window manager draws
// around it, which the manager draws after the window shows, and which is measured once drawn.
class FrameCentring {
 public:
  explicit FrameCentring(QWidget& window) : window_(window) {}

  void Show();
  // Called from the window's first paint.
  void FirstPainted();

 private:
  void Centre(const QMarginsF& frame);
  void CentreOnDrawnFrame(std::chrono::milliseconds nextLook, std::chrono::milliseconds looksLeft);

  QWidget& window_;
  QMarginsF centredOn_;  // the frame the window was centred with
};

}  // namespace starveil::desktop
