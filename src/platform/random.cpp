#include "platform/random.h"

#include <bit>
#include <cstdint>

namespace starveil::platform {

void MersenneRandom::Randomize(float seed) {
  engine_.seed(std::bit_cast<std::uint32_t>(seed));
}

// 24 random bits scaled exactly into a float: never 1, unlike a float distribution's rounding.
float MersenneRandom::Rnd() {
  return static_cast<float>(engine_() >> 8) * 0x1p-24f;
}

}  // namespace starveil::platform
