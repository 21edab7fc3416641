#pragma once

#include <memory>
#include <string>

#include "game/formation.h"
#include "game/game.h"
#include "platform/sprite.h"
#include "support/game_window.h"

// Helpers for the tests of what flies: the shot, the rockets, the cannon's loss and the flicker.
namespace starveil::testing {

// The next march step launches nothing: its target comes out 1 and every monster draws 128.
inline void QuietMarch(ScriptedRandom& random) {
  random.draws = {0.0f};
  random.afterScript = 0.5f;
}

// A loaded game window whose first wave launched no rocket, so every rocket is as designed, and
// whose pauses let nothing run unless a test says what runs there.
struct FlightWindow {
  std::unique_ptr<ScriptedClock> ownedClock = std::make_unique<ScriptedClock>();
  std::unique_ptr<ScriptedRandom> ownedRandom = std::make_unique<ScriptedRandom>();
  std::unique_ptr<HeldMessageBox> ownedBox = std::make_unique<HeldMessageBox>();
  ScriptedClock* clock = ownedClock.get();
  ScriptedRandom* random = ownedRandom.get();
  HeldMessageBox* msgBox = ownedBox.get();
  std::unique_ptr<frmMain> frm;

  FlightWindow() {
    clock->onDoEvents = [] {};
    QuietMarch(*random);
    frm = std::make_unique<frmMain>(
        Seams{std::move(ownedClock), std::move(ownedRandom), std::move(ownedBox)});
    frm->Load();
  }

  game::Game& g() { return frm->Rules(); }
  game::GameState& state() { return frm->Rules().state; }

  // Start pressed, with a wave that launches nothing.
  void Start() {
    QuietMarch(*random);
    frm->cmdStart.click();
  }
};

inline platform::Sprite& Monster(game::Game& g, int row, int column) {
  return *g.state.MonsterRows[row].Item(game::MonsterKey(column));
}

// The shot flies from here at the next tick, as a fire key leaves it.
inline void Aim(game::Game& g, float left, float top) {
  g.R[2].SetLeft(left);
  g.R[2].SetTop(top);
  g.state.ShotInFlight = true;
}

// Launches rocket `i` as the march does: placed, hidden, due to move.
inline void Launch(game::Game& g, int i, float left, float top) {
  g.K[i].SetLeft(left);
  g.K[i].SetTop(top);
  g.K[i].SetTag("V");
  g.K[i].SetVisible(false);
}

// Launches rocket `i` where the next tick brings it squarely onto the cannon's top.
inline void LaunchOntoCannon(game::Game& g, int i) {
  Launch(g, i, g.SH.Left() + 100, g.SH.Top() - 60);
}

// Which other element of `pool` carries the very picture that `sprite` shows, or -1 for none.
inline int FrameOf(const game::SpritePool& pool, const platform::Sprite& sprite) {
  for (int i = pool.LBound(); i <= pool.UBound(); ++i) {
    if (&pool[i] != &sprite && pool[i].Picture() == sprite.Picture()) return i;
  }
  return -1;
}

// The life markers Lives(0) to Lives(2), "1" where shown.
inline std::string Markers(const game::Game& g) {
  std::string shown;
  for (int j = 0; j <= 2; ++j)
    shown += g.Lives[j].Visible() ? '1' : '0';
  return shown;
}

}  // namespace starveil::testing
