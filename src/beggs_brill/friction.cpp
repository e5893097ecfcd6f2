// Friction factors of the core: the single-phase Moody factor and the
// Beggs & Brill two-phase multiplier.
#include <cmath>
#include <cstdint>

#include "beggs_brill/friction.hpp"
#include "beggs_brill/single_precision.hpp"
#include "log/debug_log.hpp"

namespace pipecorr::bb {

ColebrookResult colebrook(float re, float rruff) noexcept {
  float f = store(wide(0.0056f) + wide(0.5f) / std::pow(wide(re), wide(0.32f)));
  ColebrookResult result;
  std::int32_t failures = 0;
  bool converged = false;
  while (!converged && failures <= 20) {
    const float a =
        store(wide(rruff) / wide(3.7f) +
              wide(2.51f) / (wide(re) * std::pow(wide(f), wide(0.5f))));
    // The exact square: for every float a it has the same bits as
    // pow(log10 a, 2), without a second transcendental call per pass.
    const double log_a = std::log10(wide(a));
    const float f_new = store(wide(0.25f) / (log_a * log_a));
    const float r = store((wide(f) - wide(f_new)) / wide(f_new));
    f = f_new;
    result.f = f_new;
    ++result.evaluations;
    if (std::fabs(r) <= 0.0001f) {
      converged = true;
    } else {
      ++failures;
    }
  }
  return result;
}

float slip_exponent(float frnl, float hl) noexcept {
  // A dry-gas point has y = 0/0; its single-phase gas limit, which is also
  // the limit of the multiplier as the liquid fraction vanishes, is S = 0.
  if (frnl == 0.0f) return 0.0f;
  const float y = store(wide(frnl) / (wide(hl) * wide(hl)));
  const float ln_y = store(std::log(wide(y)));
  if (y > 1.0f && y < 1.2f) {
    return store(std::log(wide(2.2f) * wide(y) - wide(1.2f)));
  }
  // ln y is a float, so its square is exact in double (and so equal to
  // pow(ln y, 2), which is within one unit of the exact value).
  const double l = wide(ln_y);
  const double l2 = l * l;
  return store(l / (wide(0.01853f) * std::pow(l, 4.0) +
                    ((wide(3.182f) * l - wide(0.0523f)) - wide(0.8725f) * l2)));
}

void MOODY_q(float renum, float rruff, float& Fmoody) noexcept {
  dbg::trace([&](dbg::Block& b) {
    b.record(" Entering MOODY_q");
    b.record("    renum = ", renum);
    b.record("    rruff = ", rruff);
  });

  if (!(renum > 2000.0f)) {
    Fmoody = store(wide(64.0f) / wide(renum));
  } else if (renum <= 4000.0f) {
    // Between the laminar and the turbulent law: the straight line from
    // (2000, 0.032) to the Colebrook value at 4000.
    const float f4000 = colebrook(4000.0f, rruff).f;
    Fmoody = store((wide(4000.0f) * wide(0.032f) - wide(2000.0f) * wide(f4000) +
                    (wide(f4000) - wide(0.032f)) * wide(renum)) /
                   (wide(4000.0f) - wide(2000.0f)));
  } else {
    Fmoody = colebrook(renum, rruff).f;
  }

  dbg::trace(
      [&](dbg::Block& b) { b.record("leaving MOODY_q with Fmoody=", Fmoody); });
}

void FRNBB_q(float renum, float rruff, float frnl, float hl, float& ftp,
             float& FFRAT) noexcept {
  dbg::trace([&](dbg::Block& b) {
    b.record(" Entering FRNBB_q");
    b.record("    renum = ", renum);
    b.record("    rruff = ", rruff);
    b.record("     frnl = ", frnl);
    b.record("       hl = ", hl);
  });

  float fn = 0.0f;
  MOODY_q(renum, rruff, fn);
  const float s = slip_exponent(frnl, hl);
  ftp = store(wide(fn) * std::exp(wide(s)));
  FFRAT = store(wide(ftp) / wide(fn));

  dbg::trace([&](dbg::Block& b) {
    b.record(" ");
    b.record("leaving FRNBB_q with FFRAT=", FFRAT);
    b.record(" ");
  });
}

}  // namespace pipecorr::bb
