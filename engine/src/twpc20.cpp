// The engine's entry: reads the flow conditions, ignores the settings the
// homogeneous model has no use for, and fills its part of the output
// vector. Elements it does not own are left as the caller passed them.
#include "twpc20.h"

#include "homogeneous_flow.hpp"

namespace {

// 1-based element numbers of the output vector.
enum Element : int {
  kHoldup = 1,
  kFriction = 2,
  kGravity = 3,
  kAcceleration = 4,
  kMixtureVelocity = 5,
  kMixtureDensity = 6,
  kMixtureViscosity = 7,
  kReynolds = 8,
  kFrictionFactor = 9,
  kPattern = 55,
};

void put(double* vecout, Element element, double value) noexcept {
  vecout[element - 1] = value;
}

}  // namespace

extern "C" TWPC20_API void TWPC20_CALL TWPC20(
    int32_t*, int32_t*, double* vecout, double* usl, double* usg, double* rol,
    double* rog, double* visl, double* visg, double*, double* diam, double* fi,
    double* eps, double*, double*, double*, double*, double*, char*, int32_t) {
  const twpc2032::FlowResult r = twpc2032::homogeneous_flow(
      {*usl, *usg, *rol, *rog, *visl, *visg, *diam, *fi, *eps});
  put(vecout, kHoldup, r.holdup);
  put(vecout, kFriction, r.friction);
  put(vecout, kGravity, r.gravity);
  put(vecout, kAcceleration, r.acceleration);
  put(vecout, kMixtureVelocity, r.mixture_velocity);
  put(vecout, kMixtureDensity, r.mixture_density);
  put(vecout, kMixtureViscosity, r.mixture_viscosity);
  put(vecout, kReynolds, r.reynolds);
  put(vecout, kFrictionFactor, r.friction_factor);
  put(vecout, kPattern, r.pattern);
}
