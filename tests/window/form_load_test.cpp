#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <array>
#include <vector>

#include "game/flicker.h"
#include "game/shot.h"
#include "platform/twips.h"
#include "support/game_window.h"

namespace starveil::testing {
namespace {

using platform::Control;

// Whatever the playfield's left edge at design time, everything is worked out from 60.
TEST(FormLoad, FitsTheWindowLimitsAndCannonToThePlayfield) {
  for (float designLeft : {0.0f, 500.0f, -45.0f}) {
    SCOPED_TRACE(designLeft);
    frmMain frm;
    frm.Shape1.SetLeft(designLeft);
    frm.Load();
    EXPECT_EQ(frm.Shape1.Rect(), (platform::TwipRect{60, 1200, 5295, 4155}));
    EXPECT_EQ(frm.Rules().state.RightLimit, 4955);
    EXPECT_EQ(frm.Rules().state.LeftLimit, 260);

    EXPECT_NEAR(frm.Height(), 5355 + 440, platform::kTwipsPerPixel) << "outer height";
    const float clientBottom = platform::PixelsToTwips(frm.height());
    EXPECT_GT(clientBottom, 5355) << "the playfield's bottom edge shows";
    EXPECT_LT(clientBottom, 5520) << "the sprites stored below it do not";
    EXPECT_EQ(frm.width(), 358);

    // The cannon stands on the floor, its centre 60 twips left of the playfield's.
    EXPECT_EQ(frm.SH.Rect(), (platform::TwipRect{2407.5f, 4875, 480, 480}));
    EXPECT_EQ(frm.SH.Left() + 240, frm.Shape1.Left() + frm.Shape1.Width() / 2 - 60);
  }
}

TEST(FormLoad, CreatesTheMonstersAndRocketsInOrderBehindNothingButThePlayfield) {
  GameWindow gw;
  frmMain& frm = *gw.frm;
  EXPECT_EQ((std::array{frm.M.LBound(), frm.M.UBound(), frm.M.Count()}), (std::array{0, 49, 50}));
  EXPECT_EQ((std::array{frm.K.LBound(), frm.K.UBound(), frm.K.Count()}), (std::array{0, 10, 11}));

  // Each new sprite joins the front as it is created, so the front of the stack tells the order.
  std::vector<Control*> created;
  for (int i = 2; i <= 49; ++i)
    created.push_back(&frm.M[i]);
  for (int k = 1; k <= 10; ++k)
    created.push_back(&frm.K[k]);
  const std::vector<Control*>& stack = frm.BackToFront();
  ASSERT_GE(stack.size(), created.size());
  EXPECT_EQ(std::vector<Control*>(stack.end() - static_cast<long>(created.size()), stack.end()),
            created);
  EXPECT_EQ(stack.front(), &frm.Shape1) << "every sprite is drawn over the playfield";

  for (int k = 1; k <= 10; ++k) {
    SCOPED_TRACE(k);
    EXPECT_FALSE(frm.K[k].Visible());
    EXPECT_TRUE(frm.K[k].Picture() == frm.MI[0].Picture()) << "MI(0)'s very picture";
    EXPECT_EQ(frm.K[k].Rect(), (platform::TwipRect{4080, 5760, 240, 240})) << "where K(0) was";
  }
}

TEST(FormLoad, LeavesTheGameIdle) {
  frmMain frm;
  frm.Rules().state.ShotInFlight = true;
  frm.Load();
  const game::GameState& s = frm.Rules().state;
  EXPECT_EQ(s.Points, 0);
  EXPECT_EQ(s.Level, 1);
  EXPECT_FALSE(s.GameOver);
  EXPECT_FALSE(s.ShotInFlight);
  for (int i = 0; i <= 2; ++i)
    EXPECT_TRUE(frm.Lives[i].Visible()) << i;
  for (const game::MonsterRow& row : s.MonsterRows)
    EXPECT_EQ(row.Count(), 12);
  EXPECT_FALSE(frm.tmrMonster.Enabled());
  EXPECT_FALSE(frm.tmrMonster.Running());
  EXPECT_TRUE(frm.tmrBulletsMove.Enabled() && frm.tmrBulletsMove.Running());
  EXPECT_EQ(frm.tmrBulletsMove.Interval(), 30);
  EXPECT_TRUE(frm.TmrRk.Enabled() && frm.TmrRk.Running());
  EXPECT_EQ(frm.TmrRk.Interval(), 50);
}

TEST(FormLoad, UntilStartTheFormationStandsAndKeysDoNothing) {
  GameWindow gw;
  frmMain& frm = *gw.frm;
  game::Game& g = gw.g();
  frm.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
  std::vector<platform::TwipRect> formation;
  for (int i = 2; i <= 49; ++i)
    formation.push_back(frm.M[i].Rect());
  const platform::TwipRect cannon = frm.SH.Rect();
  const platform::TwipRect shot = frm.R[2].Rect();

  for (int tick = 0; tick < 20; ++tick) {
    game::tmrBulletsMove_Timer(g);
    game::TmrRk_Timer(g);
  }
  frm.Text1.SetFocus();
  ASSERT_EQ(QApplication::focusWidget(), &frm.Text1);
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Space})
    PressKey(frm, key);
  frm.Text1.clearFocus();
  ASSERT_EQ(QApplication::focusWidget(), nullptr);
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Up, Qt::Key_Space})
    PressKey(frm, key);  // now the window's own handler gets them

  for (int i = 2; i <= 49; ++i)
    EXPECT_EQ(frm.M[i].Rect(), formation[static_cast<std::size_t>(i - 2)]) << "M(" << i << ")";
  EXPECT_EQ(frm.SH.Rect(), cannon);
  EXPECT_EQ(frm.R[2].Rect(), shot);
  EXPECT_FALSE(gw.state().ShotInFlight);
  EXPECT_FALSE(frm.tmrMonster.Enabled());
  frm.Unload();
}

}  // namespace
}  // namespace starveil::testing
