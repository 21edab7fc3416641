#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>

#include "platform/label.h"
#include "platform/sprite.h"
#include "platform/surface.h"

namespace starveil::platform {
namespace {

// Collects what the surface repaints.
class PaintRecorder final : public QObject {
 public:
  QRegion painted;
  int paints = 0;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints;
      painted += static_cast<QPaintEvent*>(event)->region();
    }
    return false;
  }
};

class Repaint : public ::testing::Test {
 protected:
  void SetUp() override {
    surface.resize(100, 100);
    surface.SetBackColor({0, 0, 0});
    label.SetBackColor({255, 255, 255});
    label.Move(150, 600, 150, 150);   // 10 x 10 pixels at (10, 40)
    sprite.Move(150, 150, 150, 150);  // 10 x 10 pixels at (10, 10)
    surface.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&surface));
    surface.installEventFilter(&recorder);
    Settle();
  }

  void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
  }

  void Forget() {
    Settle();
    recorder.painted = {};
    recorder.paints = 0;
  }

  Surface surface;
  Sprite sprite{surface};
  Label label{surface};
  PaintRecorder recorder;
};

TEST_F(Repaint, TheSameValueAgainRepaintsNothing) {
  Forget();
  sprite.SetLeft(150);
  sprite.SetVisible(true);
  sprite.SetPicture(sprite.Picture());
  label.SetCaption(label.Caption());
  Settle();
  EXPECT_EQ(recorder.paints, 0);
}

TEST_F(Repaint, AMoveRepaintsTheOldAndNewPlacesOnly) {
  Forget();
  sprite.SetLeft(600);  // to (40, 10)
  Settle();
  EXPECT_TRUE(recorder.painted.contains(QRect(10, 10, 10, 10)));
  EXPECT_TRUE(recorder.painted.contains(QRect(40, 10, 10, 10)));
  EXPECT_FALSE(recorder.painted.intersects(QRect(0, 30, 100, 70)));
  EXPECT_FALSE(recorder.painted.intersects(QRect(25, 10, 10, 10)));
}

TEST_F(Repaint, ChangesOutOfSightRepaintNothing) {
  sprite.SetVisible(false);
  Forget();
  sprite.SetLeft(900);
  sprite.SetTop(30);
  Settle();
  EXPECT_EQ(recorder.paints, 0) << "a hidden sprite shows nowhere";

  label.Move(3000, 3000, 300, 300);  // wholly outside the surface
  Forget();
  label.SetCaption("elsewhere");
  label.SetLeft(3100);
  Settle();
  EXPECT_EQ(recorder.paints, 0);
}

// Anything may paint the window between a change and its hand-over, the window system's exposes
// among them, and it draws the control where it is by then.
TEST_F(Repaint, APaintBeforeTheHandOverLeavesNoTrailBehindAMove) {
  Forget();
  label.SetLeft(450);  // to (30, 40)
  surface.repaint();
  label.SetLeft(150);  // back to (10, 40) before the surface handed the first move over
  Settle();
  const QImage shown = QGuiApplication::primaryScreen()->grabWindow(surface.winId()).toImage();
  EXPECT_EQ(shown.pixel(35, 45), qRgb(0, 0, 0)) << "the label still shows where it passed";
  EXPECT_EQ(shown.pixel(15, 45), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace starveil::platform
