#include "desktop/desktop_scale.h"

// Without Wayland no compositor is asked: the game takes X11 wherever the session offers it.
namespace starveil::desktop {

int WaylandOutputScale() {
  return 1;
}

}  // namespace starveil::desktop
