#pragma once

#include <string_view>

#include "platform/numbers.h"

namespace starveil::platform {

// The family names a string that outlives the font, as a literal does.
struct Font {
  std::string_view family = "Liberation Sans";
  float points = 8.25f;
  bool bold = false;
};

// The pixel size of a font of `points` on a 96-dots-per-inch screen, whatever the real screen says.
constexpr int FontPixelSize(float points) {
  return RoundHalfAway(points * 96.0f / 72.0f);
}

}  // namespace starveil::platform
