#include "game/rockets.h"

#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "game/march.h"
#include "game/shot.h"
#include "game_helpers.h"
#include "platform/timer.h"
#include "support/screen_check.h"

namespace starveil::testing {
namespace {

// A rocket as "<tag> shown|hidden <top>".
std::string Rocket(const platform::Sprite& rocket) {
  return "'" + rocket.Tag() + (rocket.Visible() ? "' shown " : "' hidden ") +
         std::to_string(static_cast<int>(rocket.Top()));
}

// The floor, the playfield's bottom edge, is at 5355.
TEST(Rockets, FallAQuarterOfTheirHeightShownAndAreFreedHiddenAtTheFloor) {
  FlightWindow w;
  game::Game& g = w.g();
  std::vector<std::string> trace{Rocket(g.K[0])};
  game::tmrBulletsMove_Timer(g);
  trace.push_back(Rocket(g.K[0]));
  Launch(g, 3, 100, 5175);
  for (int tick = 0; tick < 5; ++tick) {
    trace.push_back(Rocket(g.K[3]));
    game::tmrBulletsMove_Timer(g);
  }
  // K(0) starts parked below the floor, the playfield's bottom edge at 5355.
  const std::vector<std::string> expected{"'' shown 5760",  "'' hidden 5820", "'V' hidden 5175",
                                          "'R' shown 5235", "'R' shown 5295", "'' hidden 5355",
                                          "'' hidden 5355"};
  EXPECT_EQ(trace, expected);
}

struct TouchCase {
  float dx;  // the rocket's left edge from the cannon's
  float dy;  // the rocket's top, after its move, from the cannon's
  bool touches;
};

TEST(Rockets, TouchTheCannonOnlyWithinTheirMargins) {
  for (const TouchCase& c : std::vector<TouchCase>{{9, 0, false},
                                                   {10, 0, true},
                                                   {260, 0, true},
                                                   {261, 0, false},
                                                   {10, -220, true},
                                                   {10, -221, false},
                                                   {260, 470, true},      // below the cannon's top
                                                   {260, 480, false}}) {  // at the floor
    FlightWindow w;
    game::Game& g = w.g();
    Launch(g, 4, g.SH.Left() + c.dx, g.SH.Top() + c.dy - 60);
    game::tmrBulletsMove_Timer(g);
    SCOPED_TRACE(::testing::Message() << "dx " << c.dx << ", dy " << c.dy);
    EXPECT_EQ(Markers(g), c.touches ? "110" : "111");
    EXPECT_EQ(g.K[4].Tag(), c.touches || c.dy == 480 ? "" : "R");
  }
}

TEST(Rockets, TwoTouchingInOneTickCostOneLifeAndTheOtherFallsOnToCostAnother) {
  FlightWindow w;
  game::Game& g = w.g();
  LaunchOntoCannon(g, 2);
  LaunchOntoCannon(g, 5);
  game::tmrBulletsMove_Timer(g);
  EXPECT_EQ(Markers(g), "110");
  EXPECT_EQ(Rocket(g.K[5]), "'' hidden 4875");
  EXPECT_EQ(Rocket(g.K[2]), "'R' shown 4875");
  game::tmrBulletsMove_Timer(g);
  EXPECT_EQ(Markers(g), "100");
  EXPECT_EQ(g.K[2].Tag(), "");
}

// The markers shown, the cannon's frame, and whether the game is over and the march on.
std::string Loss(FlightWindow& w) {
  game::Game& g = w.g();
  return Markers(g) + " SE(" + std::to_string(FrameOf(g.SE, g.SH)) + ")" +
         (w.state().GameOver ? " over" : "") + (g.tmrMonster.Enabled() ? " marching" : "");
}

// After "INVASION!" the march is off but the game is not over: rockets still cost lives.
TEST(Rockets, ThreeTouchesEndTheGameAndAFourthChangesNothing) {
  for (const bool invaded : {false, true}) {
    FlightWindow w;
    game::Game& g = w.g();
    w.Start();
    std::vector<std::string> messages;
    if (invaded) {
      Invade(w);
      messages.emplace_back("INVASION!");
    }
    bool timersOffWhileBoxOpen = false;
    w.msgBox->whileOpen = [&](const std::string&) {
      timersOffWhileBoxOpen = !g.tmrBulletsMove.Enabled() && !g.tmrMonster.Enabled();
    };
    std::vector<std::string> trace;
    for (int touch = 0; touch < 4; ++touch) {
      LaunchOntoCannon(g, touch);
      game::tmrBulletsMove_Timer(g);
      trace.push_back(Loss(w));
    }
    const std::string on = invaded ? "" : " marching";
    const std::vector<std::string> expected{"110 SE(8)" + on, "100 SE(8)" + on, "000 SE(7) over",
                                            "000 SE(7) over"};
    SCOPED_TRACE(invaded ? "after the invasion" : "while marching");
    EXPECT_EQ(trace, expected);
    messages.emplace_back("Sorry, Game Over.");
    EXPECT_EQ(w.msgBox->shown, messages);
    EXPECT_TRUE(timersOffWhileBoxOpen);
    EXPECT_EQ(w.clock->doEventsCalls, 27) << "the fourth touch plays no explosion";
    EXPECT_EQ(Rocket(g.K[3]), "'R' shown 4875") << "it falls on through the cannon";
    EXPECT_TRUE(g.tmrBulletsMove.Running());
  }
}

TEST(Rockets, WithNoMarkerLeftATouchOnlyResetsTheCannonsPicture) {
  FlightWindow w;
  game::Game& g = w.g();
  for (int j = 0; j <= 2; ++j)
    g.Lives[j].SetVisible(false);
  g.SH.SetPicture(g.SE[3].Picture());
  LaunchOntoCannon(g, 6);
  game::tmrBulletsMove_Timer(g);
  EXPECT_EQ(Loss(w), "000 SE(8)");
  EXPECT_EQ(Rocket(g.K[6]), "'R' shown 4875");
  EXPECT_EQ(w.clock->doEventsCalls, 0);
}

// The explosion plays its eight frames 0.1 s apart and holds the last one for a second; the
// pending events run after each frame and after the hold, also when midnight falls in between.
TEST(CannonLoss, PlaysEightFramesThroughTheClocksPausesEvenAcrossMidnight) {
  for (const float start : {43200.0f, 86399.95f, 1.0f}) {
    SCOPED_TRACE(::testing::Message() << "from " << start << " s");
    FlightWindow w;
    game::Game& g = w.g();
    w.clock->now = start;
    float last = start;
    w.clock->onDoEvents = [&] {
      const int point = w.clock->doEventsCalls - 1;
      double pause = static_cast<double>(w.clock->now) - last;
      if (pause < 0) pause += platform::kSecondsPerDay;
      last = w.clock->now;
      const double expected = point < 8 ? 0.1 : 1.0;
      EXPECT_GT(pause, expected) << "point " << point;
      EXPECT_LT(pause, expected + 0.02) << "point " << point;
      EXPECT_EQ(FrameOf(g.SE, g.SH), std::min(point, 7));
      EXPECT_FALSE(g.tmrBulletsMove.Enabled());
    };
    LaunchOntoCannon(g, 0);
    game::tmrBulletsMove_Timer(g);

    EXPECT_EQ(w.clock->doEventsCalls, 9);
    EXPECT_EQ(FrameOf(g.SE, g.SH), 8);
    EXPECT_TRUE(g.tmrBulletsMove.Enabled());
  }
}

// The player moves the cannon at the first point and presses Start at the last: the frames play
// where the cannon went, and the marker chosen at the touch still decides how it ends.
TEST(CannonLoss, EventsRunAtThePausesButTheChosenMarkerDecidesTheEnd) {
  for (const bool lastMarker : {false, true}) {
    FlightWindow w;
    game::Game& g = w.g();
    w.Start();
    if (lastMarker) {
      g.Lives[2].SetVisible(false);
      g.Lives[1].SetVisible(false);
    }
    const float left = g.SH.Left();
    w.clock->onDoEvents = [&] {
      if (w.clock->doEventsCalls == 1) PressKey(*w.frm, Qt::Key_Right);
      if (w.clock->doEventsCalls == 9) w.Start();
    };
    LaunchOntoCannon(g, 0);
    game::tmrBulletsMove_Timer(g);

    SCOPED_TRACE(lastMarker ? "Lives(0) taken" : "Lives(2) taken");
    EXPECT_EQ(g.SH.Left(), left + 60);
    // The new game shows every marker again.
    EXPECT_EQ(Loss(w), lastMarker ? "111 SE(7) over" : "111 SE(8) marching");
    EXPECT_EQ(w.msgBox->shown.size(), lastMarker ? 1u : 0u);
  }
}

// The system's own clock, with a look at the screen after each time the pending events ran.
class WatchedClock final : public platform::Clock {
 public:
  explicit WatchedClock(std::function<void()> afterEvents) : afterEvents_(std::move(afterEvents)) {}
  float SecondsSinceMidnight() override { return clock_.SecondsSinceMidnight(); }
  void Sleep(float seconds) override { clock_.Sleep(seconds); }
  void DoEvents() override {
    clock_.DoEvents();
    afterEvents_();
  }

