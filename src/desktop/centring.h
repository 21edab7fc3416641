#pragma once

#include <QMarginsF>

class QWidget;

namespace starveil::desktop {

// Shows a top-level window centred as the player sees it: with the frame a window manager draws
// around it. A manager may draw another frame than the one it told of before: mutter answers a
// taller title bar than it draws on a scaled screen, and KWin tells its frame in other units where
// X11 programs scale themselves. Measured once drawn, it centres the window again.
class FrameCentring {
 public:
  explicit FrameCentring(QWidget& window) : window_(window) {}

  void Show();
  // Called from the window's first paint.
  void FirstPainted();

 private:
  void Centre(const QMarginsF& frame);
  void CentreOnDrawnFrame(int looksLeft);

  QWidget& window_;
  QMarginsF centredOn_;  // the frame the window was centred with
};

}  // namespace starveil::desktop
