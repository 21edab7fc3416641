#pragma once

#include "platform/numbers.h"

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

// The nearest pixel, halves away from zero; the tools take the game's places in pixels at compile
// time.
constexpr int TwipsToPixels(float twips) {
  return RoundHalfAway(twips / kTwipsPerPixel);
}

inline constexpr float PixelsToTwips(int pixels) {
  return static_cast<float>(pixels) * kTwipsPerPixel;
}

}  // namespace starveil::platform
