#include "statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace starveil::perf {

double Mean(const std::vector<double>& values) {
  if (values.empty()) return std::numeric_limits<double>::quiet_NaN();
  return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double Percentile(std::vector<double> values, double percent) {
  if (values.empty()) return std::numeric_limits<double>::quiet_NaN();
  std::ranges::sort(values);
  // The rank is a count of values, so a fraction of one rounds up: 99 % of 150 values is 149.
  const auto rank =
      static_cast<std::size_t>(std::ceil(percent / 100 * static_cast<double>(values.size())));
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

}  // namespace starveil::perf
