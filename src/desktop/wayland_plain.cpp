#include "desktop/wayland_frames.h"
#include "desktop/wayland_modal.h"

// Without Wayland the placing of the box and the drawing of frames are left to the platform.
namespace starveil::desktop {

void MarkModalOnWayland(QWidget& /*box*/) {}

bool CompositorDrawsFrames() {
  return false;
}

}  // namespace starveil::desktop
