#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/control_array.h"
#include "platform/keyed_collection.h"
#include "platform/sprite.h"
#include "platform/surface.h"

namespace starveil::platform {
namespace {

TEST(KeyedCollection, PositionsStartAtOneAndKeysFindTheSameEntries) {
  KeyedCollection<int> row;
  row.Add(10, "M00");
  row.Add(11, "M01");
  row.Add(12);
  EXPECT_EQ(row.Count(), 3);
  EXPECT_EQ(row.Item(1), 10);
  EXPECT_EQ(row.Item(3), 12);
  EXPECT_EQ(row.Item("M01"), row.Item(2));
  EXPECT_THROW(row.Item(0), std::out_of_range);
  EXPECT_THROW(row.Item(4), std::out_of_range);
  EXPECT_THROW(row.Item("M02"), std::out_of_range);
  EXPECT_THROW(row.Add(13, "M00"), std::invalid_argument);
  EXPECT_EQ(row.Count(), 3);
}

TEST(KeyedCollection, ANewCollectionStartsEmpty) {
  KeyedCollection<int> row;
  row.Add(1, "M00");
  row = KeyedCollection<int>{};
  EXPECT_EQ(row.Count(), 0);
  row.Add(2, "M00");
  EXPECT_EQ(row.Item("M00"), 2);
}

TEST(ControlArray, ALoadedElementIsAHiddenCopyOfTheLowestIndexedOne) {
  Surface surface;
  ControlArray<Sprite> pool;
  const Picture picture(QImage(16, 16, QImage::Format_ARGB32));
  Sprite& first = pool.Design(3, surface);
  first.Move(100, 200, 240, 240);
  first.SetPicture(picture);
  first.SetTag("V");
  pool.Design(5, surface).SetPicture(Picture(QImage(32, 32, QImage::Format_ARGB32)));

  Sprite& made = pool.Load(pool.UBound() + 1);

  EXPECT_EQ(pool.UBound(), 6);
  EXPECT_EQ(pool.LBound(), 3);
  EXPECT_FALSE(made.Visible());
  EXPECT_TRUE(made.Picture() == first.Picture()) << "the very picture, shared";
  EXPECT_EQ(made.Rect(), first.Rect());
  EXPECT_EQ(made.Tag(), "V");
  EXPECT_TRUE(first.Visible());
  EXPECT_THROW(pool.Load(5), std::logic_error);
  EXPECT_THROW(pool[4], std::out_of_range);
  EXPECT_THROW(pool[-1], std::out_of_range);
  EXPECT_THROW(pool[7], std::out_of_range);
  EXPECT_THROW(pool.Load(-1), std::out_of_range);
  EXPECT_THROW(pool.Load(ControlArray<Sprite>::kHighestIndex + 1), std::out_of_range);
}

}  // namespace
}  // namespace starveil::platform
