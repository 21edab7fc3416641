#pragma once

#include <cstdint>

namespace starveil::game {

struct Game;

// Moves the cannon or fires, while a game is being played.
void HandleKey(Game& g, std::int16_t keyCode);

// The key-down handlers of the text box, the Start button and the window itself. Whichever has
// the focus hands the key on; the shift state plays no part.
void Text1_KeyDown(Game& g, std::int16_t keyCode, std::int16_t shift);
void cmdStart_KeyDown(Game& g, std::int16_t keyCode, std::int16_t shift);
void Form_KeyDown(Game& g, std::int16_t keyCode, std::int16_t shift);

}  // namespace starveil::game
