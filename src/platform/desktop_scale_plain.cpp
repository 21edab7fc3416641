#include "platform/desktop_scale.h"

// Without X11 nothing is read: the game takes X11 wherever the session offers it, as Qt would.
namespace starveil::platform {

int WaylandOutputScale() {
  return 1;
}

int XClientScale() {
  return 1;
}

}  // namespace starveil::platform
