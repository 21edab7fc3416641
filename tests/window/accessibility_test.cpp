#include "platform/accessibility.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "game/flicker.h"
#include "game/game_helpers.h"
#include "game/shot.h"

// What a screen reader finds in the game window and what it is told as the game goes on.
namespace starveil::testing {
namespace {

QAccessibleInterface* Window(frmMain& frm) {
  return QAccessible::queryAccessibleInterface(&frm);
}

// The child of the window called `name`, whatever it reads after it.
QAccessibleInterface* Named(frmMain& frm, const QString& name) {
  QAccessibleInterface* window = Window(frm);
  for (int i = 0; i < window->childCount(); ++i) {
    QAccessibleInterface* child = window->child(i);
    if (child && child->text(QAccessible::Name).section(": ", 0, 0) == name) return child;
  }
  return nullptr;
}

std::string Reading(frmMain& frm, const QString& name) {
  QAccessibleInterface* found = Named(frm, name);
  return found ? found->text(QAccessible::Value).toStdString() : "(not found)";
}

// A hit on the monster of the bottom row in `column`, and the labels' next refresh.
void HitAMonster(FlightWindow& w, int column) {
  platform::Sprite& target = Monster(w.g(), 3, column);
  Aim(w.g(), target.Left(), target.Top() + 120);
  game::tmrBulletsMove_Timer(w.g());
  game::TmrRk_Timer(w.g());
}

// A rocket lands on the cannon and a life is lost.
void LoseALife(FlightWindow& w) {
  LaunchOntoCannon(w.g(), 0);
  game::tmrBulletsMove_Timer(w.g());
}

struct Readable {
  const char* name;
  QAccessible::Role role;
  const char* spoken;   // its whole name after Start, before the labels' first refresh
  const char* reading;  // its value then
};

TEST(Accessibility, ScoreLevelLivesAndStartAreFoundByNameWhereTheyAreShown) {
  FlightWindow w;
  w.Start();
  frmMain& frm = *w.frm;
  frm.show();  // only what is shown has a place on the screen
  const Readable expected[] = {{"Score", QAccessible::StaticText, "Score: 0", "0"},
                               {"Level", QAccessible::StaticText, "Level: 1", "1"},
                               {"Lives left", QAccessible::StaticText, "Lives left: 3", "3"},
                               {"Start", QAccessible::Button, "Start", ""}};
  for (const Readable& row : expected) {
    SCOPED_TRACE(row.name);
    QAccessibleInterface* found = Named(frm, row.name);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->role(), row.role);
    EXPECT_EQ(found->text(QAccessible::Name).toStdString(), row.spoken);
    EXPECT_EQ(found->text(QAccessible::Value).toStdString(), row.reading);
    EXPECT_FALSE(found->text(QAccessible::Description).isEmpty());
    EXPECT_EQ(found->parent(), Window(frm));
    EXPECT_EQ(Window(frm)->child(Window(frm)->indexOfChild(found)), found);
    // What lies at the middle of the control is the control itself.
    const QPoint middle = found->rect().center();
    EXPECT_EQ(Window(frm)->childAt(middle.x(), middle.y()), found);
  }
  const QRect pixels = platform::PixelRect(frm.lblPoints.Rect());
  const QRect score(frm.mapToGlobal(pixels.topLeft()), pixels.size());
  EXPECT_EQ(Named(frm, "Score")->rect(), score);
  EXPECT_EQ(Named(frm, "Points"), nullptr) << "the labels' fixed captions need no reading";
}

TEST(Accessibility, TheReadingsFollowTheScoreAndTheLives) {
  FlightWindow w;
  w.Start();
  frmMain& frm = *w.frm;
  HitAMonster(w, 0);
  EXPECT_EQ(Reading(frm, "Score"), std::to_string(w.state().Points));
  EXPECT_NE(Reading(frm, "Score"), "0");
  std::vector<std::string> lives{Reading(frm, "Lives left")};
  for (int loss = 0; loss < 3; ++loss) {
    LoseALife(w);
    lives.push_back(Reading(frm, "Lives left"));
  }
  EXPECT_EQ(lives, (std::vector<std::string>{"3", "2", "1", "0"}));
  EXPECT_TRUE(w.state().GameOver);
}

// Stands in for a screen reader: records what it is told, each change as a new name. A change
// of value would have it ask for a value the labels do not offer.
struct ScreenReader {
  std::vector<std::string> told;

  platform::ScreenReaderBridge Bridge() {
    return [this](QAccessibleEvent& event) {
      EXPECT_EQ(event.type(), QAccessible::NameChanged);
      told.push_back(event.accessibleInterface()->text(QAccessible::Name).toStdString());
    };
  }
};

TEST(Accessibility, AScreenReaderIsToldOfEachChangeOnce) {
  ScreenReader reader;
  FlightWindow w(reader.Bridge());
  w.Start();
  game::TmrRk_Timer(w.g());
  frmMain& frm = *w.frm;
  ASSERT_NE(Named(frm, "Score"), nullptr);  // it has looked at the window
  reader.told.clear();                      // the level it heard of as the game loaded

  HitAMonster(w, 0);
  game::TmrRk_Timer(w.g());  // the same score again tells nothing
  LoseALife(w);
  HitAMonster(w, 1);
  const std::string once = "Score: " + std::to_string(game::RowScore(3));
  const std::string twice = "Score: " + std::to_string(2 * game::RowScore(3));
  EXPECT_EQ(reader.told, (std::vector<std::string>{once, "Lives left: 2", twice}));
  EXPECT_EQ(Reading(frm, "Score"), std::to_string(w.state().Points));
}

}  // namespace
}  // namespace starveil::testing
