// One entry of a well correlation (HB_3, GRAY_3, MB_3, ANSARI_3): BB_3's
// argument list in double precision and SI units, a value-typed core
// between reading the host's inputs and writing its outputs.
//
// The host's outputs: dp and holdup from the core, id its pattern code,
// iaux 0, ierr 0 and a blank message on success; on failure dp 0, holdup 0,
// id -1, ierr 3 and "Unable to calculate flow regime: " with the core's
// reason. xinfo[0] is set to 1.0 either way, as BB_3 sets it.
//
// Trace, when the log is on: a block before the core,
//   " Entering HB_3", then "    usl = " ... "      p = " with each input
//   as a double,
// and one after it, once every output is written,
//   "     id = " id, " holdup = " holdup, "   ierr = " ierr,
//   "leaving HB_3 with DP=" dp.
#pragma once

#include <cstdint>
#include <string_view>

#include "wells/well_point.hpp"

namespace pipecorr::wells {

using Core = WellOutcome (*)(const WellPoint&) noexcept;

// Host pointers in, host pointers out, exactly 150 characters of errmsg.
// `name` is the export's name, for the trace.
void well_entry(std::string_view name, Core core, double* xinfo,
                const double* usl, const double* usg, const double* rol,
                const double* rog, const double* visl, const double* visg,
                const double* eps, const double* sigma, const double* diam,
                const double* fi, const double* p, double* dp, double* holdup,
                std::int32_t* id, std::int32_t* iaux, std::int32_t* ierr,
                char* errmsg);

}  // namespace pipecorr::wells
