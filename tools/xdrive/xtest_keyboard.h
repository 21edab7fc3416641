// Keys through XTEST, as the X server's own keyboard would send them to the window with the focus.
#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdint>
#include <memory>

#include "keyboard.h"

namespace starveil::xdrive {

class XTestKeyboard : public Keyboard {
 public:
  // Through `x`, which must outlive it.
  explicit XTestKeyboard(xcb_connection_t* x);

 protected:
  void Send(std::uint32_t keysym, bool pressed) override;
  void Settle() override;

 private:
  xcb_connection_t* x_;
  std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> keySymbols_;
};

}  // namespace starveil::xdrive
