#pragma once

#include "game/formation.h"
#include "game/game.h"
#include "game/rockets.h"
#include "platform/sprite.h"
#include "support/seams.h"

// Small helpers for the tests of the formation, the march, the keys and a new game.
namespace starveil::testing {

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

// The next step's target comes out 1 while every monster draws the afterScript value, far above
// it, so the step launches nothing.
inline void ScriptQuietStep(ScriptedRandom& random) {
  random.draws = {DrawFor(1)};
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

}  // namespace starveil::testing
