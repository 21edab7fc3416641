#include "game/flicker.h"

#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "game_helpers.h"
#include "platform/label.h"

namespace starveil::testing {
namespace {

// The shot's own picture has R(1)'s pixels but is not R(1)'s picture, so the cycle starts at R(0);
// it flickers while idle and hidden as well.
TEST(Flicker, ShotCyclesThroughItsThreeFramesByPictureIdentity) {
  FlightWindow w;
  game::Game& g = w.g();
  g.R[2].SetVisible(false);
  std::vector<int> frames{FrameOf(g.R, g.R[2])};
  for (int tick = 0; tick < 4; ++tick) {
    game::TmrRk_Timer(g);
    frames.push_back(FrameOf(g.R, g.R[2]));
  }
  EXPECT_EQ(frames, (std::vector<int>{-1, 0, 1, 3, 0}));
}

// K(0) shows its own copy of MI(1)'s pixels, the rockets made at load MI(0)'s very picture. A
// launched rocket toggles while still hidden; a free hidden one keeps its picture.
TEST(Flicker, RocketsToggleWhileLaunchedOrShownAndOnlyThen) {
  FlightWindow w;
  game::Game& g = w.g();
  Launch(g, 3, 100, 2000);
  std::vector<std::vector<int>> frames;
  for (int tick = 0; tick < 3; ++tick) {
    frames.push_back({FrameOf(g.MI, g.K[0]), FrameOf(g.MI, g.K[3]), FrameOf(g.MI, g.K[4])});
    game::TmrRk_Timer(g);
  }
  const std::vector<std::vector<int>> expected{{-1, 0, 0}, {1, 1, 0}, {0, 0, 0}};
  EXPECT_EQ(frames, expected);
}

TEST(Flicker, LabelsShowTheScoreAndLevelAsBareDecimalsFromTheFirstTick) {
  FlightWindow w;
  game::Game& g = w.g();
  EXPECT_EQ(g.lblPoints.Caption(), "000.000.000");
  EXPECT_EQ(g.lblLevel.Caption(), "000");
  game::TmrRk_Timer(g);
  EXPECT_EQ(g.lblPoints.Caption(), "0");
  EXPECT_EQ(g.lblLevel.Caption(), "1");
  w.state().Points = 1234567;
  w.state().Level = 12;
  game::TmrRk_Timer(g);
  EXPECT_EQ(g.lblPoints.Caption(), "1234567");
  EXPECT_EQ(g.lblLevel.Caption(), "12");
}

// Before Start the timers sleep once the first flicker tick has written the captions. The key
// that ends a rest of 61 s on the game's clock finds the shot's flicker where the 1220 ticks of
// that minute would have left it, in a game whose timers ticked all along.
TEST(Flicker, AKeyAfterALongRestFindsTheFlickerOfAGameThatTickedThrough) {
  GameWindow resting;
  ASSERT_TRUE(QTest::qWaitFor([&] { return resting.g().lblLevel.Caption() == "1"; }, 10000));
  resting.clock->now += 61.0f;
  PressKey(*resting.frm, Qt::Key_Left);

  GameWindow through;
  for (int tick = 0; tick < 1 + 1220; ++tick)
    game::TmrRk_Timer(through.g());
  EXPECT_EQ(FrameOf(resting.g().R, resting.g().R[2]), FrameOf(through.g().R, through.g().R[2]));
}

}  // namespace
}  // namespace starveil::testing
