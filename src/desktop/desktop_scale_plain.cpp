#include "desktop/desktop_scale.h"

// Without X11 nothing is read: X11 programs are taken to draw unscaled.
namespace starveil::desktop {

int XClientScale() {
  return 1;
}

}  // namespace starveil::desktop
