// Gas compressibility factor Z from pseudo-reduced temperature and pressure
// (Tpr = T / Tpc, Ppr = p / Ppc, both absolute), by two fits of the
// Standing-Katz chart.
#pragma once

namespace pipecorr::fluids {

enum class ZCorrelation {
  // Hall & Yarborough (1973): 1.2 <= Tpr <= 3.0, 0.1 <= Ppr <= 24; not
  // recommended below Tpr 1.
  kHallYarborough,
  // Dranchuk & Abou-Kassem (1975): 1.0 <= Tpr <= 3.0 with 0.2 <= Ppr <= 30,
  // and 0.7 <= Tpr < 1.0 with Ppr below about 1.
  kDranchukAbouKassem,
};

// Result of the iteration. Each method brackets its root and falls back to
// bisection when a Newton step leaves the bracket, so it settles within its
// bound wherever a root exists; `converged` false (with z = 0) is the
// defined failure result otherwise.
struct ZResult {
  double z = 0.0;      // compressibility factor, dimensionless
  int iterations = 0;  // Newton/bisection steps taken
  bool converged = false;
};

// At most this many steps per call.
inline constexpr int kMaxZIterations = 100;

// Throws InputError unless 0 < tpr <= 100 and 0 <= ppr <= 200; at ppr = 0
// the result is exactly 1. Outside each fit's range the value is an
// extrapolation.
ZResult hall_yarborough_z(double tpr, double ppr);
ZResult dranchuk_abou_kassem_z(double tpr, double ppr);
ZResult z_factor(ZCorrelation correlation, double tpr, double ppr);

}  // namespace pipecorr::fluids
