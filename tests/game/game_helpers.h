#pragma once

#include <string>
#include <utility>

#include "game/formation.h"
#include "game/game.h"
#include "game/march.h"
#include "game/rockets.h"
#include "game/state.h"
#include "platform/sprite.h"
#include "support/game_window.h"

// Helpers shared by the tests of the rules.
namespace starveil::testing {

// Start pressed, as its click handler runs.
inline void Start(GameWindow& w) {
  game::cmdStart_Click(w.g());
}

// The next march step brings the bottom row past the cannon's line: "INVASION!".
inline void Invade(GameWindow& w) {
  w.state().FormationTop = 4000;
  game::tmrMonster_Timer(w.g());
}

// A loaded game window whose pauses let nothing run unless a test says what runs there.
struct FlightWindow : GameWindow {
  explicit FlightWindow(platform::ScreenReaderBridge screenReader = {})
      : GameWindow(std::move(screenReader)) {
    clock->onDoEvents = [] {};
  }

  void Start() { frm->cmdStart.click(); }
};

inline platform::Sprite& Monster(game::Game& g, int row, int column) {
  return g.M[game::kFirstMonster + game::kColumns * row + column];
}

// Takes a monster out as a shot's hit does.
inline void Destroy(platform::Sprite& monster) {
  monster.SetTag(game::kDestroyed);
  monster.SetVisible(false);
}

// Destroys the first `count` monsters in row order, top row first, left to right.
inline void DestroyFirst(game::Game& g, int count) {
  for (int n = 0; n < count; ++n)
    Destroy(g.M[game::kFirstMonster + n]);
}

// The draw in [0, 1) that a step with `destroyed` monsters down turns into `number`.
inline float DrawFor(int number, int destroyed = 0) {
  return (static_cast<float>(number) - 0.5f) / (255.0f - 2.5f * static_cast<float>(destroyed));
}

// Moves every monster sideways, as if the formation had marched that far.
inline void ShiftFormation(game::Game& g, float twips) {
  for (int n = game::kFirstMonster; n < game::kFirstMonster + game::kMonsters; ++n)
    g.M[n].SetLeft(g.M[n].Left() + twips);
}

// Marks every rocket as falling, so none is free to launch.
inline void AllRocketsFalling(game::Game& g) {
  for (int k = 0; k <= game::kLastRocket; ++k)
    g.K[k].SetTag("R");
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
