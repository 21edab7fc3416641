#pragma once

// The game window's controls under their design names, as the rules use them:
//   SH              the cannon; its picture shows the explosion's frames when a rocket hits it
//   Shape1          the black playfield, whose edges bound the cannon, the shot and the rockets
//   M               the monsters: M(0) hands each row its frame from below the playfield, M(1)
//                   plays no part, M(2) to M(49) are the formation, row by row
//   A, B, C, D      the five frames of the monsters of row 0 (top), 1, 2 and 3 (bottom)
//   K               the rockets the monsters drop, K(0) to K(10); a rocket's tag says where it is
//                   in its fall
//   MI              the rocket's two frames, which the rockets take in turn
//   R               the shot: R(2) flies, R(0), R(1) and R(3) are the frames it flickers through
//   SE              the cannon's explosion, frames SE(0) to SE(7), and SE(8), the whole cannon
//   Lives           the life markers beside "Active Lives", one lit for each life left
//   Text1           the hidden text box that takes the game's keys once a game is started
//   tmrMonster      the march: one step of the formation a tick
//   tmrBulletsMove  the shot and the rockets move, and what they meet is hit
//   TmrRk           the flicker of the shot and the rockets; the labels show score and level

#include <functional>
#include <string>

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

// What the rules work on: the game window's controls under their design names, its variables,
// and the clock, random draws and message box, which a test may replace.
struct Game {
  platform::Window& window;  // the game window, which a pause asks whether it is still loaded

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
  // Tells the player news of the game, through the screen reader where one listens.
  std::function<void(const std::string& news)> news;

  GameState state{};
};

}  // namespace starveil::game
