// libpipecorr_wells' export table: the five exports every plug-in shares
// and one double-precision entry per correlation, each behind the
// floating-point guard. No physics here.
//
// DR_3 (Duns & Ros) is not exported yet: its core and tests are in
// src/wells, but the chart tables it reads are provisional (not entered
// from a published digitisation of Duns & Ros' charts), and a host must not
// be offered numbers from them.
#include "exports/correlation_boundary.hpp"
#include "exports/interface_exports.hpp"
#include "exports/pipecorr_wells_plugin.hpp"
#include "pipecorr/pipecorr.h"
#include "wells/ansari.hpp"
#include "wells/gray.hpp"
#include "wells/hagedorn_brown.hpp"
#include "wells/mukherjee_brill.hpp"
#include "wells_entry/well_entry.hpp"

using pipecorr::exports::correlation_at_boundary;
using pipecorr::exports::wells_plugin::kPlugin;

extern "C" {

PIPECORR_INTERFACE_EXPORTS(kPlugin)

// One export per correlation, all alike but for the name and the core.
#define PIPECORR_WELL_ENTRY(NAME, CORE)                                        \
  PIPECORR_API void PIPECORR_CALL NAME(                                        \
      double* xinfo, const double* usl, const double* usg, const double* rol,  \
      const double* rog, const double* visl, const double* visg,               \
      const double* eps, const double* sigma, const double* diam,              \
      const double* fi, const double* p, double* dp, double* holdup,           \
      int32_t* id, int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len) { \
    correlation_at_boundary<double>(                                           \
        {dp, holdup, id, iaux, ierr, errmsg}, [&] {                            \
          pipecorr::wells::well_entry(#NAME, CORE, xinfo, usl, usg, rol, rog,  \
                                      visl, visg, eps, sigma, diam, fi, p, dp, \
                                      holdup, id, iaux, ierr, errmsg);         \
        });                                                                    \
  }

PIPECORR_WELL_ENTRY(HB_3, pipecorr::wells::hagedorn_brown)
PIPECORR_WELL_ENTRY(GRAY_3, pipecorr::wells::gray)
PIPECORR_WELL_ENTRY(MB_3, pipecorr::wells::mukherjee_brill)
PIPECORR_WELL_ENTRY(ANSARI_3, pipecorr::wells::ansari)

}  // extern "C"
