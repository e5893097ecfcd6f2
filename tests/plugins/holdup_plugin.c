/*
 * A third-party plug-in whose correlations answer ierr 0 with a holdup no
 * liquid fraction can be, built only for the tests of the host side. The
 * gradient is that of the minimal plug-in's LIN_3, so a march could go on
 * if a host took the holdup for a result:
 *
 *   dp = 100 / diam + 10 * fi  Pa/m,  id 7,  ierr 0
 *
 * OVER_3  (double precision)  holdup 1.5
 * UNDER_2 (single precision)  holdup -0.25
 * EDGE_3  (double precision)  holdup 1 when usl > usg, else 0: the ends of
 *                             the range, which are results
 */
#include <string.h>

#include "pipecorr/pipecorr.h"

#if defined(_WIN32)
#define HOLDUP_EXPORT __declspec(dllexport)
#else
#define HOLDUP_EXPORT __attribute__((visibility("default")))
#endif

static void put_text(char* field, size_t length, const char* text) {
  size_t used = strlen(text);
  if (used > length) used = length;
  memcpy(field, text, used);
  memset(field + used, ' ', length - used);
}

static void row(char* names, int32_t* types, char* descs, int32_t* link_info,
                int k, const char* name, const char* desc, int32_t link) {
  put_text(names + k * PIPECORR_NAME_LEN, PIPECORR_NAME_LEN, name);
  put_text(descs + k * PIPECORR_DESC_LEN, PIPECORR_DESC_LEN, desc);
  types[k] = 1;
  link_info[k] = link;
}

HOLDUP_EXPORT void PIPECORR_CALL
DESCRIPTN_2(char* names, pipecorr_len names_len, int32_t* types, char* descs,
            pipecorr_len descs_len, int32_t* link_info, int32_t* lines) {
  (void)names_len;
  (void)descs_len;
  row(names, types, descs, link_info, 0, "OVER_3", "Holdup 1.5 with ierr 0", 3);
  row(names, types, descs, link_info, 1, "UNDER_2",
      "Holdup -0.25 with ierr 0, single precision", 2);
  row(names, types, descs, link_info, 2, "EDGE_3", "Holdup exactly 0 or 1", 3);
  *lines = 3;
}

HOLDUP_EXPORT void PIPECORR_CALL CORR_INT_SETUP(void) {}
HOLDUP_EXPORT void PIPECORR_CALL CORR_INT_CLEANUP(void) {}

#define HOLDUP_ARGUMENTS(real)                                              \
  real *xinfo, const real *usl, const real *usg, const real *rol,           \
      const real *rog, const real *visl, const real *visg, const real *eps, \
      const real *sigma, const real *diam, const real *fi, const real *p,   \
      real *dp, real *holdup, int32_t *id, int32_t *iaux, int32_t *ierr,    \
      char *errmsg, pipecorr_len errmsg_len

#define HOLDUP_UNUSED() \
  (void)rol;            \
  (void)rog;            \
  (void)visl;           \
  (void)visg;           \
  (void)eps;            \
  (void)sigma;          \
  (void)p;              \
  (void)errmsg_len

HOLDUP_EXPORT void PIPECORR_CALL OVER_3(HOLDUP_ARGUMENTS(double)) {
  HOLDUP_UNUSED();
  (void)usl;
  (void)usg;
  xinfo[0] = 3.0;
  *dp = 100.0 / *diam + 10.0 * *fi;
  *holdup = 1.5;
  *id = 7;
  *iaux = 0;
  *ierr = 0;
  put_text(errmsg, PIPECORR_ERRMSG_LEN, "");
}

HOLDUP_EXPORT void PIPECORR_CALL UNDER_2(HOLDUP_ARGUMENTS(float)) {
  HOLDUP_UNUSED();
  (void)usl;
  (void)usg;
  xinfo[0] = 2.0f;
  *dp = 100.0f / *diam + 10.0f * *fi;
  *holdup = -0.25f;
  *id = 7;
  *iaux = 0;
  *ierr = 0;
  put_text(errmsg, PIPECORR_ERRMSG_LEN, "");
}

HOLDUP_EXPORT void PIPECORR_CALL EDGE_3(HOLDUP_ARGUMENTS(double)) {
  HOLDUP_UNUSED();
  xinfo[0] = 3.0;
  *dp = 100.0 / *diam + 10.0 * *fi;
  *holdup = *usl > *usg ? 1.0 : 0.0;
  *id = 7;
  *iaux = 0;
  *ierr = 0;
  put_text(errmsg, PIPECORR_ERRMSG_LEN, "");
}
