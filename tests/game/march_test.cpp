#include "game/march.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "game/state.h"
#include "game_helpers.h"
#include "platform/timer.h"
#include "platform/widgets.h"
#include "support/game_window.h"

namespace starveil::testing {
namespace {

using game::MarchFormation;

// Where the bonus and the launch window change, and the ties that round to even.
TEST(March, BonusIntervalAndLaunchWindowFollowTheDestroyedCount) {
  const struct {
    int destroyed, bonus, window;
  } kCases[] = {{0, 0, 10},  {1, 2, 10},  {3, 4, 10},  {4, 6, 10},  {5, 8, 9},   {11, 16, 9},
                {12, 18, 8}, {20, 30, 8}, {21, 32, 7}, {27, 40, 7}, {28, 42, 6}, {30, 45, 6},
                {36, 54, 6}, {37, 56, 5}, {43, 64, 5}, {44, 66, 4}, {47, 70, 4}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.destroyed);
    GameWindow w;
    game::Game& g = w.g();
    DestroyFirst(g, c.destroyed);
    // The first live monster draws the target; only K(window), then only K(window + 1), is free.
    for (int free = c.window; free <= std::min(c.window + 1, game::kLastRocket); ++free) {
      AllRocketsFalling(g);
      g.K[free].SetTag("");
      w.random->draws = {DrawFor(100, c.destroyed), DrawFor(100, c.destroyed)};
      const float before = g.M[49].Left();
      EXPECT_EQ(MarchFormation(g), game::kMarchOn);
      EXPECT_EQ(g.M[49].Left() - before, 30 + c.bonus);
      EXPECT_EQ(g.K[free].Tag(), free == c.window ? "V" : "") << "K(" << free << ")";
    }
    EXPECT_EQ(w.state().MonsterInterval, 100 + 48 - c.destroyed);
    EXPECT_EQ(g.tmrMonster.Interval(), 100 + 48 - c.destroyed);
  }
}

TEST(March, LaunchSearchHandsItsCounterOnAsTheNextTarget) {
  GameWindow w;
  game::Game& g = w.g();
  for (int k = 0; k <= game::kLastRocket; ++k)
    g.K[k].SetTag(k == 0 ? "R" : "");
  const platform::Picture rocketPicture = g.K[1].Picture();
  // Target 100. M(2) matches and takes K(1), so the target becomes 1: M(3)'s 100 no longer
  // matches, M(4)'s 1 does and takes K(2), and M(5)'s 2 takes K(3).
  w.random->draws = {DrawFor(100), DrawFor(100), DrawFor(100), DrawFor(1), DrawFor(2)};

  MarchFormation(g);

  struct Launch {
    int rocket, monster;
  };
  const Launch kLaunches[] = {{1, 2}, {2, 4}, {3, 5}};
  for (const auto& launch : kLaunches) {
    SCOPED_TRACE(launch.rocket);
    const platform::Sprite& rocket = g.K[launch.rocket];
    EXPECT_EQ(rocket.Tag(), "V");
    EXPECT_EQ(rocket.Left(), 645 + 300 * (launch.monster - 2));  // the monster's new place
    EXPECT_EQ(rocket.Top(), 1740 + 240 + 15);
    EXPECT_FALSE(rocket.Visible());
    EXPECT_EQ(rocket.Picture(), rocketPicture);
  }
  EXPECT_EQ(g.K[0].Tag(), "R");
  EXPECT_EQ(g.K[4].Tag(), "");
}

TEST(March, FramesSwayUpAndDownAndEveryLiveMonsterShowsItsRowsFrame) {
  GameWindow w;
  game::Game& g = w.g();
  Destroy(Monster(g, 1, 5));
  const platform::Picture keptByTheDestroyed = Monster(g, 1, 5).Picture();
  g.M[0].SetVisible(false);
  const game::SpritePool* pools[] = {&g.A, &g.B, &g.C, &g.D};

  std::vector<int> frames{w.state().AnimFrame};
  for (int step = 0; step < 8; ++step) {
    MarchFormation(g);
    frames.push_back(w.state().AnimFrame);
    for (int r = 0; r < game::kRows; ++r)
      EXPECT_EQ(Monster(g, r, 11).Picture(), (*pools[r])[frames.back()].Picture()) << r;
  }

  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 3, 2, 1, 0, 1}));
  EXPECT_EQ(Monster(g, 1, 5).Picture(), keptByTheDestroyed);
  EXPECT_TRUE(g.M[0].Visible());
}

