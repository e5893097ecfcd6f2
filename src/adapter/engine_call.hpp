// What the adapter hands the engine: the screened flow conditions and the
// engine's fixed settings, in storage the engine may scribble on.
#pragma once

#include <array>
#include <cstdint>

#include "adapter/screening.hpp"
#include "twpc20.h"

namespace pipecorr::orba {

// The seam to the engine: the plug-in binds it to the imported TWPC20,
// unit tests to a scripted engine.
using Engine = twpc20_fn;

inline constexpr std::size_t kVecoutLength = TWPC20_VECOUT_LEN;
inline constexpr std::size_t kConstrLength = TWPC20_CONSTR_LEN;

// Engine settings. The engine expects its step setting as the single
// 0.001 widened to double, not the double nearest to 0.001.
inline constexpr double kRpar2 = static_cast<double>(0.001f);
inline constexpr std::array<char, kConstrLength> kConstr{
    '1', '2', '1', '1', '4', '0', '0', '1', '2', '1',
    '2', '0', '0', '0', '0', '0', '0', '0', '0', '0'};

struct EngineCall {
  std::int32_t ipar1 = 1;
  std::int32_t ipar2 = 1;
  ScreenedInputs in{};
  double wc = 0.0;
  double rpar1 = 1000.0;
  double rpar2 = kRpar2;
  double entr = 0.0;
  double ptclc = 0.0;
  std::array<char, kConstrLength> constr = kConstr;
};

// One engine call with the engine's own argument order (sigma, diam, fi,
// eps: not the host's order).
inline void call_engine(Engine engine, EngineCall& c,
                        std::array<double, kVecoutLength>& vecout) {
  engine(&c.ipar1, &c.ipar2, vecout.data(), &c.in.usl, &c.in.usg, &c.in.rol,
         &c.in.rog, &c.in.visl, &c.in.visg, &c.in.sigma, &c.in.diam, &c.in.fi,
         &c.in.eps, &c.wc, &c.rpar1, &c.rpar2, &c.entr, &c.ptclc,
         c.constr.data(), static_cast<std::int32_t>(kConstrLength));
}

}  // namespace pipecorr::orba
