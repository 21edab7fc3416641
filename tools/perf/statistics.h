// The averages the measuring tool sums its samples up with.
#pragma once

#include <vector>

namespace starveil::perf {

double Mean(const std::vector<double>& values);

// The nearest-rank percentile: the least of the values that at least `percent` % of them do not
// exceed. Not a number when there are none.
double Percentile(std::vector<double> values, double percent);

inline double Median(const std::vector<double>& values) {
  return Percentile(values, 50);
}

}  // namespace starveil::perf
