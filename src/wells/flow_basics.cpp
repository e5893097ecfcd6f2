#include "wells/flow_basics.hpp"

#include "portable_math/portable_math.hpp"

namespace pipecorr::wells {

double inclination_sine(double fi_degrees) noexcept {
  if (fi_degrees == 90.0) return 1.0;
  if (fi_degrees == -90.0) return -1.0;
  if (fi_degrees == 0.0) return 0.0;
  return pm::sin(fi_degrees * (kPi / 180.0));
}

NoSlip no_slip(const WellPoint& p) noexcept {
  NoSlip m;
  m.vm = p.usl + p.usg;
  m.lambda_l = p.usl / m.vm;
  m.rho = p.rol * m.lambda_l + p.rog * (1.0 - m.lambda_l);
  m.mu = p.visl * m.lambda_l + p.visg * (1.0 - m.lambda_l);
  return m;
}

}  // namespace pipecorr::wells
