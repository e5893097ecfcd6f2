// A programmable stand-in for the engine, bound to the adapter's engine
// seam in unit tests: it records what it was handed and writes only the
// output elements a test asks for.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "twpc20.h"

namespace pipecorr::testing {

struct EngineScript {
  // (1-based element, value) pairs the engine writes on each call.
  std::vector<std::pair<std::size_t, double>> writes;

  int calls = 0;
  std::int32_t ipar1 = 0;
  std::int32_t ipar2 = 0;
  std::array<double, TWPC20_VECOUT_LEN> vecout_on_entry{};
  double usl = 0, usg = 0, rol = 0, rog = 0, visl = 0, visg = 0, sigma = 0,
         diam = 0, fi = 0, eps = 0, wc = 0, rpar1 = 0, rpar2 = 0, entr = 0,
         ptclc = 0;
  std::string constr;
  std::int32_t constr_len = 0;
};

inline EngineScript engine_script;

inline void TWPC20_CALL scripted_engine(
    std::int32_t* ipar1, std::int32_t* ipar2, double* vecout, double* usl,
    double* usg, double* rol, double* rog, double* visl, double* visg,
    double* sigma, double* diam, double* fi, double* eps, double* wc,
    double* rpar1, double* rpar2, double* entr, double* ptclc, char* constr,
    std::int32_t constr_len) {
  EngineScript& s = engine_script;
  ++s.calls;
  s.ipar1 = *ipar1;
  s.ipar2 = *ipar2;
  for (std::size_t i = 0; i < s.vecout_on_entry.size(); ++i) {
    s.vecout_on_entry[i] = vecout[i];
  }
  s.usl = *usl;
  s.usg = *usg;
  s.rol = *rol;
  s.rog = *rog;
  s.visl = *visl;
  s.visg = *visg;
  s.sigma = *sigma;
  s.diam = *diam;
  s.fi = *fi;
  s.eps = *eps;
  s.wc = *wc;
  s.rpar1 = *rpar1;
  s.rpar2 = *rpar2;
  s.entr = *entr;
  s.ptclc = *ptclc;
  s.constr.assign(constr, TWPC20_CONSTR_LEN);
  s.constr_len = constr_len;
  for (const auto& [element, value] : s.writes) vecout[element - 1] = value;
  // A real engine may write its inputs too; the adapter must not care.
  *ptclc = -12345.0;
}

}  // namespace pipecorr::testing
