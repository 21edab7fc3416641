#include "kwin_pointer.h"

#include <linux/input-event-codes.h>

#include <stdexcept>
#include <string>

#include "fake-input-client-protocol.h"

namespace starveil::xdrive {

void KWinPointer::MoveTo(QPoint at) {
  org_kde_kwin_fake_input_pointer_motion_absolute(fakeInput_, wl_fixed_from_int(at.x()),
                                                  wl_fixed_from_int(at.y()));
  Settle();
}

void KWinPointer::Button(bool pressed) {
  org_kde_kwin_fake_input_button(
      fakeInput_, BTN_LEFT,
      pressed ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
  Settle();
}

void KWinPointer::Settle() {
  if (wl_display_roundtrip(display_) < 0)
    throw std::runtime_error("KWin's fake input failed: error " +
                             std::to_string(wl_display_get_error(display_)));
}

}  // namespace starveil::xdrive
