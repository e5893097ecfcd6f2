// A lift table computed: one field traverse from the tubing head down per
// point of the axes, on several threads when the correlation allows, and
// every point a traverse could not give filled by a rule a simulator can
// live with.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cases/well_case.hpp"
#include "plugin/correlation.hpp"
#include "studies/vfp_axes.hpp"

namespace pipecorr::hostkit {

// Where the table's pressures are given: by TVD, or at the TVD of a
// measured depth. None: the bottom of the well.
struct VfpDatum {
  enum class Kind { kTvd, kMd } kind = Kind::kTvd;
  double depth = 0.0;  // m
};

// What a bottom-hole pressure that no traverse gave becomes, along each
// line of rates (same THP, water and gas):
// - between two computed rates, the straight line between them;
// - beyond the computed rates, the straight line through the nearest two
//   (the nearest one alone when the line has one), as the simulator
//   itself extrapolates past an axis's end;
// - on a line with no computed rate, kVfpNoLiftPressure for a producer
//   (the well cannot flow there) and kVfpNoInjectionPressure for an
//   injector (it cannot take that rate);
// and never below kVfpNoInjectionPressure.
inline constexpr double kVfpNoLiftPressure = 1e8;          // Pa, 1000 bar
inline constexpr double kVfpNoInjectionPressure = 101325;  // Pa, 1 atm

struct VfpCause {
  std::string what;  // "the correlation or the fluid refused a point"
  std::size_t count = 0;
  std::string first;  // the first such point and where its march stopped
};

struct VfpBuild {
  VfpAxes axes;
  double datum_tvd = 0.0;   // m
  std::vector<double> bhp;  // Pa at the datum, axes.at(t, w, g, r)
  std::vector<bool> computed;
  std::vector<VfpCause> causes;  // of the filled points, by first seen
  std::size_t threads = 1;
  std::size_t evaluations = 0;  // correlation calls over all traverses

  [[nodiscard]] std::size_t filled() const;
};

struct VfpRunOptions {
  std::optional<VfpDatum> datum;
  // Threads to march on; 1 for a correlation that keeps state between
  // calls (the caller knows which).
  std::size_t threads = 1;
  // Called on the calling thread now and then with points done and all.
  std::function<void(std::size_t, std::size_t)> progress;
  // Asked on the calling thread now and then; true stops the build, which
  // then throws Error("interrupted").
  std::function<bool()> stop;
};

// Throws Error for a case whose table cannot be made (vfp_axes), a datum
// outside the well, or when no point of the table could be computed.
[[nodiscard]] VfpBuild build_vfp(const Correlation& correlation,
                                 const WellCase& well_case,
                                 const VfpRunOptions& options);

// The pressure at the datum on a traverse that reached its end: the
// stations' pressure interpolated linearly in TVD (or md) at the first
// place it is reached from the top.
[[nodiscard]] double pressure_at_datum(const std::vector<double>& depths,
                                       const std::vector<double>& pressures,
                                       double depth);

}  // namespace pipecorr::hostkit
