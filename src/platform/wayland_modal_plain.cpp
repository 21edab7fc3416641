#include "platform/wayland_modal.h"

// Without X11 the placing of windows is left to the platform, the box's included.
namespace starveil::platform {

void MarkModalOnWayland(QWidget& /*box*/) {}

}  // namespace starveil::platform
