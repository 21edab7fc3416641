#include "game/state.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/input.h"
#include "game/march.h"
#include "game_helpers.h"
#include "platform/keys.h"
#include "platform/timer.h"
#include "support/game_window.h"

namespace starveil::testing {
namespace {

void MarchQuietly(GameWindow& w, int steps) {
  for (int step = 0; step < steps; ++step) {
    game::MarchFormation(w.g());
  }
}

void ExpectThreeLivesAndANormalCannon(GameWindow& w) {
  game::Game& g = w.g();
  for (int i = 0; i <= 2; ++i)
    EXPECT_TRUE(g.Lives[i].Visible()) << "life " << i;
  EXPECT_EQ(g.SH.Picture(), g.SE[8].Picture());
  EXPECT_FALSE(w.state().GameOver);
  EXPECT_EQ(w.state().Points, 0);
  EXPECT_EQ(w.state().Level, 1);
}

TEST(Start, BeginsAFreshGameFromEveryState) {
  const struct {
    const char* state;
    std::function<void(GameWindow&)> reach;
  } kCases[] = {
      {"idle after loading", [](GameWindow&) {}},
      {"mid-game",
       [](GameWindow& w) {
         game::Game& g = w.g();
         Start(w);
         MarchQuietly(w, 6);
         DestroyFirst(g, 7);
         w.state().Points = 1234;
         w.state().Level = 3;
         g.Lives[2].SetVisible(false);
         g.SH.SetLeft(1000);
         game::HandleKey(g, platform::kKeyUp);
         g.K[3].SetTag("R");
         g.K[3].SetTop(3000);
       }},
      {"after INVASION!",
       [](GameWindow& w) {
         Start(w);
         Invade(w);
       }},
      {"after the last life",
       [](GameWindow& w) {
         game::Game& g = w.g();
         Start(w);
         for (int i = 0; i <= 2; ++i)
           g.Lives[i].SetVisible(false);
         g.SH.SetPicture(g.SE[7].Picture());
         w.state().GameOver = true;
         g.tmrMonster.SetEnabled(false);
       }},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.state);
    GameWindow w;
    game::Game& g = w.g();
    c.reach(w);
    const float cannon = g.SH.Left();
    const bool shotInFlight = w.state().ShotInFlight;
    const float shotTop = g.R[2].Top();
    const std::string rocketTag = g.K[3].Tag();
    const float rocketTop = g.K[3].Top();

    Start(w);

    ExpectThreeLivesAndANormalCannon(w);
    for (int n = 2; n <= 49; ++n)
      EXPECT_TRUE(g.M[n].Tag() == "V" && g.M[n].Visible()) << n;
    EXPECT_EQ(g.M[2].Left(), 615);
    EXPECT_EQ(g.M[49].Top(), 1740 + 3 * 255);
    for (const game::MonsterRow& row : w.state().MonsterRows)
      EXPECT_EQ(row.Count(), 12);
    EXPECT_EQ(w.state().MonsterInterval, 148);
    EXPECT_EQ(g.tmrMonster.Interval(), 148);
    EXPECT_TRUE(g.tmrMonster.Enabled());
    EXPECT_EQ(w.frm->focusWidget(), &w.frm->Text1);
    EXPECT_EQ(g.SH.Left(), cannon);
    EXPECT_EQ(w.state().ShotInFlight, shotInFlight);
    EXPECT_EQ(g.R[2].Top(), shotTop);
    EXPECT_EQ(g.K[3].Tag(), rocketTag);
    EXPECT_EQ(g.K[3].Top(), rocketTop);
  }
}

TEST(NewGame, RevivesTheMonstersWhereTheyStandAndLeavesThePlayRunning) {
  GameWindow w;
  game::Game& g = w.g();
  Start(w);
  MarchQuietly(w, 4);
  DestroyFirst(g, 5);
  g.Lives[2].SetVisible(false);
  g.SH.SetPicture(g.SE[7].Picture());
  w.state().GameOver = true;
  w.state().Points = 75;
  w.state().Level = 4;
  w.state().ShotInFlight = true;
  const int animFrame = w.state().AnimFrame;
  const float left = g.M[2].Left();

  game::NewGame(g);

  ExpectThreeLivesAndANormalCannon(w);
  EXPECT_EQ(w.state().MonsterInterval, 150);
  EXPECT_EQ(g.tmrMonster.Interval(), 150);
  EXPECT_TRUE(g.tmrMonster.Enabled());
  EXPECT_EQ(g.M[2].Tag(), "V");
  EXPECT_TRUE(g.M[2].Visible());
  EXPECT_EQ(g.M[2].Left(), left);
  EXPECT_TRUE(w.state().ShotInFlight);
  EXPECT_EQ(w.state().AnimFrame, animFrame);
}

}  // namespace
}  // namespace starveil::testing
