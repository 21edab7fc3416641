#include "platform/random.h"

#include <bit>
#include <cstdint>

namespace starveil::platform {
namespace {

// Times of day a few milliseconds apart differ only in their lowest bits, and this generator
// would start their sequences in step; stirring every bit of the seed into every other first
// sets them apart.
std::uint32_t Stir(std::uint32_t bits) {
  bits ^= bits >> 16;
  bits *= 0x85ebca6bU;
  bits ^= bits >> 13;
  bits *= 0xc2b2ae35U;
  bits ^= bits >> 16;
  return bits;
}

}  // namespace

void StandardRandom::Randomize(float seed) {
  engine_.seed(Stir(std::bit_cast<std::uint32_t>(seed)));
}

// The engine draws 1 to 2^31 - 2; its top 24 bits scale exactly into a float below 1.
float StandardRandom::Rnd() {
  return static_cast<float>((engine_() - 1) >> 7) * 0x1p-24f;
}

}  // namespace starveil::platform
