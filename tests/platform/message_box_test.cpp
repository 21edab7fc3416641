#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/timer.h"
#include "platform/window.h"

namespace starveil::platform {
namespace {

// Answers the open box once `ready` holds, noting what it showed.
struct Answerer {
  std::function<bool()> ready;
  QString title, text;
  int buttons = 0;
  QTimer poll;

  Answerer() {
    QObject::connect(&poll, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !ready()) return;
      title = box->windowTitle();
      text = box->text();
      buttons = static_cast<int>(box->buttons().size());
      box->button(QMessageBox::Ok)->click();
    });
    poll.start(5);
  }
};

TEST(WindowMessageBox, TimersThatAreOnKeepTickingWhileItIsOpen) {
  Window window;
  Timer timer(window, 5, true);
  int ticks = 0;
  timer.OnTick([&] { ++ticks; });
  window.Show();
  WindowMessageBox box(window);
  Answerer answerer;
  answerer.ready = [&] { return ticks >= 3; };

  box.Show("GOOD JOB!");

  EXPECT_GE(ticks, 3);
  EXPECT_EQ(answerer.title, "Starveil");
  EXPECT_EQ(answerer.text, "GOOD JOB!");
  EXPECT_EQ(answerer.buttons, 1);
}

TEST(WindowMessageBox, AWindowThatHasGoneShowsNoMessage) {
  Window window;
  window.Show();
  window.Unload();
  WindowMessageBox box(window);
  Answerer answerer;
  answerer.ready = [] { return true; };
  box.Show("Sorry, Game Over.");
  QTest::qWait(20);
  EXPECT_TRUE(answerer.text.isEmpty());
}

}  // namespace
}  // namespace starveil::platform
