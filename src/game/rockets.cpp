#include "game/rockets.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "game/facts.h"
#include "game/game.h"
#include "game/state.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/shape.h"
#include "platform/sprite.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace starveil::game {

using platform::Sprite;

namespace {

constexpr int kLastMarker = kLifeMarkers - 1;
constexpr float kFramePause = kExplosionFramePauseMs / 1000.0f;  // seconds
constexpr float kFinalPause = kLossFinalPauseMs / 1000.0f;       // seconds
constexpr float kShortestSleep = 0.001f;                         // seconds

// A rocket touches the cannon when its middle lies over the hull and its bottom has come down
// to the cannon's top; there is no lower bound until the floor.
bool TouchesCannon(const Game& g, const Sprite& rocket) {
  const Sprite& cannon = g.SH;
  return cannon.Left() + 90 <= rocket.Left() + 80 &&
         cannon.Left() + cannon.Width() - 60 >= rocket.Left() + rocket.Width() - 80 &&
         rocket.Top() + rocket.Height() - 20 >= cannon.Top();
}

std::optional<int> LastVisibleMarker(const Game& g) {
  for (int j = kLastMarker; j >= 0; --j) {
    if (g.Lives[j].Visible()) return j;
  }
  return std::nullopt;
}

int LivesLeft(const Game& g) {
  const std::optional<int> last = LastVisibleMarker(g);
  return last ? *last + 1 : 0;
}

}  // namespace

void RocketErasePass(Game& g) {
  for (int i = 0; i <= kLastRocket; ++i) {
    Sprite& rocket = g.K[i];
    if (!rocket.Visible()) continue;
    rocket.SetTag(kRocketDue);
    rocket.SetVisible(false);
  }
}

std::optional<int> RocketMovePass(Game& g) {
  std::optional<int> touching;
  const float floor = g.Shape1.Top() + g.Shape1.Height();
  for (int i = 0; i <= kLastRocket; ++i) {
    Sprite& rocket = g.K[i];
    if (rocket.Tag() != kRocketDue) continue;
    rocket.SetTop(rocket.Height() / 4 + rocket.Top());
    rocket.SetTag(kRocketFalling);
    if (floor > rocket.Top()) {
      rocket.SetVisible(true);
      if (TouchesCannon(g, rocket)) touching = i;
    } else {
      rocket.SetTag(kRocketFree);
    }
  }
  return touching;
}

void CannonLossSequence(Game& g, int rocket) {
  const std::optional<int> marker = LastVisibleMarker(g);
  if (!marker) {
    g.SH.SetPicture(g.SE[kCannonPicture].Picture());
    return;
  }
  g.K[rocket].SetTag(kRocketFree);
  g.K[rocket].SetVisible(false);
  g.Lives[*marker].SetVisible(false);

  // Each pause lets the game go on: the march, the keys and even Start may act in between. A
  // player who closes the window meanwhile wants no more of it.
  for (int frame = 0; frame < kExplosionFrames; ++frame) {
    g.SH.SetPicture(g.SE[frame].Picture());
    if (!ClockPause(g, kFramePause)) return;
  }
  if (!ClockPause(g, kFinalPause)) return;

  if (*marker != 0) {
    g.SH.SetPicture(g.SE[kCannonPicture].Picture());
    // Told only now, as the game runs on: Start may have brought the lives back meanwhile.
    AnnounceWithScore(g, "Lives left: " + std::to_string(LivesLeft(g)));
    return;
  }
  g.SH.SetPicture(g.SE[kExplosionFrames - 1].Picture());
  g.state.GameOver = true;
  g.tmrMonster.SetEnabled(false);
  g.msgBox.Show("Sorry, Game Over.");
}

bool ClockPause(Game& g, float seconds) {
  const float start = g.clock.SecondsSinceMidnight();
  const float end = start + seconds;
  // Sleeping only up to the end itself could leave a coarse single-precision clock reading the
  // end for ever; the pause is over at the first reading past it.
  const float pastEnd = std::nextafter(end, 2 * platform::kSecondsPerDay);
  for (;;) {
    float now = g.clock.SecondsSinceMidnight();
    // The clock starts again from zero at midnight; the pause still lasts its full length.
    if (now < start) now += platform::kSecondsPerDay;
    if (now > end) break;
    g.clock.Sleep(std::max(pastEnd - now, kShortestSleep));
  }
  g.clock.DoEvents();
  return g.window.IsLoaded();
}

}  // namespace starveil::game
