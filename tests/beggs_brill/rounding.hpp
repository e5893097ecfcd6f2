// Helpers of the Beggs & Brill tests: comparison with a figure quoted to a
// number of significant digits, and names for table rows.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace pipecorr::testing {

// Whether `actual` rounds to `quoted` at `digits` significant digits, with
// half a unit of slack for the rounding of the quote itself.
inline ::testing::AssertionResult rounds_to(double actual, double quoted,
                                            int digits) {
  const double magnitude = std::floor(std::log10(std::fabs(quoted)));
  const double unit = std::pow(10.0, magnitude - digits + 1);
  if (std::fabs(actual - quoted) <= 0.5 * unit * 1.0001) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << actual << " does not round to " << quoted << " at " << digits
         << " significant digits";
}

}  // namespace pipecorr::testing

namespace pipecorr::testing {

// Names each row of a parameterised table after its `name` field.
struct ByName {
  template <typename Param>
  std::string operator()(const ::testing::TestParamInfo<Param>& row) const {
    return row.param.name;
  }
};

}  // namespace pipecorr::testing
