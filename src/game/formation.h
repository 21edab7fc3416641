#pragma once

#include <string>

#include "game/facts.h"

namespace starveil::game {

struct Game;

inline constexpr int kFirstMonster = 2;  // M(0) is the template and M(1) plays no part

// Monster tags: anything but "V" counts as destroyed.
inline constexpr const char* kAlive = "V";
inline constexpr const char* kDestroyed = "M";

// The key of a column in its row's collection: "M00" to "M11".
std::string MonsterKey(int column);

// Lays a fresh formation out at the top of the playfield, all monsters alive, and marches it
// one step.
void BuildFormation(Game& g);

// Sets the march interval of the current level.
void LevelSetting(Game& g);

}  // namespace starveil::game
