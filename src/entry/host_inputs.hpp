// The inputs of one correlation call as the host hands them over, in the
// host's units and argument order: one record for every correlation entry.
#pragma once

namespace pipecorr::entry {

// A single-precision host's values widen to double without change, so every
// entry converts from the same record through the same arithmetic.
struct HostInputs {
  double usl = 0.0;    // superficial liquid velocity, m/s
  double usg = 0.0;    // superficial gas velocity, m/s
  double rol = 0.0;    // liquid density, kg/m3
  double rog = 0.0;    // gas density, kg/m3
  double visl = 0.0;   // liquid viscosity, Pa s
  double visg = 0.0;   // gas viscosity, Pa s
  double eps = 0.0;    // absolute wall roughness, m
  double sigma = 0.0;  // gas-liquid surface tension, N/m
  double diam = 0.0;   // inside diameter, m
  double fi = 0.0;     // inclination, degrees from horizontal, + uphill
  double p = 0.0;      // pressure, Pa
};

// The host's eleven input variables, read once. Real is float for the
// single-precision argument list, double for the double one.
template <typename Real>
[[nodiscard]] HostInputs read_host_inputs(const Real* usl, const Real* usg,
                                          const Real* rol, const Real* rog,
                                          const Real* visl, const Real* visg,
                                          const Real* eps, const Real* sigma,
                                          const Real* diam, const Real* fi,
                                          const Real* p) noexcept {
  const auto in = [](const Real* v) { return static_cast<double>(*v); };
  return {in(usl), in(usg),   in(rol),  in(rog), in(visl), in(visg),
          in(eps), in(sigma), in(diam), in(fi),  in(p)};
}

}  // namespace pipecorr::entry
