#include "platform/numbers.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace starveil::platform
