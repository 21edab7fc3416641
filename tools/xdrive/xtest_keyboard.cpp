#include "xtest_keyboard.h"

#include <xcb/xtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace starveil::xdrive {

XTestKeyboard::XTestKeyboard(xcb_connection_t* x)
    : x_(x), keySymbols_(xcb_key_symbols_alloc(x), &xcb_key_symbols_free) {}

void XTestKeyboard::Send(std::uint32_t keysym, bool pressed) {
  const std::unique_ptr<xcb_keycode_t, decltype(&std::free)> codes(
      xcb_key_symbols_get_keycode(keySymbols_.get(), keysym), &std::free);
  if (!codes || *codes == XCB_NO_SYMBOL)
    throw std::runtime_error("no keycode for keysym " + std::to_string(keysym));
  xcb_test_fake_input(x_, pressed ? XCB_KEY_PRESS : XCB_KEY_RELEASE, *codes, XCB_CURRENT_TIME,
                      XCB_WINDOW_NONE, 0, 0, 0);
  xcb_flush(x_);
}

void XTestKeyboard::Settle() {
  // Any request answered will do: the server takes requests in order.
  std::free(xcb_get_input_focus_reply(x_, xcb_get_input_focus(x_), nullptr));
}

}  // namespace starveil::xdrive
