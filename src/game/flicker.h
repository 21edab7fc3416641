#pragma once

namespace starveil::game {

struct Game;

// The animation timer's tick: the shot's exhaust and the rockets flicker, and the labels show
// the score and the level.
void TmrRk_Timer(Game& g);

}  // namespace starveil::game
