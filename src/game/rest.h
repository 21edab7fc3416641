#pragma once

namespace starveil::game {

struct Game;

// Whether no tick can change what the screen shows until the player acts: no march, no shot in
// sight, no rocket, and the captions showing what the flicker timer would write. Its ticks then
// change only the unseen shot's picture, which the catch-up after the rest brings to its phase.
bool AtRest(const Game& g);

}  // namespace starveil::game
