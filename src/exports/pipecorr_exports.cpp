// libpipecorr's export table: each export adapts the host's arguments and
// runs the routine behind the floating-point guard. No physics here.
#include "pipecorr/pipecorr.h"

#include "adapter/Orba_3.hpp"
#include "beggs_brill/Bb_2.hpp"
#include "beggs_brill/Bb_3.hpp"
#include "exports/correlation_boundary.hpp"
#include "exports/interface_exports.hpp"
#include "exports/pipecorr_plugin.hpp"

using pipecorr::exports::correlation_at_boundary;
using pipecorr::exports::libpipecorr::kPlugin;

extern "C" {

PIPECORR_INTERFACE_EXPORTS(kPlugin)

PIPECORR_API void PIPECORR_CALL
BB_2(float* xinfo, const float* usl, const float* usg, const float* rol,
     const float* rog, const float* visl, const float* visg, const float* eps,
     const float* sigma, const float* diam, const float* fi, const float* p,
     float* dp, float* holdup, int32_t* id, int32_t* iaux, int32_t* ierr,
     char* errmsg, pipecorr_len) {
  correlation_at_boundary<float>({dp, holdup, id, iaux, ierr, errmsg}, [&] {
    pipecorr::bb::bb_2(xinfo, usl, usg, rol, rog, visl, visg, eps, sigma, diam,
                       fi, p, dp, holdup, id, iaux, ierr, errmsg);
  });
}

PIPECORR_API void PIPECORR_CALL
BB_3(double* xinfo, const double* usl, const double* usg, const double* rol,
     const double* rog, const double* visl, const double* visg,
     const double* eps, const double* sigma, const double* diam,
     const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
     int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len) {
  correlation_at_boundary<double>({dp, holdup, id, iaux, ierr, errmsg}, [&] {
    pipecorr::bb::bb_3(xinfo, usl, usg, rol, rog, visl, visg, eps, sigma, diam,
                       fi, p, dp, holdup, id, iaux, ierr, errmsg);
  });
}

PIPECORR_API void PIPECORR_CALL
ORBA_3(double* xinfo, const double* usl, const double* usg, const double* rol,
       const double* rog, const double* visl, const double* visg,
       const double* eps, const double* sigma, const double* diam,
       const double* fi, const double* p, double* dp, double* holdup,
       int32_t* id, int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len) {
  correlation_at_boundary<double>({dp, holdup, id, iaux, ierr, errmsg}, [&] {
    pipecorr::orba::orba_3(xinfo, usl, usg, rol, rog, visl, visg, eps, sigma,
                           diam, fi, p, dp, holdup, id, iaux, ierr, errmsg);
  });
}

}  // extern "C"
