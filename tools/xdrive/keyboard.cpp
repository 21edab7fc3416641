#include "keyboard.h"

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "kwin_keyboard.h"
#include "mutter_keyboard.h"
#include "x_desktop.h"
#include "xtest_keyboard.h"

namespace starveil::xdrive {

namespace {

std::vector<std::string_view> Split(std::string_view combination) {
  std::vector<std::string_view> keys;
  for (std::size_t plus; (plus = combination.find('+')) != std::string_view::npos;) {
    keys.push_back(combination.substr(0, plus));
    combination.remove_prefix(plus + 1);
  }
  keys.push_back(combination);
  return keys;
}

}  // namespace

std::uint32_t Keysym(std::string_view key) {
  struct Modifier {
    std::string_view name;
    xkb_keysym_t keysym;
  };
  // A modifier is named as a shortcut names it, and pressed as its left-hand key.
  static constexpr std::array<Modifier, 5> kModifiers{{
      {"shift", XKB_KEY_Shift_L},
      {"ctrl", XKB_KEY_Control_L},
      {"control", XKB_KEY_Control_L},
      {"alt", XKB_KEY_Alt_L},
      {"super", XKB_KEY_Super_L},
  }};
  for (const Modifier& modifier : kModifiers) {
    if (modifier.name == key) return modifier.keysym;
  }
  const std::string name(key);
  const xkb_keysym_t keysym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
  if (keysym == XKB_KEY_NoSymbol) throw std::invalid_argument("no key named " + name);
  return keysym;
}

void Keyboard::Key(std::string_view combination) {
  // Every name is checked before a key goes down, so none is left held.
  std::vector<std::uint32_t> keysyms;
  for (const std::string_view key : Split(combination))
    keysyms.push_back(Keysym(key));
  for (const std::uint32_t keysym : keysyms)
    Send(keysym, true);
  for (std::size_t i = keysyms.size(); i-- > 0;)
    Send(keysyms[i], false);
  Settle();
}

void Keyboard::Keys(std::initializer_list<std::string_view> combinations,
                    std::chrono::milliseconds apart) {
  for (const std::string_view combination : combinations) {
    Key(combination);
    std::this_thread::sleep_for(apart);
  }
}

void Keyboard::Press(std::string_view key) {
  Send(Keysym(key), true);
  Settle();
}

void Keyboard::Release(std::string_view key) {
  Send(Keysym(key), false);
  Settle();
}

std::unique_ptr<Keyboard> SessionKeyboard(const QProcessEnvironment& session, XDesktop* x) {
  if (x && x->Ok()) return std::make_unique<XTestKeyboard>(x->Connection());
  if (auto mutter = std::make_unique<MutterKeyboard>(session); mutter->Ok()) return mutter;
  if (auto kwin = std::make_unique<KWinKeyboard>(session); kwin->Ok()) return kwin;
  return nullptr;
}

}  // namespace starveil::xdrive
