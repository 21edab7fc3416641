#pragma once

#include <optional>

#include "game/facts.h"

namespace starveil::game {

struct Game;

// Rocket tags: empty is free, "V" is due to move at the next move pass, "R" is falling and shown.
inline constexpr const char* kRocketFree = "";
inline constexpr const char* kRocketDue = "V";
inline constexpr const char* kRocketFalling = "R";

// Marks every falling rocket due to move again, hidden until the move pass shows it.
void RocketErasePass(Game& g);

// Moves every rocket that is due, frees those that reach the floor, and reports the last rocket
// of the pass that touches the cannon.
std::optional<int> RocketMovePass(Game& g);

// A rocket touched the cannon: a life marker goes out and the cannon blows up; with the last
// marker the game is over.
void CannonLossSequence(Game& g, int rocket);

// Waits `seconds` by the clock, letting no window event run, then lets the pending ones run once.
// Answers whether the game window is still open afterwards.
bool ClockPause(Game& g, float seconds);

}  // namespace starveil::game
