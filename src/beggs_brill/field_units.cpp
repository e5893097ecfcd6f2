#include "beggs_brill/field_units.hpp"

#include <cmath>

#include "beggs_brill/single_precision.hpp"

namespace pipecorr::bb {

FieldInputs to_field_units(const HostInputs& h) noexcept {
  const double ft_per_m = wide(3.28084f);
  const double kg_m3_per_lbm_ft3 = wide(16.01838f);
  const double milli = wide(1000.0f);
  FieldInputs in;
  in.vsl = store(h.usl * ft_per_m);
  in.vsg = store(h.usg * ft_per_m);
  in.dl = store(h.rol / kg_m3_per_lbm_ft3);
  in.dg = store(h.rog / kg_m3_per_lbm_ft3);
  in.visl = store(h.visl * milli);
  in.visg = store(h.visg * milli);
  in.ruff = store(h.eps / wide(0.0254f));
  in.stenl = store(h.sigma * milli);
  in.pidft = store(h.diam * ft_per_m);
  // 3.14159, not pi: stored results were made with it.
  in.arad = store(h.fi / wide(180.0f) * wide(3.14159f));
  // 100000 Pa counted as 14.7 psi, a plain scale without offset.
  in.pave = store(h.p * wide(14.7f) / wide(100000.0f));
  return in;
}

std::string_view range_problem(const HostInputs& h,
                               const FieldInputs& f) noexcept {
  // Finite field values answer it at once; only a point with one that is
  // not needs the host values examined.
  if (all_finite(f)) return {};
  const double host[] = {h.usl, h.usg,   h.rol,  h.rog, h.visl, h.visg,
                         h.eps, h.sigma, h.diam, h.fi,  h.p};
  for (const double v : host) {
    if (!std::isfinite(v)) return {};
  }
  return "an input is beyond the range of the single-precision calculation";
}

double gradient_in_si(float DPg) noexcept {
  return wide(DPg) * wide(6895.0f) * wide(3.2808f);
}

}  // namespace pipecorr::bb
