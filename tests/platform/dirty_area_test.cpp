#include "platform/dirty_area.h"

#include <gtest/gtest.h>

#include <QRegion>

namespace starveil::platform {
namespace {

const QRect kBounds(0, 0, 358, 359);

QRegion Covered(const std::vector<QRect>& boxes) {
  QRegion region;
  for (const QRect& box : boxes)
    region += box;
  return region;
}

long long Area(const std::vector<QRect>& boxes) {
  long long area = 0;
  for (const QRect& box : boxes)
    area += static_cast<long long>(box.width()) * box.height();
  return area;
}

// A marching row: each monster's old and new places, 16 px wide, 4 px apart, 2 px to the right.
TEST(DirtyArea, AMarchingRowBecomesOneTightBox) {
  DirtyArea dirty;
  QRegion asked;
  for (int column = 0; column < 12; ++column) {
    const QRect before(40 + 20 * column, 116, 16, 16);
    dirty.Add(before, kBounds);
    dirty.Add(before.translated(2, 0), kBounds);
    asked += before;
    asked += before.translated(2, 0);
  }
  const std::vector<QRect> boxes = dirty.Take();
  ASSERT_EQ(boxes.size(), 1U);
  EXPECT_EQ(boxes[0], asked.boundingRect());
  EXPECT_TRUE(dirty.IsEmpty());
}

// Scattered rockets stay apart, up to the most boxes kept; beyond that they join their nearest,
// and whatever happens, everything asked for is covered and nothing outside the bounds is.
TEST(DirtyArea, ScatteredRequestsStayCoveredWithinFewBoxes) {
  DirtyArea dirty;
  QRegion asked;
  for (int i = 0; i < 30; ++i) {
    const QRect rocket((i * 97) % 340, (i * 53) % 330 + 40, 8, 12);
    dirty.Add(rocket, kBounds);
    asked += rocket.intersected(kBounds);
  }
  dirty.Add(QRect(350, 350, 40, 40), kBounds);
  asked += QRect(350, 350, 8, 9);
  dirty.Add(QRect(-50, -50, 10, 10), kBounds);  // wholly outside

  const std::vector<QRect> boxes = dirty.Take();
  EXPECT_LE(boxes.size(), DirtyArea::kMostBoxes);
  EXPECT_TRUE((asked - Covered(boxes)).isEmpty());
  EXPECT_TRUE((Covered(boxes) - QRegion(kBounds)).isEmpty());
  EXPECT_LT(Area(boxes), kBounds.width() * kBounds.height() / 2) << "far from one big box";
}

TEST(DirtyArea, NothingVisibleAddsNothing) {
  DirtyArea dirty;
  dirty.Add(QRect(), kBounds);
  dirty.Add(QRect(400, 0, 10, 10), kBounds);
  EXPECT_TRUE(dirty.IsEmpty());
}

}  // namespace
}  // namespace starveil::platform
