// The tables of the portable elementary functions (tables.cpp, printed by
// make_tables.py): values rounded once from 2000-bit arithmetic.
#pragma once

#include "portable_math/double_double.hpp"

namespace pipecorr::pm::detail {

struct LogRow {
  double invc;        // about 1/c for the row's centre c
  DoubleDouble logc;  // -ln(invc)
};

extern const DoubleDouble kExp2[128];
extern const LogRow kLog[128];
extern const DoubleDouble kAtan[65];
extern const double kTwoOverPi[53];

}  // namespace pipecorr::pm::detail
