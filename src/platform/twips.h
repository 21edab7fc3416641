#pragma once

#include <cmath>

// Control geometry is kept in twips, 1/1440 inch: 15 twips to a pixel at 96 dots per inch.
namespace starveil::platform {

inline constexpr float kTwipsPerPixel = 15.0f;

struct TwipRect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;

  bool operator==(const TwipRect&) const = default;
};

// The nearest pixel, halves away from zero. Adding the half in double precision is exact for any
// float, so this rounds as std::lround does without its library call, which every repaint pays.
inline int TwipsToPixels(float twips) {
  const float pixels = twips / kTwipsPerPixel;
  return static_cast<int>(static_cast<double>(pixels) + std::copysign(0.5, pixels));
}

inline constexpr float PixelsToTwips(int pixels) {
  return static_cast<float>(pixels) * kTwipsPerPixel;
}

}  // namespace starveil::platform
