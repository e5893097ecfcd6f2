#include "well/inflow.hpp"

#include <cmath>
#include <string>

#include "numbers/number_text.hpp"

namespace pipecorr::well {
namespace {

void require_positive(const char* what, double value) {
  if (!(value > 0.0) || !std::isfinite(value)) {
    throw WellInputError(std::string(what) + " " + number_text(value) +
                         " must be positive and finite");
  }
}

// Vogel's q/qmax at x = pwf/pr, with its end tangents outside 0..1: slope
// -0.2 at x = 0 and -1.8 at x = 1.
double vogel_fraction(double x) {
  if (x < 0.0) return 1.0 - 0.2 * x;
  if (x > 1.0) return -1.8 * (x - 1.0);
  return 1.0 - 0.2 * x - 0.8 * x * x;
}

// The inverse: x for q/qmax = y.
double vogel_pressure_ratio(double y) {
  if (y > 1.0) return (1.0 - y) / 0.2;
  if (y < 0.0) return 1.0 - y / 1.8;
  // Root of 0.8 x^2 + 0.2 x - (1 - y) = 0 in [0, 1], in the form without
  // cancellation: x = 2c / (b + sqrt(b^2 + 4ac)).
  const double c = 1.0 - y;
  return 2.0 * c / (0.2 + std::sqrt(0.04 + 3.2 * c));
}

}  // namespace

StraightLineInflow::StraightLineInflow(double reservoir_pressure,
                                       double productivity_index)
    : pr_(reservoir_pressure), j_(productivity_index) {
  require_positive("straight-line inflow: reservoir pressure (Pa)", pr_);
  require_positive("straight-line inflow: productivity index (rate per Pa)",
                   j_);
}

double StraightLineInflow::rate(double pwf) const { return j_ * (pr_ - pwf); }

double StraightLineInflow::flowing_pressure(double q) const {
  return pr_ - q / j_;
}

VogelInflow::VogelInflow(double reservoir_pressure, double max_rate)
    : pr_(reservoir_pressure), qmax_(max_rate) {}

VogelInflow VogelInflow::from_max_rate(double reservoir_pressure,
                                       double max_rate) {
  require_positive("Vogel inflow: reservoir pressure (Pa)", reservoir_pressure);
  require_positive("Vogel inflow: maximum rate", max_rate);
  return VogelInflow(reservoir_pressure, max_rate);
}

VogelInflow VogelInflow::from_test(double reservoir_pressure, double q_test,
                                   double pwf_test) {
  require_positive("Vogel inflow: reservoir pressure (Pa)", reservoir_pressure);
  require_positive("Vogel inflow: test rate", q_test);
  if (!(pwf_test >= 0.0 && pwf_test < reservoir_pressure)) {
    throw WellInputError("Vogel inflow: the test's flowing pressure " +
                         number_text(pwf_test) +
                         " Pa must lie from zero up to below the reservoir "
                         "pressure " +
                         number_text(reservoir_pressure) + " Pa");
  }
  const double max_rate =
      q_test / vogel_fraction(pwf_test / reservoir_pressure);
  require_positive("Vogel inflow: maximum rate from the test", max_rate);
  return VogelInflow(reservoir_pressure, max_rate);
}

double VogelInflow::rate(double pwf) const {
  return qmax_ * vogel_fraction(pwf / pr_);
}

double VogelInflow::flowing_pressure(double q) const {
  return pr_ * vogel_pressure_ratio(q / qmax_);
}

double inflow_pressure(const Inflow& inflow, double q) {
  return std::visit([q](const auto& ipr) { return ipr.flowing_pressure(q); },
                    inflow);
}

}  // namespace pipecorr::well
