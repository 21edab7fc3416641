#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/twips.h"

namespace starveil::platform {
namespace {

struct RoundCase {
  double value;
  int expected;
};

TEST(Numbers, StoringIntoAnIntegerRoundsHalvesToEven) {
  const RoundCase cases[] = {{1.5, 2},  {2.5, 2},   {4.5, 4},    {70.5, 70},  {0.5, 0},
                             {-0.5, 0}, {-1.5, -2}, {1.4999, 1}, {2.5001, 3}, {-2.7, -3}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(RoundToInt16(value), expected) << value;
    EXPECT_EQ(RoundToInt32(value), expected) << value;
  }
}

TEST(Numbers, ValuesBeyondTheIntegerSaturateInsteadOfWrapping) {
  EXPECT_EQ(RoundToInt16(40000.0), 32767);
  EXPECT_EQ(RoundToInt16(-40000.0), -32768);
  EXPECT_EQ(RoundToInt32(1e12), 2147483647);
}

TEST(Numbers, FloorIsTheLargestIntegerNotAbove) {
  EXPECT_EQ(Floor(2.999), 2.0);
  EXPECT_EQ(Floor(-0.5), -1.0);
  EXPECT_EQ(Floor(3.0), 3.0);
}

// Pixels round to the nearest, halves away from zero, whatever shortcut the conversion takes:
// the float just below a half must not be pushed over it.
TEST(Numbers, TwipsBecomeTheNearestPixel) {
  const float cases[] = {0.0f,
                         7.0f,
                         7.5f,
                         8.0f,
                         22.5f,
                         -7.5f,
                         -22.5f,
                         239.9f,
                         240.0f,
                         std::nextafter(7.5f, 0.0f),
                         std::nextafter(-7.5f, 0.0f),
                         1e6f,
                         -1e6f};
  for (const float twips : cases) {
    EXPECT_EQ(TwipsToPixels(twips), std::lround(twips / kTwipsPerPixel)) << twips;
  }
  EXPECT_EQ(TwipsToPixels(7.5f), 1);
  EXPECT_EQ(TwipsToPixels(-7.5f), -1);
}

}  // namespace
}  // namespace starveil::platform
