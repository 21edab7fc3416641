#pragma once

#include <memory>

#include "game/game.h"
#include "platform/accessibility.h"
#include "platform/clock.h"
#include "platform/control_array.h"
#include "platform/label.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "platform/shape.h"
#include "platform/sprite.h"
#include "platform/timer.h"
#include "platform/widgets.h"
#include "platform/window.h"

namespace starveil {

// The collaborators of the game window that a test may replace; any left empty is the real one.
struct Seams {
  std::unique_ptr<platform::Clock> clock;
  std::unique_ptr<platform::Random> random;
  std::unique_ptr<platform::MessageBox> msgBox;
  platform::ScreenReaderBridge screenReader{};
};

// The game window: its controls under their design names, laid out as designed, and the rules
// wired to their events.
class frmMain final : public platform::Window {
 public:
  explicit frmMain(Seams seams = {});
  ~frmMain() override;

  // Lightweight controls.
  platform::Sprite Image1;
  platform::ControlArray<platform::Label> Label1;
  platform::Label lblPoints;
  platform::Label lblLevel;
  platform::Label Label2;
  platform::Shape Shape1;
  platform::Sprite SH;
  game::SpritePool M;
  game::SpritePool K;
  game::SpritePool MI;
  game::SpritePool R;
  game::SpritePool A;
  game::SpritePool B;
  game::SpritePool C;
  game::SpritePool D;
  game::SpritePool SE;
  game::SpritePool Lives;

  // Windowed controls.
  platform::PictureBox Pellamy;
  platform::CommandButton cmdStart;
  platform::TextBox Text1;

  platform::Timer tmrMonster;
  platform::Timer tmrBulletsMove;
  platform::Timer TmrRk;

  // The rules' view of this window.
  game::Game& Rules() { return game_; }

 protected:
  void Form_Load() override;
  void Form_KeyDown(std::int16_t keyCode, std::int16_t shift) override;

 private:
  void LayOut();
  void WireEvents();

  Seams seams_;
  game::Game game_;
};

}  // namespace starveil
