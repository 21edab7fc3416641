#pragma once

namespace starveil::game {

struct Game;

// The shot timer's tick: everything that flies moves, and what it meets is hit.
void tmrBulletsMove_Timer(Game& g);

// Points for a monster of row 0 (top) to 3 (bottom).
int RowScore(int row);

}  // namespace starveil::game
