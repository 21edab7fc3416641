#include "game/flicker.h"

#include <string>

#include "game/game.h"
#include "game/rockets.h"
#include "platform/label.h"
#include "platform/sprite.h"

namespace starveil::game {

using platform::Picture;
using platform::Sprite;

namespace {

// A sprite shows a frame only when it carries that very picture; equal pixels are not enough.
void FlickerShot(Game& g) {
  Sprite& shot = g.R[2];
  const Picture current = shot.Picture();
  if (current == g.R[0].Picture()) {
    shot.SetPicture(g.R[1].Picture());
  } else if (current == g.R[1].Picture()) {
    shot.SetPicture(g.R[3].Picture());
  } else {
    shot.SetPicture(g.R[0].Picture());
  }
}

void FlickerRockets(Game& g) {
  for (int i = 0; i <= kLastRocket; ++i) {
    Sprite& rocket = g.K[i];
    if (rocket.Tag() != kRocketDue && !rocket.Visible()) continue;
    const bool showsSecond = rocket.Picture() == g.MI[1].Picture();
    rocket.SetPicture(g.MI[showsSecond ? 0 : 1].Picture());
  }
}

}  // namespace

void TmrRk_Timer(Game& g) {
  FlickerShot(g);
  FlickerRockets(g);
  g.lblPoints.SetCaption(std::to_string(g.state.Points));
  g.lblLevel.SetCaption(std::to_string(g.state.Level));
}

}  // namespace starveil::game
