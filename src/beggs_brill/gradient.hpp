// Second stage of the core: mixture properties at the final holdup and the
// friction and elevation parts of the pressure gradient (psi/ft).
#pragma once

#include "beggs_brill/field_inputs.hpp"
#include "beggs_brill/proven_store.hpp"

namespace pipecorr::bb {

struct Mixture {
  float rruff = 0.0f;              // relative roughness
  float vm = 0.0f;                 // mixture velocity, ft/s
  float lambda = 0.0f;             // no-slip liquid holdup
  float in_situ_density = 0.0f;    // lbm/ft3, at the holdup
  float no_slip_density = 0.0f;    // lbm/ft3
  float no_slip_viscosity = 0.0f;  // cP
  float renum = 0.0f;              // no-slip Reynolds number
};

// The no-slip liquid holdup, with the velocity sum kept in double.
float no_slip_holdup(const FieldInputs& in) noexcept;
float no_slip_viscosity(const FieldInputs& in, float lambda) noexcept;

// The no-slip holdup and viscosity (cP) of a point: the input screening
// needs the viscosity before the mixture is made, which then takes both.
struct NoSlip {
  float lambda = 0.0f;
  float viscosity = 0.0f;
};
NoSlip no_slip_of(const FieldInputs& in) noexcept;

Mixture mixture_of(const FieldInputs& in, float hl) noexcept;
Mixture mixture_of(const FieldInputs& in, float hl, const NoSlip& ns) noexcept;

// ftp is the two-phase Darcy friction factor.
float friction_gradient(const FieldInputs& in, const Mixture& m,
                        float ftp) noexcept;
float elevation_gradient(const FieldInputs& in, const Mixture& m,
                         Evaluation e = Evaluation::kFast) noexcept;

}  // namespace pipecorr::bb
