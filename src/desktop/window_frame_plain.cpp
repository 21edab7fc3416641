#include "desktop/window_frame.h"

#include <QWidget>

// Without X11 no manager is asked: the window is centred as it stands, and the platform's own
// compositor places it where it will.
namespace starveil::desktop {

void ShowCentredOnClient(QWidget& window) {
  window.show();
}

std::optional<QMarginsF> DrawnFrame(QWidget& /*window*/) {
  return std::nullopt;
}

bool FrameBeingMade(QWidget& /*window*/) {
  return false;
}

}  // namespace starveil::desktop