TEST(March, TurnsWhenOnePlainStepWouldPassALimitAndTheTurningStepKeepsTheBonus) {
  // Only M(49) is alive, with a bonus of 70 that the turning test leaves out.
  const struct {
    int marchStep;
    float left;
    bool turns;
    float leftAfter;
  } kCases[] = {
      {30, 4925, false, 5025},  // 4925 + 30 is exactly the right limit
      {30, 4926, true, 4966},   // -30 + 70
      {-30, 290, false, 190},   // 290 - 30 is exactly the left limit
      {-30, 289, true, 249},    // +30 - 70
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.left);
    GameWindow w;
    DestroyFirst(w.g(), 47);
    w.g().M[49].SetLeft(c.left);
    w.state().MarchStep = static_cast<std::int16_t>(c.marchStep);

    MarchFormation(w.g());

    EXPECT_EQ(w.state().MarchStep, c.turns ? -c.marchStep : c.marchStep);
    EXPECT_EQ(w.state().FormationTop, c.turns ? 1820 : 1740);
    EXPECT_EQ(w.g().M[49].Left(), c.leftAfter);
  }
}

TEST(March, HiddenMonstersMarchAlongButNeverDecideTheTurn) {
  GameWindow w;
  game::Game& g = w.g();
  DestroyFirst(g, 24);  // rows 0 and 1
  for (auto [row, column] : {std::pair{2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 11}, {3, 11}})
    Destroy(Monster(g, row, column));
  // Thirty down. Column 10 is the rightmost live one; the hidden column 11 stands past the limit.
  ShiftFormation(g, 4925 - Monster(g, 3, 10).Left());

  struct Trace {
    float liveLeft, hiddenLeft;  // columns 10 and 11 of the bottom row
    float emptyRowTop;
    int marchStep;
    bool operator==(const Trace&) const = default;
  };
  std::vector<Trace> trace;
  for (int step = 0; step < 3; ++step) {
    MarchFormation(g);
    trace.push_back({Monster(g, 3, 10).Left(), Monster(g, 3, 11).Left(), Monster(g, 0, 0).Top(),
                     w.state().MarchStep});
  }

  // +30+45; the turn, 80 down with the bonus still rightward (-30+45); then -30-45.
  const std::vector<Trace> expected{
      {5000, 5300, 1740, 30}, {5015, 5315, 1820, -30}, {4940, 5240, 1820, -30}};
  EXPECT_EQ(trace, expected);
}

TEST(March, InvadesOnTheStepOfTheTurnThatBringsTheLowestLiveRowDown) {
  for (auto [bottomRowAlive, expectedTurns] : {std::pair{true, 27}, {false, 30}}) {
    SCOPED_TRACE(bottomRowAlive);
    GameWindow w;
    if (!bottomRowAlive) {
      for (int column = 0; column < game::kColumns; ++column)
        Destroy(Monster(w.g(), 3, column));
    }
    int turns = 0;
    bool turned = false;
    std::int16_t outcome = game::kMarchOn;
    for (int step = 0; step < 5000 && outcome == game::kMarchOn; ++step) {
      const std::int16_t marchStep = w.state().MarchStep;
      outcome = MarchFormation(w.g());
      turned = w.state().MarchStep != marchStep;
      turns += turned;
      ASSERT_EQ(w.state().FormationTop, 1740 + 80 * turns);
    }
    EXPECT_EQ(outcome, game::kInvasion);
    EXPECT_TRUE(turned);
    EXPECT_EQ(turns, expectedTurns);
    EXPECT_EQ(Monster(w.g(), 3, 4).Top(), Monster(w.g(), 2, 4).Top() + 255);
  }
}

