#pragma once

#include <cstdint>

namespace starveil::game {

struct Game;

// What a march step found.
enum MarchOutcome : std::int16_t {
  kInvasion = -1,
  kWaveCleared = 0,
  kMarchOn = 1,
};

// One step of the formation: census, turn at the limits, pace, animation, move, rockets, and
// whether a live monster has reached the cannon's line.
std::int16_t MarchFormation(Game& g);

// The march timer's tick: one step and what follows from it.
void tmrMonster_Timer(Game& g);

}  // namespace starveil::game
