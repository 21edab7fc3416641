#include "matched_window.h"

#include <gtest/gtest.h>

#include <QImage>

#include "support/game_window.h"

namespace starveil::perf {
namespace {

// The matched yardstick is only a fair yardstick while it shows what the game shows: the same
// controls, fonts and pictures in the same places. Before Start both stand still, and every pixel
// of the one must match the other's.
TEST(MatchedWindow, ShowsWhatTheGameWindowShowsBeforeStart) {
  testing::GameWindow game;
  const std::unique_ptr<QWidget> matched = MatchedWindow();
  const QImage shown = game.frm->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage expected = matched->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(expected.size(), shown.size());
  int differing = 0;
  QRect where;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.pixel(x, y) == expected.pixel(x, y)) continue;
      ++differing;
      where |= QRect(x, y, 1, 1);
    }
  }
  EXPECT_EQ(differing, 0) << "within x " << where.left() << " to " << where.right() << ", y "
                          << where.top() << " to " << where.bottom();
}

}  // namespace
}  // namespace starveil::perf
