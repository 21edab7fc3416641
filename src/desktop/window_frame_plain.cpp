#include "desktop/window_frame.h"

#include <QWidget>

// Without X11 no manager is asked: the window is centred as it stands, and the platform's own
// compositor places it where it will.
namespace starveil::desktop {

std::optional<QMarginsF> ExpectedFrame(QWidget& /*window*/) {
  return QMarginsF();
}

std::optional<QMarginsF> ShowCentredOnClient(QWidget& window) {
  window.show();
  return std::nullopt;
}

std::optional<QMarginsF> DrawnFrame(QWidget& /*window*/) {
  return std::nullopt;
}

bool FrameBeingMade(QWidget& /*window*/) {
  return false;
}

}  // namespace starveil::desktop
