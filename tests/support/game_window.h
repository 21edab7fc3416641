#pragma once

#include <memory>

#include "support/seams.h"
#include "window/frm_main.h"

namespace starveil::testing {

// A loaded game window whose clock, random draws and message box the test holds, and whose screen
// reader is `screenReader` if given.
struct GameWindow {
  explicit GameWindow(platform::ScreenReaderBridge screenReader = {});
  ~GameWindow();

  ScriptedClock* clock;
  ScriptedRandom* random;
  HeldMessageBox* msgBox;
  std::unique_ptr<frmMain> frm;

  game::Game& g() { return frm->Rules(); }
  game::GameState& state() { return frm->Rules().state; }
};

// Sends a key press and release to whatever widget of the window has the focus, as a keyboard does.
void PressKey(frmMain& frm, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace starveil::testing
