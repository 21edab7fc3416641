#include "game/input.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <functional>

#include "game/march.h"
#include "game/state.h"
#include "game_helpers.h"
#include "platform/keys.h"
#include "platform/timer.h"
#include "support/game_window.h"

namespace starveil::testing {
namespace {

using game::HandleKey;
using platform::kKeyLeft;
using platform::kKeyRight;
using platform::kKeySpace;
using platform::kKeyUp;

// Tries a step and a shot; tells whether either happened.
bool KeysAct(GameWindow& w) {
  const float cannon = w.g().SH.Left();
  HandleKey(w.g(), kKeyLeft);
  HandleKey(w.g(), kKeySpace);
  return w.g().SH.Left() != cannon || w.state().ShotInFlight;
}

TEST(Keys, ActOnlyWhileTheMarchTimerIsOn) {
  const struct {
    const char* moment;
    std::function<void(GameWindow&)> reach;
  } kDead[] = {
      {"before Start", [](GameWindow&) {}},
      {"after INVASION!",
       [](GameWindow& w) {
         Start(w);
         Invade(w);
       }},
      {"after the last life",
       [](GameWindow& w) {
         Start(w);
         w.state().GameOver = true;
         game::tmrMonster_Timer(w.g());
       }},
  };
  for (const auto& c : kDead) {
    GameWindow w;
    c.reach(w);
    EXPECT_FALSE(KeysAct(w)) << c.moment;
  }

  GameWindow w;
  Start(w);
  DestroyFirst(w.g(), 48);
  bool actedWhileOpen = true;
  w.msgBox->whileOpen = [&](const std::string&) { actedWhileOpen = KeysAct(w); };
  game::tmrMonster_Timer(w.g());
  EXPECT_FALSE(actedWhileOpen) << "while GOOD JOB! is open";
  EXPECT_TRUE(KeysAct(w)) << "once the next wave marches";
}

TEST(Keys, CannonStepsBackRatherThanClampAtEitherEdge) {
  // The playfield runs from 60 to 5355; the cannon is 480 wide.
  const struct {
    float from;
    std::int16_t key;
    float to;
  } kCases[] = {
      {2407.5f, kKeyLeft, 2347.5f}, {120, kKeyLeft, 60},           {60, kKeyLeft, 60},
      {90, kKeyLeft, 90},           {2407.5f, kKeyRight, 2467.5f}, {4815, kKeyRight, 4875},
      {4875, kKeyRight, 4875},      {4845, kKeyRight, 4845},
  };
  GameWindow w;
  Start(w);
  for (const auto& c : kCases) {
    w.g().SH.SetLeft(c.from);
    HandleKey(w.g(), c.key);
    EXPECT_EQ(w.g().SH.Left(), c.to) << c.from << " key " << c.key;
  }
}

TEST(Keys, EitherFireKeyPlacesOneShotAboveTheCannon) {
  for (std::int16_t key : {kKeyUp, kKeySpace}) {
    SCOPED_TRACE(key);
    GameWindow w;
    game::Game& g = w.g();
    Start(w);
    g.SH.SetLeft(1000);

    HandleKey(g, key);
    EXPECT_TRUE(w.state().ShotInFlight);
    EXPECT_EQ(g.R[2].Top(), 4875 - 240);
    EXPECT_EQ(g.R[2].Left(), 1000 + 240 - 120);
    // Nothing has hidden the shot since the window opened, so the first one shows at once.
    EXPECT_TRUE(g.R[2].Visible());

    g.SH.SetLeft(2000);
    HandleKey(g, kKeyUp);
    HandleKey(g, kKeySpace);
    EXPECT_EQ(g.R[2].Left(), 1000 + 240 - 120) << "a second shot while the first flies";

    w.state().ShotInFlight = false;
    HandleKey(g, key);
    EXPECT_EQ(g.R[2].Left(), 2000 + 240 - 120) << "the next shot leaves from the cannon";
  }
}

// Arrow keys one after another, with no focus given back in between: only Tab moves the focus.
const Qt::Key kArrows[] = {Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left};

TEST(Keys, EachKeyDownReachesTheRulesOnceWhereverTheFocusIs) {
  GameWindow w;
  frmMain& frm = *w.frm;
  const platform::Sprite& cannon = w.g().SH;
  Start(w);
  const struct {
    const char* focus;
    QWidget* widget;
    float step;
  } kTabOrder[] = {
      {"Text1", &frm.Text1, 60}, {"Pellamy", &frm.Pellamy, 0}, {"cmdStart", &frm.cmdStart, 60}};
  for (const auto& c : kTabOrder) {
    ASSERT_EQ(frm.focusWidget(), c.widget);
    const float before = cannon.Left();
    for (Qt::Key key : kArrows) {
      PressKey(frm, key);
      EXPECT_EQ(frm.focusWidget(), c.widget) << c.focus << " after key " << key;
    }
    EXPECT_EQ(cannon.Left(), before + c.step) << c.focus;
    PressKey(frm, Qt::Key_Tab);
  }

  frm.focusWidget()->clearFocus();
  float before = cannon.Left();
  PressKey(frm, Qt::Key_Right);
  EXPECT_EQ(cannon.Left(), before + 60) << "the window itself";

  frm.Text1.setFocus();
  const Qt::KeyboardModifiers kShiftStates[] = {Qt::ShiftModifier, Qt::ControlModifier,
                                                Qt::AltModifier,
                                                Qt::ShiftModifier | Qt::ControlModifier};
  for (Qt::KeyboardModifiers shift : kShiftStates) {
    before = cannon.Left();
    PressKey(frm, Qt::Key_Left, shift);
    EXPECT_EQ(cannon.Left(), before - 60) << "shift state " << shift.toInt();
  }

  // A held key: one press and three auto-repeats.
  before = cannon.Left();
  for (bool repeat : {false, true, true, true}) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), repeat);
    QApplication::sendEvent(&frm.Text1, &press);
  }
  EXPECT_EQ(cannon.Left(), before - 4 * 60);
}

TEST(Keys, SpaceOnTheFocusedStartButtonStartsAGameWhateverArrowsCameFirst) {
  GameWindow w;
  ASSERT_EQ(w.frm->focusWidget(), &w.frm->cmdStart);

  for (Qt::Key key : kArrows)
    PressKey(*w.frm, key);
  PressKey(*w.frm, Qt::Key_Space);

  EXPECT_TRUE(w.g().tmrMonster.Enabled());
  EXPECT_EQ(w.frm->focusWidget(), &w.frm->Text1);
  EXPECT_FALSE(w.state().ShotInFlight) << "the key came down before the game began";
}

TEST(Keys, TextBoxStillTakesTheCharactersTyped) {
  GameWindow w;
  Start(w);
  w.g().Text1.SetText("");

  PressKey(*w.frm, Qt::Key_A);
  PressKey(*w.frm, Qt::Key_Space);

  EXPECT_EQ(w.g().Text1.Text(), "a ");
  EXPECT_TRUE(w.state().ShotInFlight);
}

}  // namespace
}  // namespace starveil::testing
