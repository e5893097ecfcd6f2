// ORBA_3: the host's entry to the external ORBA correlation, with the
// engine's TWPC20 bound inside the adapter. The export layer needs neither
// the engine's header nor its symbol.
#pragma once

#include <cstdint>

namespace pipecorr::orba {

// Host pointers in, host pointers out, exactly 150 characters of errmsg.
// Whatever the engine throws passes through to the export's boundary.
void orba_3(double* xinfo, const double* usl, const double* usg,
            const double* rol, const double* rog, const double* visl,
            const double* visg, const double* eps, const double* sigma,
            const double* diam, const double* fi, const double* p, double* dp,
            double* holdup, std::int32_t* id, std::int32_t* iaux,
            std::int32_t* ierr, char* errmsg);

}  // namespace pipecorr::orba
