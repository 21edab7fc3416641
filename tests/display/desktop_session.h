// The game on the desktop a display row runs in: started as the row's session starts programs,
// read and driven through that desktop, and heard through its screen reader.
#pragma once

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "keyboard.h"
#include "launch.h"
#include "x_desktop.h"

namespace starveil::display {

inline constexpr std::chrono::milliseconds kPatience{60'000};  // generous: the machine may be busy
inline constexpr std::chrono::milliseconds kReaction{
    10'000};  // for the game to show a key's effect

// The game on the desktop this test runs in, as its session's variables name it.
class Session {
 public:
  Session();
  ~Session();

  // The desktop offers an X display, and the test can read it.
  bool OnX() const { return x_ && x_->Ok(); }
  // The scale tools/desktop.sh runs the game at on X: Qt's, or the one a scaled desktop tells X11
  // programs, where they scale themselves.
  double Scale() const;

  bool StartGame();

  bool GameRunning() { return game_ && game_->Running(); }
  // What the game has said on its standard error so far, and whether it has ended.
  QString GameOutput();
  // Everything the game said on its standard error, once it has been ended.
  QString GameErrors();
  // The life markers lit on the screen at each comparison the game's watch has made so far, of
  // what the X server shows with what the game holds.
  std::vector<int> MarkersLit();
  int LastMarkersLit();
  const QString& Display() const { return display_; }
  xdrive::XDesktop& X() { return *x_; }

  bool StartScreenReader();
  // Whether a screen reader listens: tools/screen-reader.sh names where it writes what it says.
  bool Listened() const { return env_.contains("SPOKEN_TEXT"); }
  // Whether the screen reader says what `pattern` matches within `patience`, with all it has said
  // joined: Orca words things differently from release to release, and speaks long news in
  // sentences.
  testing::AssertionResult Says(const QString& pattern, std::chrono::milliseconds patience) const;

  xcb_window_t GameWindow(const QString& title) { return x_->FindWindow(title, game_->Pid()); }

  // Keys go where a player's would: to the window that has the focus.
  bool Focused(xcb_window_t window);

  // The whole of a Wayland compositor's screen, as its screenshot client takes it.
  QImage Screenshot();

  // The whole screen as KWin or mutter shows it, in its own pixels; empty where the compositor
  // offers no way to take it.
  std::optional<QImage> CompositorScreen();

  // Keys through the compositor, for a game that runs natively on Wayland; null where the
  // compositor takes none from a program. Kept for the whole game: mutter would take the focus
  // from the window and give it back with each new one.
  xdrive::Keyboard* CompositorKeyboard();

 private:
  QString Errors();

  QTemporaryDir watch_;  // where the game writes, its watch on standard output
  QProcess screenReader_;
  QProcessEnvironment env_;
  QString display_;
  std::unique_ptr<xdrive::XDesktop> x_;
  std::unique_ptr<xdrive::Launch> game_;
  std::unique_ptr<xdrive::Keyboard> compositorKeys_;
};

}  // namespace starveil::display
