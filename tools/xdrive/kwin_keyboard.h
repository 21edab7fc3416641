// Keys through KWin's fake input, the Wayland protocol its remote input programs press keys
// through: KWin sends them to the window with the focus, X11 and native Wayland windows alike.
// KWin 5 lets a program in only where it runs with KWIN_WAYLAND_NO_PERMISSION_CHECKS set.
#pragma once

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <QProcessEnvironment>
#include <cstdint>
#include <memory>

#include "keyboard.h"

struct org_kde_kwin_fake_input;

namespace starveil::xdrive {

class KWinKeyboard : public Keyboard {
 public:
  // On the Wayland display that `session` names.
  explicit KWinKeyboard(const QProcessEnvironment& session);
  ~KWinKeyboard() override;

  // Whether the compositor there lets this program in.
  bool Ok() const { return fakeInput_ != nullptr; }
  // The way in, which the pointer goes through too.
  wl_display* Display() { return display_.get(); }
  org_kde_kwin_fake_input* FakeInput() { return fakeInput_.get(); }

 protected:
  void Send(std::uint32_t keysym, bool pressed) override;
  void Settle() override;

 private:
  std::unique_ptr<wl_display, decltype(&wl_display_disconnect)> display_;
  std::unique_ptr<org_kde_kwin_fake_input, void (*)(org_kde_kwin_fake_input*)> fakeInput_;
  // Keys go in by their place on the keyboard, as in KWin's own default layout.
  std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap_;
};

}  // namespace starveil::xdrive
