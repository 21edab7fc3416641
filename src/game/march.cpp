#include "game/march.h"

#include <array>

#include "game/facts.h"
#include "game/formation.h"
#include "game/game.h"
#include "game/rockets.h"
#include "game/state.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/numbers.h"
#include "platform/random.h"
#include "platform/sprite.h"
#include "platform/timer.h"
#include "platform/widgets.h"

namespace starveil::game {

using platform::Floor;
using platform::RoundToInt16;
using platform::RoundToInt32;
using platform::Sprite;

namespace {

struct RowExtent {
  std::int16_t firstLiveLeft = -1;  // -1 while the row has no live monster
  std::int16_t lastLiveLeft = 0;
};

struct Census {
  std::array<RowExtent, kRows> rows;
  std::int16_t live = 0;
  std::int16_t Destroyed() const { return static_cast<std::int16_t>(kMonsters - live); }
};

// A row's monsters were added column by column, so their positions in the row run in column
// order: walking the positions is walking the columns, without building a key for each.
Census TakeCensus(const Game& g) {
  Census census;
  for (int r = 0; r < kRows; ++r) {
    RowExtent& extent = census.rows[r];
    const MonsterRow& row = g.state.MonsterRows[r];
    for (int position = 1; position <= row.Count(); ++position) {
      const Sprite& monster = *row.Item(position);
      if (monster.Tag() != kAlive) continue;
      const std::int16_t left = RoundToInt16(monster.Left());
      if (extent.firstLiveLeft < 0) extent.firstLiveLeft = left;
      extent.lastLiveLeft = left;
      ++census.live;
    }
  }
  return census;
}

// The turning test looks at the step alone: however fast the formation moves, it turns when its
// outermost live monster would pass a limit by one plain step.
bool MustReverse(const GameState& s, const Census& census) {
  if (s.MarchStep < 0) {
    std::int16_t edge = s.RightLimit;
    for (const RowExtent& row : census.rows) {
      if (row.firstLiveLeft >= 1 && row.firstLiveLeft < edge) edge = row.firstLiveLeft;
    }
    return edge + s.MarchStep < s.LeftLimit;
  }
  std::int16_t edge = s.LeftLimit;
  for (const RowExtent& row : census.rows) {
    if (row.lastLiveLeft >= 1 && row.lastLiveLeft > edge) edge = row.lastLiveLeft;
  }
  return edge + s.MarchStep > s.RightLimit;
}

// Frames run 1, 2, 3, 4, 3, 2, 1, 0, 1 ...: past either end the step turns and the frame bounces.
void Animate(GameState& s) {
  const int next = s.AnimFrame + s.AnimStep;
  if (next >= kMonsterFrames || next < 0) {
    s.AnimStep = static_cast<std::int16_t>(-s.AnimStep);
    s.AnimFrame = static_cast<std::int16_t>(next + 2 * s.AnimStep);
  } else {
    s.AnimFrame = static_cast<std::int16_t>(next);
  }
}

// A draw between 1 and a ceiling that falls as the wave thins out.
std::int16_t Draw(Game& g, int destroyed) {
  return RoundToInt16(Floor(g.random.Rnd() * (kLaunchOdds - destroyed * 2.5)) + 1);
}

SpritePool& RowFrames(Game& g, int row) {
  const std::array<SpritePool*, kRows> pools{&g.A, &g.B, &g.C, &g.D};
  return *pools[row];
}

// Takes the first free rocket in K(0) to K(launch window) and hangs it under the monster. The
// search counter is the step's target number, so it comes back for the monsters still to draw:
// the rocket's index, or one past the window when none was free.
std::int16_t LaunchRocket(Game& g, const Sprite& monster, int destroyed) {
  const std::int16_t window = RoundToInt16(10 - destroyed / 8.0);
  std::int16_t j = 0;
  while (j <= window && g.K[j].Tag() != kRocketFree)
    ++j;
  if (j > window) return j;
  Sprite& rocket = g.K[j];
  rocket.SetTag(kRocketDue);
  rocket.SetTop(monster.Top() + monster.Height() + kRocketDrop);
  rocket.SetLeft(monster.Left());
  return j;
}

}  // namespace

std::int16_t MarchFormation(Game& g) {
  GameState& s = g.state;
  const Census census = TakeCensus(g);
  if (census.live < 1) return kWaveCleared;
  const int destroyed = census.Destroyed();

  std::int16_t bonus = RoundToInt16(destroyed * 1.5);
  if (s.MarchStep < 0) bonus = static_cast<std::int16_t>(-bonus);
  const bool reverse = MustReverse(s, census);

  s.MonsterInterval = RoundToInt16(MarchIntervalMs(s.Level, census.live));
  g.tmrMonster.SetInterval(s.MonsterInterval);

  // On the turning step the bonus keeps the old direction.
  if (reverse) {
    s.MarchStep = static_cast<std::int16_t>(-s.MarchStep);
    s.FormationTop = RoundToInt32(s.FormationTop + static_cast<double>(g.A[0].Height() / 3));
  }
  std::int16_t rowTop = RoundToInt16(s.FormationTop);
  Animate(s);

  g.random.Randomize(g.clock.SecondsSinceMidnight());
  std::int16_t target = Draw(g, destroyed);

  // M(0) hands each row its frame; it stays parked below the playfield.
  Sprite& holder = g.M[0];
  holder.SetVisible(true);
  std::int16_t lowestLiveTop = 0;
  for (int r = 0; r < kRows; ++r) {
    holder.SetPicture(RowFrames(g, r)[s.AnimFrame].Picture());
    const MonsterRow& row = s.MonsterRows[r];
    const int count = row.Count();
    for (int position = 1; position <= count; ++position) {
      Sprite& monster = *row.Item(position);
      // Destroyed monsters move too, so the gaps they leave keep their places.
      monster.SetLeft(static_cast<float>(RoundToInt32(monster.Left() + (s.MarchStep + bonus))));
      monster.SetTop(rowTop);
      if (monster.Tag() != kAlive) continue;
      monster.SetPicture(holder.Picture());
      lowestLiveTop = RoundToInt16(monster.Top());
      if (Draw(g, destroyed) == target) target = LaunchRocket(g, monster, destroyed);
    }
    rowTop = RoundToInt16(rowTop + g.A[0].Height() + kRowGap);
  }

  return g.SH.Top() - g.A[0].Height() >= lowestLiveTop ? kMarchOn : kInvasion;
}

void tmrMonster_Timer(Game& g) {
  g.tmrMonster.SetEnabled(false);
  if (g.state.GameOver) return;
  switch (MarchFormation(g)) {
    case kMarchOn:
      g.tmrMonster.SetEnabled(true);
      return;
    case kInvasion:
      g.msgBox.Show("INVASION!");
      return;
    default:
      g.msgBox.Show("GOOD JOB!");
      g.Text1.SetText("");
      g.state.Level = RoundToInt16(g.state.Level + 1);
      LevelSetting(g);
      BuildFormation(g);
      g.tmrMonster.SetEnabled(true);
      AnnounceWithScore(g, "Level: " + std::to_string(g.state.Level));
  }
}

}  // namespace starveil::game
