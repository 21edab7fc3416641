#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <optional>

#include "game/flicker.h"
#include "game/formation.h"
#include "game/march.h"
#include "game/shot.h"
#include "platform/label.h"
#include "platform/timer.h"
#include "support/game_window.h"

namespace starveil::testing {
namespace {

using platform::Sprite;

constexpr int kLastLevel = 40;
constexpr int kShotReach = 90;  // twips either side of a monster's left edge that a shot may be

int LiveCount(game::Game& g) {
  int live = 0;
  for (const game::MonsterRow& row : g.state.MonsterRows) {
    for (int p = 1; p <= row.Count(); ++p)
      live += row.Item(p)->Tag() == game::kAlive;
  }
  return live;
}

struct Target {
  Sprite* monster;
  int row;
};

// The lowest live monster of the column nearest the cannon: nothing stands between it and a shot.
std::optional<Target> NearestTarget(game::Game& g) {
  std::optional<Target> best;
  float bestDistance = 0;
  for (int row = 0; row < game::kRows; ++row) {
    for (int column = 0; column < game::kColumns; ++column) {
      Sprite& monster = *g.state.MonsterRows[row].Item(game::MonsterKey(column));
      if (monster.Tag() != game::kAlive) continue;
      const float distance = std::abs(monster.Left() - g.SH.Left());
      if (!best || distance < bestDistance || (distance == bestDistance && row > best->row)) {
        best = Target{&monster, row};
        bestDistance = distance;
      }
    }
  }
  return best;
}

// Where a shot fired now would start, as the fire key places it.
float ShotLeft(game::Game& g) {
  return g.SH.Left() + g.SH.Width() / 2 - g.R[2].Width() / 2;
}

// Walks the cannon with the arrow keys until a shot would meet the target, fires, and lets the
// shot fly until it ends.
void ShootDown(frmMain& frm, const Target& target) {
  game::Game& g = frm.Rules();
  for (int presses = 0; presses < 200; ++presses) {
    const float offset = ShotLeft(g) - target.monster->Left();
    if (std::abs(offset) <= kShotReach) break;
    QTest::keyClick(frm.focusWidget(), offset > 0 ? Qt::Key_Left : Qt::Key_Right);
  }
  QTest::keyClick(frm.focusWidget(), Qt::Key_Space);
  ASSERT_TRUE(g.state.ShotInFlight);
  for (int ticks = 0; g.state.ShotInFlight && ticks < 100; ++ticks)
    game::tmrBulletsMove_Timer(g);
  ASSERT_FALSE(g.state.ShotInFlight);
}

// The interval handed to the timer is the formula's own; the timer runs it, or its lower bound
// when the formula gives nothing runnable.
void ExpectMarchInterval(game::Game& g) {
  const int formula = (11 - g.state.Level) * 10 + LiveCount(g);
  EXPECT_EQ(g.state.MonsterInterval, formula);
  EXPECT_EQ(g.tmrMonster.Interval(), formula);
  EXPECT_EQ(g.tmrMonster.RunningInterval(),
            std::max(formula, platform::Timer::kShortestRunnableMs));
}

// Lets the real event loop run until the march timer has stepped the formation by itself.
bool RealTimerSteps(game::Game& g) {
  const float before = g.M[game::kFirstMonster].Left();
  const std::int32_t topBefore = g.state.FormationTop;
  QDeadlineTimer patience(30'000);
  while (!patience.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (g.M[game::kFirstMonster].Left() != before || g.state.FormationTop != topBefore) return true;
  }
  return false;
}

TEST(EveryLevel, FortyWavesAreShotDownOneMonsterAtATimeAndEachMarchesToItsEnd) {
  GameWindow w;  // its draws launch no rocket, so no rocket ends the game level after level
  game::Game& g = w.g();
  QTest::mouseClick(&w.frm->cmdStart, Qt::LeftButton);
  std::int32_t expectedPoints = 0;

  for (int level = 1; level <= kLastLevel; ++level) {
    SCOPED_TRACE(::testing::Message() << "level " << level);
    ASSERT_EQ(g.state.Level, level);
    ASSERT_TRUE(g.tmrMonster.Enabled());
    bool realTicksSeen = false;
    auto checkInterval = [&] {
      ExpectMarchInterval(g);
      if (g.state.MonsterInterval > 0 || realTicksSeen) return;
      realTicksSeen = true;
      EXPECT_TRUE(RealTimerSteps(g)) << "the march stalls at interval " << g.state.MonsterInterval;
    };
    checkInterval();

    int marches = 0;
    while (const std::optional<Target> target = NearestTarget(g)) {
      ShootDown(*w.frm, *target);
      if (HasFatalFailure()) return;
      ASSERT_EQ(target->monster->Tag(), game::kDestroyed);
      expectedPoints += game::RowScore(target->row);
      ASSERT_EQ(g.state.Points, expectedPoints);
      if (LiveCount(g) == 0) break;

      const float before = g.M[game::kFirstMonster].Left();
      const std::int32_t topBefore = g.state.FormationTop;
      game::tmrMonster_Timer(g);
      ASSERT_TRUE(g.tmrMonster.Enabled());
      marches += g.M[game::kFirstMonster].Left() != before || g.state.FormationTop != topBefore;
      checkInterval();
    }
    EXPECT_EQ(marches, game::kMonsters - 1);

    // The march step that finds the wave empty brings the next one.
    game::tmrMonster_Timer(g);
    ASSERT_EQ(w.msgBox->shown.size(), static_cast<size_t>(level));
    ASSERT_EQ(w.msgBox->shown.back(), "GOOD JOB!");
    ASSERT_EQ(LiveCount(g), game::kMonsters);
  }

  EXPECT_EQ(g.state.Points, kLastLevel * 12 * (60 + 45 + 30 + 15));
  game::TmrRk_Timer(g);
  EXPECT_EQ(g.lblPoints.Caption(), std::to_string(kLastLevel * 1800));
  EXPECT_EQ(g.lblLevel.Caption(), std::to_string(kLastLevel + 1));
}

}  // namespace
}  // namespace starveil::testing
