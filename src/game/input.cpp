#include "game/input.h"

#include "game/facts.h"
#include "game/game.h"
#include "platform/keys.h"
#include "platform/shape.h"
#include "platform/sprite.h"
#include "platform/timer.h"

namespace starveil::game {

namespace {

// The cannon may rest exactly on either edge of the playfield; a step past it is taken back.
void StepLeft(Game& g) {
  platform::Sprite& cannon = g.SH;
  cannon.SetLeft(cannon.Left() - kCannonStep);
  if (cannon.Left() < g.Shape1.Left()) cannon.SetLeft(cannon.Left() + kCannonStep);
}

void StepRight(Game& g) {
  platform::Sprite& cannon = g.SH;
  cannon.SetLeft(cannon.Left() + kCannonStep);
  const float fieldRight = g.Shape1.Left() + g.Shape1.Width();
  const float cannonRight = cannon.Left() + cannon.Width();
  if (fieldRight < cannonRight) cannon.SetLeft(cannon.Left() - kCannonStep);
}

// Places the shot on top of the cannon, centred; the shot timer takes it from there.
void Fire(Game& g) {
  if (g.state.ShotInFlight) return;
  platform::Sprite& shot = g.R[2];
  shot.SetTop(g.SH.Top() - shot.Height());
  shot.SetLeft(g.SH.Width() / 2 - shot.Width() / 2 + g.SH.Left());
  g.state.ShotInFlight = true;
}

}  // namespace

void HandleKey(Game& g, std::int16_t keyCode) {
  // The march timer alone tells whether a game is being played.
  if (!g.tmrMonster.Enabled()) return;
  if (keyCode == platform::kKeyLeft) {
    StepLeft(g);
  } else if (keyCode == platform::kKeyRight) {
    StepRight(g);
  } else if (keyCode == platform::kKeyUp || keyCode == platform::kKeySpace) {
    Fire(g);
  }
}

void Text1_KeyDown(Game& g, std::int16_t keyCode, std::int16_t /*shift*/) {
  HandleKey(g, keyCode);
}

void cmdStart_KeyDown(Game& g, std::int16_t keyCode, std::int16_t /*shift*/) {
  HandleKey(g, keyCode);
}

void Form_KeyDown(Game& g, std::int16_t keyCode, std::int16_t /*shift*/) {
  HandleKey(g, keyCode);
}

}  // namespace starveil::game
