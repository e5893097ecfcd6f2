#include "well/operating_point.hpp"

#include <cmath>
#include <string>

#include "numbers/number_text.hpp"

namespace pipecorr::well {
namespace {

void check_lift(std::span<const LiftPoint> lift) {
  if (lift.size() < 2) {
    throw WellInputError("lift curve: at least two points are needed, got " +
                         std::to_string(lift.size()));
  }
  for (std::size_t i = 0; i < lift.size(); ++i) {
    const LiftPoint& p = lift[i];
    const std::string where = "lift curve point " + std::to_string(i + 1) +
                              " (rate " + number_text(p.rate) + "): ";
    if (!std::isfinite(p.rate) || !std::isfinite(p.flowing_pressure)) {
      throw WellInputError(where + "rate and pressure must be finite", i);
    }
    if (p.rate < 0.0) {
      throw WellInputError(where + "the rate must not be negative", i);
    }
    if (i > 0 && !(p.rate > lift[i - 1].rate)) {
      throw WellInputError(where +
                               "rates must increase strictly along the "
                               "table",
                           i);
    }
  }
}

// Where the segment from a to b, straight, meets the inflow curve, given
// the pressure differences at its ends of opposite signs. Bisection on the
// fraction along the segment: the difference is monotone enough on one
// segment for a sign change to bracket one root, and bisection cannot
// leave the bracket.
Crossing segment_crossing(const LiftPoint& a, const LiftPoint& b,
                          double excess_a, const Inflow& inflow) {
  auto at = [&](double f) {
    return LiftPoint{
        a.rate + (b.rate - a.rate) * f,
        a.flowing_pressure + (b.flowing_pressure - a.flowing_pressure) * f};
  };
  double lo = 0.0;
  double hi = 1.0;
  const bool rising = excess_a < 0.0;
  for (int i = 0; i < 200; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (!(mid > lo && mid < hi)) break;
    const LiftPoint p = at(mid);
    const double excess = p.flowing_pressure - inflow_pressure(inflow, p.rate);
    if (excess == 0.0) {
      lo = hi = mid;
      break;
    }
    ((excess < 0.0) == rising ? lo : hi) = mid;
  }
  const LiftPoint p = at(0.5 * (lo + hi));
  Crossing crossing;
  crossing.rate = p.rate;
  crossing.flowing_pressure = p.flowing_pressure;
  crossing.stable = rising;
  return crossing;
}

}  // namespace

OperatingPoint find_operating_point(std::span<const LiftPoint> lift,
                                    const Inflow& inflow) {
  check_lift(lift);
  const std::size_t n = lift.size();
  // Pressure the well needs less pressure the reservoir gives, per point.
  std::vector<double> excess(n);
  for (std::size_t i = 0; i < n; ++i) {
    excess[i] =
        lift[i].flowing_pressure - inflow_pressure(inflow, lift[i].rate);
  }

  OperatingPoint result;
  for (std::size_t i = 0; i < n; ++i) {
    const double here = excess[i];
    if (here == 0.0) {
      const double before = i > 0 ? excess[i - 1] : here;
      const double after = i + 1 < n ? excess[i + 1] : here;
      Crossing crossing;
      crossing.rate = lift[i].rate;
      crossing.flowing_pressure = lift[i].flowing_pressure;
      crossing.stable = after > before;
      crossing.segment = i + 1 < n ? i : i - 1;
      result.crossings.push_back(crossing);
      continue;
    }
    if (i + 1 == n) break;
    const double next = excess[i + 1];
    if (next == 0.0 || (here < 0.0) == (next < 0.0)) continue;
    Crossing crossing = segment_crossing(lift[i], lift[i + 1], here, inflow);
    crossing.segment = i;
    result.crossings.push_back(crossing);
  }

  // The heading region: left of the table's lowest pressure.
  std::size_t lowest = 0;
  for (std::size_t i = 1; i < n; ++i) {
    if (lift[i].flowing_pressure < lift[lowest].flowing_pressure) lowest = i;
  }
  for (Crossing& crossing : result.crossings) {
    crossing.heading = crossing.rate < lift[lowest].rate;
  }

  for (auto it = result.crossings.rbegin(); it != result.crossings.rend();
       ++it) {
    if (it->stable && !it->heading) {
      result.point = *it;
      break;
    }
  }
  if (result.point) return result;
  if (excess.back() < 0.0) {
    result.reason =
        "the reservoir gives more pressure than the well needs at the "
        "table's highest rate, " +
        number_text(lift.back().rate) +
        ": the well flows faster; extend the lift table";
  } else if (result.crossings.empty()) {
    result.reason =
        "the well needs more bottom-hole pressure than the reservoir gives "
        "at every rate of the table: it does not flow";
  } else {
    result.reason =
        "the curves meet only where the lift curve falls through the "
        "inflow curve or left of the lift curve's minimum (heading), where "
        "the well does not stay: it does not flow steadily";
  }
  return result;
}

}  // namespace pipecorr::well
