#include "desktop/desktop_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace starveil::desktop {

namespace {

constexpr double kBaseDpi = 96;

int ScaleForDpi(double dpi) {
  if (!std::isfinite(dpi) || dpi <= 0) return 1;
  // A dpi past any screen's must still give a scale, not overflow one.
  constexpr auto kLargest = static_cast<double>(std::numeric_limits<int>::max());
  return static_cast<int>(std::clamp(std::ceil(dpi / kBaseDpi), 1.0, kLargest));
}

}  // namespace

int XClientScaleOf(std::string_view resources) {
  constexpr std::string_view kDpi = "Xft.dpi:";
  while (!resources.empty()) {
    const std::size_t end = std::min(resources.find('\n'), resources.size());
    const std::string_view line = resources.substr(0, end);
    resources.remove_prefix(std::min(end + 1, resources.size()));
    if (line.starts_with(kDpi))
      return ScaleForDpi(std::strtod(std::string(line.substr(kDpi.size())).c_str(), nullptr));
  }
  return 1;
}

}  // namespace starveil::desktop
