#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

// The game's arithmetic rules in one place: geometry is single precision, and a value stored into
// an integer is rounded to the nearest integer with ties to even (1.5 -> 2, 4.5 -> 4, 70.5 -> 70).
namespace starveil::platform {

namespace detail {
template <class Int>
Int RoundHalfEven(double x) {
  constexpr double kLowest = std::numeric_limits<Int>::lowest();
  constexpr double kHighest = std::numeric_limits<Int>::max();
  // The default floating-point environment rounds to nearest, ties to even. Values beyond the
  // integer's range saturate instead of wrapping.
  return static_cast<Int>(std::clamp(std::nearbyint(x), kLowest, kHighest));
}
}  // namespace detail

inline std::int16_t RoundToInt16(double x) {
  return detail::RoundHalfEven<std::int16_t>(x);
}
inline std::int32_t RoundToInt32(double x) {
  return detail::RoundHalfEven<std::int32_t>(x);
}

// The nearest integer, halves away from zero, as std::lround rounds a float. Adding the half in
// double precision is exact for any float, so this needs no library call, which every repaint
// would pay, and can run at compile time.
constexpr int RoundHalfAway(float x) {
  return static_cast<int>(static_cast<double>(x) + (x < 0 ? -0.5 : 0.5));
}

// The largest integer not above x.
inline double Floor(double x) {
  return std::floor(x);
}

}  // namespace starveil::platform