 private:
  platform::SystemClock clock_;
  std::function<void()> afterEvents_;
};

// With the real clock, the real timers and real painting: the rocket falls into view, and once
// each pause's events have run the whole window shows what the rules hold, so each explosion frame
// shows for its tenth and the life marker goes out.
TEST(CannonLoss, EveryFrameReachesTheScreenInTurnAndTheCannonComesBack) {
  std::vector<int> frames;
  std::vector<std::string> stale;
  ScreenCheck screen;
  ScreenCheck::Names names;
  frmMain* window = nullptr;
  frmMain frm(Seams{std::make_unique<WatchedClock>([&] {
                      frames.push_back(FrameOf(window->SE, window->SH));
                      stale.push_back(screen.Compare(*window, names));
                    }),
                    std::make_unique<ScriptedRandom>(), std::make_unique<HeldMessageBox>()});
  window = &frm;
  names = ScreenCheck::DesignNames(frm);
  frm.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));

  Launch(frm.Rules(), 0, frm.SH.Left() + 100, frm.SH.Top() - 400);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return frames.size() == 9 && frm.tmrBulletsMove.Running(); }, 60'000));
  const std::vector<int> expected{0, 1, 2, 3, 4, 5, 6, 7, 7};
  EXPECT_EQ(frames, expected);
  EXPECT_EQ(stale, std::vector<std::string>(9));
  EXPECT_EQ(Markers(frm.Rules()), "110");
  EXPECT_TRUE(QTest::qWaitFor([&] { return FrameOf(frm.SE, frm.SH) == 8; }, 60'000));
  EXPECT_EQ(screen.Compare(frm, names), "");
}

// Closing the window ends the sequence at once: no further message and no timer left running.
TEST(CannonLoss, ClosingTheWindowMidwayEndsItCleanly) {
  enum Where { kAtAPause, kDuringGoodJob, kDuringGameOver };
  for (const Where where : {kAtAPause, kDuringGoodJob, kDuringGameOver}) {
    FlightWindow w;
    game::Game& g = w.g();
    w.Start();
    g.Lives[2].SetVisible(false);
    g.Lives[1].SetVisible(false);
    w.clock->onDoEvents = [&] {
      if (w.clock->doEventsCalls != 4) return;
      if (where == kAtAPause) w.frm->close();
      if (where != kDuringGoodJob) return;
      // The march clears the wave while the cannon explodes.
      for (int r = 0; r < game::kRows; ++r) {
        for (int c = 0; c < game::kColumns; ++c)
          Monster(g, r, c).SetTag("M");
      }
      game::tmrMonster_Timer(g);
    };
    w.msgBox->whileOpen = [&](const std::string&) { w.frm->close(); };
    LaunchOntoCannon(g, 0);
    game::tmrBulletsMove_Timer(g);

    SCOPED_TRACE(::testing::Message() << "closed where " << where);
    const std::vector<std::vector<std::string>> messages{{}, {"GOOD JOB!"}, {"Sorry, Game Over."}};
    EXPECT_EQ(w.msgBox->shown, messages[where]);
    EXPECT_EQ(w.clock->doEventsCalls, where == kDuringGameOver ? 9 : 4);
    EXPECT_FALSE(g.tmrMonster.Running());
    EXPECT_FALSE(g.tmrBulletsMove.Running());
    EXPECT_FALSE(g.TmrRk.Running());
  }
}

}  // namespace
}  // namespace starveil::testing
