#include "beggs_brill/gradient.hpp"

#include <cmath>

#include "beggs_brill/float_sin.hpp"
#include "beggs_brill/libm_accuracy.hpp"
#include "beggs_brill/single_precision.hpp"

namespace pipecorr::bb {

float no_slip_holdup(const FieldInputs& in) noexcept {
  return store(wide(in.vsl) / (wide(in.vsl) + wide(in.vsg)));
}

float no_slip_viscosity(const FieldInputs& in, float lambda) noexcept {
  return store(wide(in.visl) * wide(lambda) +
               wide(in.visg) * (wide(1.0f) - wide(lambda)));
}

NoSlip no_slip_of(const FieldInputs& in) noexcept {
  NoSlip ns;
  ns.lambda = no_slip_holdup(in);
  ns.viscosity = no_slip_viscosity(in, ns.lambda);
  return ns;
}

Mixture mixture_of(const FieldInputs& in, float hl) noexcept {
  return mixture_of(in, hl, no_slip_of(in));
}

Mixture mixture_of(const FieldInputs& in, float hl, const NoSlip& ns) noexcept {
  Mixture m;
  m.rruff = store(wide(in.ruff) / (wide(12.0f) * wide(in.pidft)));
  m.vm = store(wide(in.vsl) + wide(in.vsg));
  m.lambda = ns.lambda;
  const double dl = wide(in.dl);
  const double dg = wide(in.dg);
  m.in_situ_density = store(dl * wide(hl) + dg * (wide(1.0f) - wide(hl)));
  m.no_slip_density =
      store(dl * wide(m.lambda) + dg * (wide(1.0f) - wide(m.lambda)));
  m.no_slip_viscosity = ns.viscosity;
  m.renum = store(wide(1488.0f) * wide(m.no_slip_density) * wide(m.vm) *
                  wide(in.pidft) / wide(m.no_slip_viscosity));
  return m;
}

float friction_gradient(const FieldInputs& in, const Mixture& m,
                        float ftp) noexcept {
  return store(wide(ftp) * wide(m.no_slip_density) * wide(m.vm) * wide(m.vm) /
               (wide(9266.112f) * wide(in.pidft)));
}

float elevation_gradient(const FieldInputs& in, const Mixture& m,
                         Evaluation e) noexcept {
  // Downhill, a mostly-gas stream weighs with the gas density alone.
  const bool gas_column = in.arad < 0.0f && m.lambda < 0.8f;
  const float density = gas_column ? in.dg : m.in_situ_density;
  const double x = wide(in.arad);
  const auto plain = [&] {
    return store(std::sin(x) * wide(density) / wide(144.0f));
  };
  // A horizontal pipe: sin(+-0) is +-0 exactly, the value the plain
  // formula multiplies.
  if (e == Evaluation::kFast && x == 0.0) {
    return store(x * wide(density) / wide(144.0f));
  }
  if (e == Evaluation::kPlain || !(std::fabs(x) <= kSinInlineLimit)) {
    return plain();
  }
  // Fast: sin_inline, within kSinInlineError; the plain sin within
  // 2 kSinUlps; the product and the quotient round by u each on either
  // path. Relative, in units u:
  //   fast kSinInlineError + 2, plain 2 kSinUlps + 2
  constexpr double kBound = ulps_from_relative(kSinInlineError + 2.0 +
                                               2.0 * accuracy::kSinUlps + 2.0);
  const double fast = sin_inline(x) * wide(density) / wide(144.0f);
  return store_fast(fast, kBound, plain);
}

}  // namespace pipecorr::bb
