#include "game/rest.h"

#include <string>

#include "game/game.h"
#include "game/rockets.h"
#include "platform/caption_and_borders.h"
#include "platform/label.h"
#include "platform/sprite.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace starveil::game {

namespace {

// A rocket launched but still hidden moves and flickers at the next ticks.
bool RocketsGone(const Game& g) {
  for (int i = 0; i <= kLastRocket; ++i) {
    if (g.K[i].Visible() || g.K[i].Tag() == kRocketDue) return false;
  }
  return true;
}

// Until its first flight the shot lies where it is stored, beneath the client area: its flicker
// changes no pixel there either.
bool ShotUnseen(const Game& g) {
  const platform::Sprite& shot = g.R[2];
  const float clientBottom = g.window.Height() - platform::kCaptionAndBordersTwips;
  return !shot.Visible() || shot.Top() >= clientBottom;
}

}  // namespace

bool AtRest(const Game& g) {
  return !g.tmrMonster.Enabled() && !g.state.ShotInFlight && ShotUnseen(g) && RocketsGone(g) &&
         g.lblPoints.Caption() == std::to_string(g.state.Points) &&
         g.lblLevel.Caption() == std::to_string(g.state.Level);
}

}  // namespace starveil::game
