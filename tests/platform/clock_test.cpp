#include "platform/clock.h"

#include <gtest/gtest.h>

#include <QTime>
#include <cmath>

namespace starveil::platform {
namespace {

// The game's clock reads local time of day as Qt does; a reading in another time zone, or in
// seconds since some other origin, would be hours away.
TEST(SystemClock, ReadsLocalTimeOfDay) {
  SystemClock clock;
  const float before = static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
  const float reading = clock.SecondsSinceMidnight();
  const float after = static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
  ASSERT_GE(reading, 0.0f);
  ASSERT_LT(reading, kSecondsPerDay);
  if (after < before) GTEST_SKIP() << "midnight passed during the reading";
  // Whole milliseconds, cut by the game and rounded by Qt, each then held in single precision,
  // whose steps grow to almost 8 ms late in the day.
  const float slack = 0.001f + 2 * (std::nextafter(after, kSecondsPerDay) - after);
  EXPECT_GE(reading, before - slack);
  EXPECT_LE(reading, after + slack);
}

}  // namespace
}  // namespace starveil::platform
