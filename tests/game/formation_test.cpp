#include "game/formation.h"

#include <gtest/gtest.h>

#include "game/march.h"
#include "game_helpers.h"
#include "support/game_window.h"

namespace starveil::testing {
namespace {

TEST(Formation, LoadedWindowHoldsFortyEightLiveMonstersByRowAndColumn) {
  GameWindow w;
  game::Game& g = w.g();
  for (int r = 0; r < game::kRows; ++r) {
    const game::MonsterRow& row = w.state().MonsterRows[r];
    ASSERT_EQ(row.Count(), game::kColumns) << "row " << r;
    for (int c = 0; c < game::kColumns; ++c) {
      SCOPED_TRACE(::testing::Message() << "row " << r << " column " << c);
      platform::Sprite& monster = Monster(g, r, c);
      EXPECT_EQ(row.Item(c + 1), &monster);
      EXPECT_EQ(row.Item(game::MonsterKey(c)), &monster);
      EXPECT_TRUE(monster.Visible());
      EXPECT_EQ(monster.Tag(), "V");
      // Laid out 525 twips into the playfield and 540 below its top, then marched 30 right.
      EXPECT_EQ(monster.Left(), 60 + 525 + 300 * c + 30);
      EXPECT_EQ(monster.Top(), 1200 + 540 + 255 * r);
    }
  }
  EXPECT_EQ(w.state().AnimFrame, 1);
  EXPECT_EQ(w.state().AnimStep, 1);
  EXPECT_EQ(w.state().MarchStep, 30);
  EXPECT_EQ(w.state().FormationTop, 1740);
  const struct {
    const char* key;
    int sprite;
  } kRow2[] = {{"M00", 26}, {"M05", 31}, {"M09", 35}, {"M10", 36}, {"M11", 37}};
  for (const auto& entry : kRow2)
    EXPECT_EQ(w.state().MonsterRows[2].Item(entry.key), &g.M[entry.sprite]) << entry.key;
  EXPECT_EQ(w.state().MonsterRows[2].Item(6), &g.M[31]);
}

TEST(LevelSetting, KeepsTheFormulaWhileTheTimerRunsWithAPositiveInterval) {
  GameWindow w;
  game::Game& g = w.g();
  g.tmrMonster.SetEnabled(true);
  const struct {
    int level;
    int interval;
  } kCases[] = {{1, 150}, {2, 140}, {10, 60}, {15, 10}, {16, 0}, {17, -10}, {40, -240}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.level);
    w.state().Level = static_cast<std::int16_t>(c.level);
    game::LevelSetting(g);
    EXPECT_EQ(w.state().MonsterInterval, c.interval);
    EXPECT_EQ(g.tmrMonster.Interval(), c.interval);
    EXPECT_TRUE(g.tmrMonster.Running());
    if (c.interval > 0) {
      EXPECT_EQ(g.tmrMonster.RunningInterval(), c.interval);
    } else {
      EXPECT_GT(g.tmrMonster.RunningInterval(), 0);
    }
  }
}

}  // namespace
}  // namespace starveil::testing
