#pragma once

#include "game/state.h"
#include "platform/control_array.h"

namespace starveil::platform {
class Clock;
class Label;
class MessageBox;
class Random;
class Shape;
class Sprite;
class TextBox;
class Timer;
class Window;
}  // namespace starveil::platform

namespace starveil::game {

using SpritePool = platform::ControlArray<platform::Sprite>;

inline constexpr float kCannonStep = 60;  // twips per key-down

// What the rules work on: the game window's controls under their design names, its variables,
// and the clock, random draws and message box, which a test may replace.
struct Game {
  platform::Window& window;  // the game window: whether it is still loaded, and the news to speak

  platform::Sprite& SH;
  platform::Shape& Shape1;
  SpritePool& M;
  SpritePool& K;
  SpritePool& R;
  SpritePool& MI;
  SpritePool& SE;
  SpritePool& Lives;
  SpritePool& A;
  SpritePool& B;
  SpritePool& C;
  SpritePool& D;
  platform::Label& lblPoints;
  platform::Label& lblLevel;
  platform::TextBox& Text1;
  platform::Timer& tmrMonster;
  platform::Timer& tmrBulletsMove;
  platform::Timer& TmrRk;

  platform::Clock& clock;
  platform::Random& random;
  platform::MessageBox& msgBox;

  GameState state{};
};

}  // namespace starveil::game
