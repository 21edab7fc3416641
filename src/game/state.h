#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/keyed_collection.h"

namespace starveil::platform {
class Sprite;
}

namespace starveil::game {

struct Game;

using MonsterRow = platform::KeyedCollection<platform::Sprite*>;

// The game window's variables. Lives are not counted here: they are the visible life markers.
struct GameState {
  std::int16_t AnimFrame = 0;   // frame 0 to 4 the monsters show
  std::int16_t AnimStep = 0;    // +1 or -1, the way AnimFrame moves
  std::int16_t MarchStep = 0;   // twips per step sideways, +30 rightward or -30 leftward
  std::int16_t RightLimit = 0;  // twips, the formation's turning limits
  std::int16_t LeftLimit = 0;
  std::int32_t FormationTop = 0;     // twips, top of the first row
  std::int16_t MonsterInterval = 0;  // ms, the march timer's interval as last set
  bool GameOver = false;
  std::int16_t Level = 0;
  std::int32_t Points = 0;
  std::array<MonsterRow, 4> MonsterRows;  // top row first
  bool ShotInFlight = false;
};

// Resets score, level, lives and the monsters' life for a new game.
void NewGame(Game& g);

// Starts a new game at any moment.
void cmdStart_Click(Game& g);

// Raises `news`, then the score, through the game's news hook: the score changes too often to be
// spoken at every hit, so a listening player hears it with the news instead.
void AnnounceWithScore(Game& g, const std::string& news);

}  // namespace starveil::game
