#include "desktop/wayland_modal.h"

// Without Wayland the placing of the box is left to the platform.
namespace starveil::desktop {

void MarkModalOnWayland(QWidget& /*box*/) {}

}  // namespace starveil::desktop
