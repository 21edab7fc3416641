#include "platform/random.h"

#include <gtest/gtest.h>

#include <set>

namespace starveil::platform {
namespace {

TEST(Random, DrawsStayBelowOneAndRepeatForTheSameSeed) {
  StandardRandom random;
  random.Randomize(43200.125f);
  std::vector<float> first;
  for (int i = 0; i < 10000; ++i) {
    const float draw = random.Rnd();
    ASSERT_GE(draw, 0.0f);
    ASSERT_LT(draw, 1.0f);
    first.push_back(draw);
  }
  random.Randomize(43200.125f);
  EXPECT_EQ(random.Rnd(), first[0]);
  random.Randomize(43200.25f);
  EXPECT_NE(random.Rnd(), first[0]);
}

// The march reseeds from the time of day at every step, a few milliseconds apart: the first
// draws after neighbouring seeds must scatter over the whole range, not creep along with them.
TEST(Random, NeighbouringSeedsStartFarApart) {
  StandardRandom random;
  std::set<int> tenthsHit;
  float seed = 43200.0f;
  for (int step = 0; step < 40; ++step) {
    random.Randomize(seed);
    tenthsHit.insert(static_cast<int>(random.Rnd() * 10));
    seed = std::nextafter(seed, 86400.0f);
  }
  EXPECT_GE(tenthsHit.size(), 8U);
}

}  // namespace
}  // namespace starveil::platform
