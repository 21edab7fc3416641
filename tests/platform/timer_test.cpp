#include "platform/timer.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/window.h"

namespace starveil::platform {
namespace {

TEST(Timer, RunsOnlyWhileSwitchedOnAndItsWindowIsLoaded) {
  Window window;
  Timer timer(window, 10, true);
  EXPECT_FALSE(timer.Running()) << "not before the window loads";
  window.Load();
  EXPECT_TRUE(timer.Running());
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  window.Unload();
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_FALSE(timer.Running()) << "not once the window has gone";
}

TEST(Timer, AnIntervalOfZeroOrBelowRunsWithTheLowerBoundAndKeepsItsValue) {
  Window window;
  Timer timer(window, 50, true);
  window.Load();
  for (const int interval : {0, -1, -242}) {
    timer.SetInterval(interval);
    EXPECT_EQ(timer.Interval(), interval);
    EXPECT_EQ(timer.RunningInterval(), Timer::kShortestRunnableMs);
    EXPECT_TRUE(timer.Running());
  }
  timer.SetInterval(148);
  EXPECT_EQ(timer.RunningInterval(), 148);
}

TEST(Timer, TicksWhileOnAndAtTheShortestIntervalToo) {
  Window window;
  Timer timer(window, -5, true);
  int ticks = 0;
  timer.OnTick([&] { ++ticks; });
  window.Load();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 10000));
}

TEST(Timer, ATickNeverStartsWhileTheLastOneIsStillRunning) {
  Window window;
  Timer timer(window, 1, true);
  int depth = 0;
  int deepest = 0;
  int ticks = 0;
  timer.OnTick([&] {
    ++ticks;
    deepest = std::max(deepest, ++depth);
    if (ticks == 1) QTest::qWait(50);  // lets the event loop run inside the tick
    --depth;
  });
  window.Load();
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 10000));
  EXPECT_EQ(deepest, 1);
}

TEST(Timer, SwitchingOnRestartsTheCountdown) {
  Window window;
  Timer timer(window, 1000, true);
  int ticks = 0;
  timer.OnTick([&] { ++ticks; });
  window.Load();
  QElapsedTimer elapsed;
  elapsed.start();
  // Switched off and on every few milliseconds, a one-second timer never gets to tick.
  while (elapsed.elapsed() < 1500) {
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    QTest::qWait(10);
  }
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 10000));
}

}  // namespace
}  // namespace starveil::platform
