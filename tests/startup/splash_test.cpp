#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <functional>

#include "assets/pictures.h"
#include "game/facts.h"
#include "startup/frm_splash.h"
#include "startup/mdl_main.h"

namespace starveil {
namespace {

// Clicks where a mouse pointer at `point` of the window would land: on the child widget under
// it, or on the window's own surface.
void ClickAt(QWidget& window, QPoint point) {
  QWidget* target = window.childAt(point);
  if (!target) target = &window;
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(&window, point));
}

int GameWindowsInExistence() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    count += dynamic_cast<frmMain*>(widget) != nullptr ? 1 : 0;
  return count;
}

TEST(Splash, IsABorderlessPictureCardAsDesigned) {
  frmSplash splash;
  EXPECT_EQ(splash.windowTitle(), "Form1");
  EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(splash.size(), QSize(game::kSplashWidthPx, game::kSplashHeightPx));
  EXPECT_EQ(splash.windowIcon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
            assets::Load("a3").Image().convertToFormat(QImage::Format_ARGB32));

  EXPECT_EQ(splash.Frame1.parentWidget(), &splash);
  EXPECT_EQ(splash.Frame1.geometry(), QRect(8, 0, 549, game::kSplashHeightPx));
  EXPECT_EQ(&splash.Image1.Owner(), &splash.Frame1);
  EXPECT_EQ(splash.Image1.Rect(), (platform::TwipRect{0, 120, 8205, 6165}));
  EXPECT_FALSE(splash.Image1.Stretch());
  EXPECT_EQ(splash.Image1.Picture().Image(), assets::Load("splash").Image());

  EXPECT_EQ(splash.Timer1.Interval(), 5000);
  EXPECT_TRUE(splash.Timer1.Enabled());
  EXPECT_FALSE(splash.Timer1.Running()) << "it counts only once the window has loaded";
  splash.Load();
  EXPECT_TRUE(splash.Timer1.Running());
  splash.Unload();
}

TEST(Splash, Timer1sTickUnloadsItAndSwitchesTheTimerOff) {
  frmSplash splash;
  splash.Show();
  splash.Timer1_Timer();
  EXPECT_TRUE(splash.IsUnloaded());
  EXPECT_FALSE(splash.isVisible());
  EXPECT_FALSE(splash.Timer1.Enabled());
  EXPECT_FALSE(splash.Timer1.Running());

  // The same through a real tick of the timer, without the five seconds.
  frmSplash ticking;
  ticking.Timer1.SetInterval(1);
  bool rescued = false;
  QTimer failsafe;
  failsafe.setSingleShot(true);
  QObject::connect(&failsafe, &QTimer::timeout, [&] {
    rescued = true;
    ticking.Unload();
  });
  failsafe.start(20'000);
  ticking.ShowModal();
  EXPECT_FALSE(rescued) << "Timer1's tick never unloaded the splash window";
}

TEST(Splash, OnlyTheBareEdgeStripsCloseItOnAClick) {
  struct {
    const char* where;
    QPoint point;  // pixels of the window's client area
    bool closes;
  } const cases[] = {
      {"left strip, outer edge", {0, 200}, true},
      {"left strip, inner edge", {7, game::kSplashHeightPx - 1}, true},
      {"right strip", {557, 0}, true},
      {"right strip, outer edge", {game::kSplashWidthPx - 1, 300}, true},
      {"picture", {280, 200}, false},
      {"picture's top-left pixel", {8, 8}, false},
      {"frame above the picture", {100, 3}, false},
      {"frame below the picture", {100, 422}, false},
      {"frame right of the picture", {556, 200}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    frmSplash splash;
    splash.Show();
    ClickAt(splash, c.point);
    EXPECT_EQ(splash.IsUnloaded(), c.closes);
    EXPECT_EQ(splash.Timer1.Enabled(), !c.closes);
    splash.Unload();
  }
}

TEST(Splash, KeysDoNothing) {
  frmSplash splash;
  splash.Show();
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_Left, Qt::Key_A}) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &splash, key);
  }
  EXPECT_TRUE(splash.IsLoaded());
  EXPECT_TRUE(splash.isVisible());
  EXPECT_TRUE(splash.Timer1.Running());
  splash.Unload();
}

class ShowCounter : public QObject {
 public:
  int gameWindowShows = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && dynamic_cast<frmMain*>(watched)) ++gameWindowShows;
    return false;
  }
};

TEST(Startup, TheGameWindowComesOnceAndOnlyAfterTheSplashHasGone) {
  struct {
    const char* how;
    std::function<void(frmSplash&)> close;
  } const cases[] = {
      {"Timer1 ticks", [](frmSplash& splash) { splash.Timer1_Timer(); }},
      {"left strip clicked", [](frmSplash& splash) { ClickAt(splash, QPoint(3, 100)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    mdlMain program;
    ShowCounter counter;
    qApp->installEventFilter(&counter);
    int gameWindowsWhileSplashShows = -1;
    bool splashWasShowing = false;
    bool closedBySplash = false;
    QTimer::singleShot(0, [&] {
      frmSplash& splash = *program.Splash();
      gameWindowsWhileSplashShows = GameWindowsInExistence();
      splashWasShowing = splash.isVisible();
      c.close(splash);
      closedBySplash = splash.IsUnloaded();
      splash.Unload();  // never leave the test stuck in the modal show
    });
    program.Main();
    qApp->removeEventFilter(&counter);

    EXPECT_TRUE(splashWasShowing);
    EXPECT_TRUE(closedBySplash);
    EXPECT_EQ(gameWindowsWhileSplashShows, 0);
    EXPECT_FALSE(program.Splash()->Timer1.Enabled());
    EXPECT_EQ(GameWindowsInExistence(), 1);
    EXPECT_EQ(counter.gameWindowShows, 1);
    ASSERT_NE(program.Game(), nullptr);
    EXPECT_TRUE(program.Game()->IsLoaded());
    EXPECT_TRUE(program.Game()->isVisible());
    program.Game()->Unload();
  }
}

}  // namespace
}  // namespace starveil
