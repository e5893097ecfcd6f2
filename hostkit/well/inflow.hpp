// Inflow performance: the rate a reservoir delivers into the well for a
// bottom-hole flowing pressure.
//
// Pressures are in Pa (absolute or gauge, as long as the reservoir
// pressure and the flowing pressures use the same zero). Rates are in
// whatever unit the caller chooses (m3/s at standard conditions, say); a
// productivity index is in that unit per Pa.
#pragma once

#include <variant>

#include "well/input_error.hpp"

namespace pipecorr::well {

// q = J (pr - pwf).
class StraightLineInflow {
 public:
  // Throws WellInputError unless pr and J are positive and finite.
  StraightLineInflow(double reservoir_pressure, double productivity_index);

  // Rate at flowing pressure `pwf`; negative above the reservoir pressure
  // (flow into the reservoir).
  [[nodiscard]] double rate(double pwf) const;
  // Flowing pressure that gives rate `q`; below zero beyond the absolute
  // open flow, where no real pressure delivers the rate.
  [[nodiscard]] double flowing_pressure(double q) const;
  [[nodiscard]] double absolute_open_flow() const { return j_ * pr_; }
  [[nodiscard]] double reservoir_pressure() const { return pr_; }
  [[nodiscard]] double productivity_index() const { return j_; }

 private:
  double pr_;
  double j_;
};

// Vogel's curve for a solution-gas-drive reservoir below its bubble point:
// q / qmax = 1 - 0.2 (pwf/pr) - 0.8 (pwf/pr)^2, for 0 <= pwf <= pr.
// Outside that range the curve continues along its tangent at the end
// (so every pressure has a rate and every rate a pressure, monotone):
// above pr the rate turns negative, beyond qmax the pressure below zero.
class VogelInflow {
 public:
  // From the maximum rate (at pwf = 0). Throws WellInputError unless both
  // are positive and finite.
  [[nodiscard]] static VogelInflow from_max_rate(double reservoir_pressure,
                                                 double max_rate);
  // From one test: rate `q_test` (> 0) at flowing pressure `pwf_test`
  // (0 <= pwf_test < pr). Throws WellInputError otherwise.
  [[nodiscard]] static VogelInflow from_test(double reservoir_pressure,
                                             double q_test, double pwf_test);

  [[nodiscard]] double rate(double pwf) const;
  [[nodiscard]] double flowing_pressure(double q) const;
  [[nodiscard]] double max_rate() const { return qmax_; }
  [[nodiscard]] double reservoir_pressure() const { return pr_; }

 private:
  VogelInflow(double reservoir_pressure, double max_rate);

  double pr_;
  double qmax_;
};

using Inflow = std::variant<StraightLineInflow, VogelInflow>;

// The flowing pressure (Pa) at which `inflow` delivers rate `q`.
[[nodiscard]] double inflow_pressure(const Inflow& inflow, double q);

}  // namespace pipecorr::well
