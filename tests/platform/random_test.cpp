#include "platform/random.h"

#include <gtest/gtest.h>

namespace starveil::platform {
namespace {

TEST(Random, DrawsStayBelowOneAndRepeatForTheSameSeed) {
  MersenneRandom random;
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

}  // namespace
}  // namespace starveil::platform