TEST(MarchTimer, GoodJobEmptiesTheTextBoxAndMarchesTheNextLevelsWave) {
  GameWindow w;
  game::Game& g = w.g();
  game::cmdStart_Click(g);
  g.Text1.SetText("typed");
  DestroyFirst(g, 48);
  const float left = g.M[2].Left();
  const int frame = w.state().AnimFrame;
  w.msgBox->whileOpen = [&](const std::string&) {
    // The step that found nobody left moved nothing.
    EXPECT_FALSE(g.tmrMonster.Enabled());
    EXPECT_EQ(g.M[2].Left(), left);
    EXPECT_EQ(w.state().AnimFrame, frame);
    EXPECT_EQ(g.Text1.Text(), "typed");
  };

  game::tmrMonster_Timer(g);

  EXPECT_EQ(w.msgBox->shown, std::vector<std::string>{"GOOD JOB!"});
  EXPECT_EQ(g.Text1.Text(), "");
  EXPECT_EQ(w.state().Level, 2);
  EXPECT_EQ(w.state().MonsterInterval, 90 + 48);
  EXPECT_EQ(g.tmrMonster.Interval(), 90 + 48);
  EXPECT_TRUE(g.tmrMonster.Enabled());
  for (int n = 2; n <= 49; ++n)
    EXPECT_TRUE(g.M[n].Tag() == "V" && g.M[n].Visible()) << n;
  EXPECT_EQ(g.M[2].Left(), 615);
}

TEST(MarchTimer, InvasionStopsTheMarchAndLeavesTheGameAsItStands) {
  GameWindow w;
  game::Game& g = w.g();
  game::cmdStart_Click(g);
  Destroy(g.M[7]);
  w.state().Points = 450;
  w.state().FormationTop = 4000;  // the bottom row comes down past the cannon's line this step

  game::tmrMonster_Timer(g);

  EXPECT_EQ(w.msgBox->shown, std::vector<std::string>{"INVASION!"});
  EXPECT_FALSE(g.tmrMonster.Enabled());
  EXPECT_FALSE(w.state().GameOver);
  EXPECT_EQ(w.state().Level, 1);
  EXPECT_EQ(w.state().Points, 450);
  EXPECT_EQ(g.M[7].Tag(), "M");
  EXPECT_EQ(g.M[49].Top(), 4000 + 3 * 255);
}

TEST(MarchTimer, TickAfterTheLastLifeMovesNothingAndStaysOff) {
  GameWindow w;
  game::Game& g = w.g();
  game::cmdStart_Click(g);
  w.state().GameOver = true;
  const float left = g.M[2].Left();
  const int reseeds = w.random->reseeds;

  game::tmrMonster_Timer(g);

  EXPECT_FALSE(g.tmrMonster.Enabled());
  EXPECT_EQ(g.M[2].Left(), left);
  EXPECT_EQ(w.random->reseeds, reseeds);
  EXPECT_TRUE(w.msgBox->shown.empty());
}

TEST(MarchTimer, KeepsMarchingWhenTheIntervalFormulaReachesZeroOrBelow) {
  struct Case {
    int level, live, interval;
  };
  const Case kCases[] = {{12, 11, 1}, {12, 10, 0}, {20, 48, -42}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.interval);
    GameWindow w;
    game::cmdStart_Click(w.g());
    w.state().Level = static_cast<std::int16_t>(c.level);
    DestroyFirst(w.g(), 48 - c.live);

    game::tmrMonster_Timer(w.g());

    EXPECT_EQ(w.state().MonsterInterval, c.interval);
    EXPECT_EQ(w.g().tmrMonster.Interval(), c.interval);
    EXPECT_TRUE(w.g().tmrMonster.Running());
    EXPECT_GT(w.g().tmrMonster.RunningInterval(), 0);
  }
}

}  // namespace
}  // namespace starveil::testing
