#include "game/shot.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "game_helpers.h"
#include "platform/shape.h"
#include "platform/timer.h"

namespace starveil::testing {
namespace {

struct ShotStep {
  float top;
  bool shown;
  bool inFlight;
  bool operator==(const ShotStep&) const = default;
};

TEST(Shot, RisesHalfItsHeightAndEndsHiddenOnceItsTopPassesTheTopMargin) {
  FlightWindow w;
  game::Game& g = w.g();
  // Left of the first column, so nothing is in its way; the top margin is at 1230.
  Aim(g, 100, 1590);
  std::vector<ShotStep> trace;
  for (int tick = 0; tick < 5; ++tick) {
    game::tmrBulletsMove_Timer(g);
    trace.push_back({g.R[2].Top(), g.R[2].Visible(), w.state().ShotInFlight});
  }
  const std::vector<ShotStep> expected{{1470, true, true},
                                       {1350, true, true},
                                       {1230, true, true},
                                       {1110, false, false},
                                       {1110, false, false}};
  EXPECT_EQ(trace, expected);
  EXPECT_EQ(w.state().Points, 0);
}

// The shot's left edge and top after its move, from those of the monster of row 1, column 5
// (top 1995), and where the formation's top is said to be: the shot's top plus a monster's height
// must pass it.
struct HitCase {
  float dx;
  float dy;
  std::optional<int> formationTop;
  bool hit;
};

TEST(Shot, DestroysAMonsterOnlyWithinItsHitWindow) {
  for (const HitCase& c : std::vector<HitCase>{{-90, 0, {}, true},
                                               {90, 0, {}, true},
                                               {-91, 0, {}, false},
                                               {91, 0, {}, false},
                                               {0, 210, {}, true},
                                               {0, 211, {}, false},
                                               {0, -1, {}, false},
                                               {0, 0, 2234, true},
                                               {0, 0, 2235, false}}) {
    FlightWindow w;
    game::Game& g = w.g();
    platform::Sprite& target = Monster(g, 1, 5);
    if (c.formationTop) w.state().FormationTop = *c.formationTop;
    Aim(g, target.Left() + c.dx, target.Top() + c.dy + 120);

    game::tmrBulletsMove_Timer(g);

    SCOPED_TRACE(::testing::Message() << "dx " << c.dx << ", dy " << c.dy << ", formation top "
                                      << c.formationTop.value_or(0));
    EXPECT_EQ(target.Tag(), c.hit ? "M" : "V");
    EXPECT_EQ(target.Visible(), !c.hit);
    EXPECT_EQ(w.state().Points, c.hit ? 45 : 0);
    EXPECT_EQ(w.state().ShotInFlight, !c.hit);
    EXPECT_EQ(g.R[2].Visible(), !c.hit);
  }
}

struct Place {
  int row, column;
};

// Two living monsters moved onto one spot: the shot takes only the first in row, then column,
// order.
TEST(Shot, DestroysOneMonsterAtMostTheFirstInRowThenColumnOrder) {
  for (const auto& [mover, host, first] : {std::tuple{Place{2, 4}, Place{1, 4}, Place{1, 4}},
                                           std::tuple{Place{1, 3}, Place{1, 9}, Place{1, 3}},
                                           std::tuple{Place{0, 7}, Place{3, 2}, Place{0, 7}}}) {
    FlightWindow w;
    game::Game& g = w.g();
    platform::Sprite& moved = Monster(g, mover.row, mover.column);
    const platform::Sprite& spot = Monster(g, host.row, host.column);
    moved.SetLeft(spot.Left());
    moved.SetTop(spot.Top());
    Aim(g, spot.Left(), spot.Top() + 120);

    game::tmrBulletsMove_Timer(g);

    const bool moverFirst = first.row == mover.row && first.column == mover.column;
    EXPECT_EQ(moved.Tag(), moverFirst ? "M" : "V");
    EXPECT_EQ(spot.Tag(), moverFirst ? "V" : "M");
    EXPECT_EQ(w.state().Points, game::RowScore(first.row));
  }
}

// With the game lost a shot still in flight goes on scoring; each shot flies through the gaps the
// earlier ones left and takes the next monster up, until the last one leaves through the top.
TEST(Shot, ShotsUpOneColumnScoreEachRowOnceEvenAfterTheGameIsLost) {
  FlightWindow w;
  game::Game& g = w.g();
  w.state().GameOver = true;
  std::vector<int> points;
  for (int shot = 0; shot < 5; ++shot) {
    Aim(g, Monster(g, 3, 6).Left(), g.SH.Top() - g.R[2].Height());
    for (int tick = 0; tick < 100 && w.state().ShotInFlight; ++tick)
      game::tmrBulletsMove_Timer(g);
    points.push_back(w.state().Points);
  }
  EXPECT_EQ(points, (std::vector<int>{15, 45, 90, 150, 150}));
  EXPECT_LT(g.R[2].Top(), g.Shape1.Top() + 30);
  EXPECT_TRUE(g.tmrBulletsMove.Running());
}

}  // namespace
}  // namespace starveil::testing
