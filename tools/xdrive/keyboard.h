// Keys pressed as a player presses them, through whichever way in the desktop offers a program:
// XTEST on an X server, mutter's remote desktop, KWin's fake input.
#pragma once

#include <QProcessEnvironment>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>

namespace starveil::xdrive {

class XDesktop;

class Keyboard {
 public:
  Keyboard() = default;
  virtual ~Keyboard() = default;
  Keyboard(const Keyboard&) = delete;
  Keyboard& operator=(const Keyboard&) = delete;

  // A key as a keyboard sends it, pressed and released: "Left", "space", "shift+Tab", "alt+F4" and
  // the like, X keysym names with modifiers ("shift", "ctrl", "alt", "super") joined by '+'.
  void Key(std::string_view combination);
  // One after another, a little apart as a typist's.
  void Keys(std::initializer_list<std::string_view> combinations,
            std::chrono::milliseconds apart = std::chrono::milliseconds(12));
  void Press(std::string_view key);
  void Release(std::string_view key);

 protected:
  virtual void Send(std::uint32_t keysym, bool pressed) = 0;
  // Returns once the desktop has taken every key sent: a driver that leaves at once, as the command
  // does, may otherwise leave a key held down and repeating, or lost.
  virtual void Settle() = 0;
};

// The keysym of a key's name; throws std::invalid_argument for a name that is none.
std::uint32_t Keysym(std::string_view key);

// The keyboard that reaches the game: XTEST through `x` where the game is on X, which the keyboard
// must not outlive; else mutter's remote desktop or KWin's fake input, whichever the session
// (its bus, runtime directory and WAYLAND_DISPLAY) offers; null where none does.
std::unique_ptr<Keyboard> SessionKeyboard(const QProcessEnvironment& session, XDesktop* x);

}  // namespace starveil::xdrive
