#include "kwin_keyboard.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "fake-input-client-protocol.h"

namespace starveil::xdrive {

namespace {

constexpr std::uint32_t kKeyboardKeySince = 4;  // the protocol's version
// xkb numbers a key as X does, evdev's code plus 8.
constexpr xkb_keycode_t kEvdevOffset = 8;

struct Offer {
  std::uint32_t name = 0;
  std::uint32_t version = 0;
};

void Offered(void* offer, wl_registry* /*registry*/, std::uint32_t name, const char* interface,
             std::uint32_t version) {
  if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0)
    *static_cast<Offer*>(offer) = {name, version};
}

void Withdrawn(void* /*offer*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

// The display's fake input, if it offers it with keys and lets this program in.
org_kde_kwin_fake_input* BindFakeInput(wl_display* display) {
  static constexpr wl_registry_listener kListener{&Offered, &Withdrawn};
  Offer offer;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kListener, &offer);
  wl_display_roundtrip(display);
  void* bound = nullptr;
  // The newest version both sides know, so that each request sent is one the compositor knows.
  const auto known = static_cast<std::uint32_t>(org_kde_kwin_fake_input_interface.version);
  if (offer.version >= kKeyboardKeySince)
    bound = wl_registry_bind(registry, offer.name, &org_kde_kwin_fake_input_interface,
                             std::min(offer.version, known));
  wl_registry_destroy(registry);
  return static_cast<org_kde_kwin_fake_input*>(bound);
}

xkb_keymap* DefaultKeymap() {
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  if (!context) return nullptr;
  xkb_keymap* keymap = xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS);
  xkb_context_unref(context);
  return keymap;
}

// evdev's code of the key that gives `keysym` unshifted.
std::uint32_t EvdevCode(xkb_keymap* keymap, xkb_keysym_t keysym) {
  for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap); code <= xkb_keymap_max_keycode(keymap);
       ++code) {
    const xkb_keysym_t* symbols = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap, code, 0, 0, &symbols) == 1 && symbols[0] == keysym)
      return code - kEvdevOffset;
  }
  throw std::runtime_error("no key gives keysym " + std::to_string(keysym));
}

}  // namespace

KWinKeyboard::KWinKeyboard(const QProcessEnvironment& session)
    : display_(nullptr, &wl_display_disconnect),
      fakeInput_(nullptr, &org_kde_kwin_fake_input_destroy),
      keymap_(DefaultKeymap(), &xkb_keymap_unref) {
  QString socket = session.value("WAYLAND_DISPLAY");
  if (socket.isEmpty() || !keymap_) return;
  if (!socket.startsWith('/')) socket = session.value("XDG_RUNTIME_DIR") + '/' + socket;
  display_.reset(wl_display_connect(socket.toLocal8Bit().constData()));
  if (!display_) return;
  fakeInput_.reset(BindFakeInput(display_.get()));
  if (!fakeInput_) return;
  org_kde_kwin_fake_input_authenticate(fakeInput_.get(), "Starveil driver",
                                       "plays the game from outside as a player would");
  Settle();
}

KWinKeyboard::~KWinKeyboard() = default;

void KWinKeyboard::Send(std::uint32_t keysym, bool pressed) {
  org_kde_kwin_fake_input_keyboard_key(
      fakeInput_.get(), EvdevCode(keymap_.get(), keysym),
      pressed ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
  wl_display_flush(display_.get());
}

void KWinKeyboard::Settle() {
  if (wl_display_roundtrip(display_.get()) < 0)
    throw std::runtime_error("KWin's fake input failed: error " +
                             std::to_string(wl_display_get_error(display_.get())));
}

}  // namespace starveil::xdrive
