/*
 * A minimal third-party correlation plug-in, built only for the tests of the
 * host side. It offers two correlations (link info 3) whose answers are
 * simple enough to compute by hand:
 *
 * LIN_3
 *   dp     = 100 / diam + 10 * fi                  Pa/m
 *   holdup = usl / (usl + usg)
 *   id     = 8 when usg > 10 * usl, else 7 uphill or level, 5 downhill
 *   ierr   = 3 "pressure below 1 bar" when p < 1e5 Pa (dp, holdup 0, id -1)
 * PRES_3, a gradient that follows the pressure, so a march's step rule shows
 *   dp     = p / 1000                              Pa/m
 *   holdup = usl / (usl + usg), id 7
 *
 * When usercorr.dbg exists, every export appends its name to it, so a test
 * can read back the order in which a host called them.
 *
 * Variants chosen at compile time:
 *   MINI_GHOST_ROWS      the catalogue also lists GONE_3, which is not
 *                        exported, and ODD_7, whose link info no host knows;
 *   MINI_NO_CATALOGUE    DESCRIPTN_2 is not exported at all;
 *   MINI_HOSTILE_ROWS    the catalogue names what a host must never call:
 *                        C library routines (abort, free), an interface
 *                        routine (COPYRIGHT_I), a name differing from
 *                        LIN_3 only in case, and WILD_3, whose description
 *                        carries a terminal escape sequence and whose
 *                        results are not finite (dp inf when usl > 1, else
 *                        -1e308 with ierr 0).
 */
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "pipecorr/pipecorr.h"

#if defined(_WIN32)
#define MINI_EXPORT __declspec(dllexport)
#else
#define MINI_EXPORT __attribute__((visibility("default")))
#endif

static void note_call(const char* name) {
  FILE* probe = fopen("usercorr.dbg", "rb");
  if (probe == NULL) return;
  fclose(probe);
  FILE* log = fopen("usercorr.dbg", "ab");
  if (log == NULL) return;
  fprintf(log, "%s\n", name);
  fclose(log);
}

static void put_text(char* field, size_t length, const char* text) {
  size_t used = strlen(text);
  if (used > length) used = length;
  memcpy(field, text, used);
  memset(field + used, ' ', length - used);
}

#if !defined(MINI_NO_CATALOGUE)
MINI_EXPORT void PIPECORR_CALL DESCRIPTN_2(char* names, pipecorr_len names_len,
                                           int32_t* types, char* descs,
                                           pipecorr_len descs_len,
                                           int32_t* link_info, int32_t* lines) {
  (void)names_len;
  (void)descs_len;
  note_call("DESCRIPTN_2");
  put_text(names, PIPECORR_NAME_LEN, "LIN_3");
  types[0] = 1;
  put_text(descs, PIPECORR_DESC_LEN, "Linear test correlation");
  link_info[0] = 3;
  put_text(names + PIPECORR_NAME_LEN, PIPECORR_NAME_LEN, "PRES_3");
  types[1] = 1;
  put_text(descs + PIPECORR_DESC_LEN, PIPECORR_DESC_LEN,
           "Gradient proportional to pressure");
  link_info[1] = 3;
  *lines = 2;
#if defined(MINI_GHOST_ROWS)
  put_text(names + PIPECORR_NAME_LEN, PIPECORR_NAME_LEN, "GONE_3");
  types[1] = 1;
  put_text(descs + PIPECORR_DESC_LEN, PIPECORR_DESC_LEN,
           "Listed but not exported");
  link_info[1] = 3;
  put_text(names + 2 * PIPECORR_NAME_LEN, PIPECORR_NAME_LEN, "ODD_7");
  types[2] = 1;
  put_text(descs + 2 * PIPECORR_DESC_LEN, PIPECORR_DESC_LEN,
           "An argument list no host knows");
  link_info[2] = 7;
  *lines = 3;
#endif
#if defined(MINI_HOSTILE_ROWS)
  static const char* const hostile[] = {"abort", "free", "COPYRIGHT_I", "Lin_3",
                                        "WILD_3"};
  for (int k = 0; k < 5; ++k) {
    put_text(names + (1 + k) * PIPECORR_NAME_LEN, PIPECORR_NAME_LEN,
             hostile[k]);
    types[1 + k] = 1;
    put_text(descs + (1 + k) * PIPECORR_DESC_LEN, PIPECORR_DESC_LEN,
             k == 4 ? "\033[31mred\033[0m and a bell\a" : "hostile row");
    link_info[1 + k] = 3;
  }
  *lines = 6;
#endif
}
#endif

MINI_EXPORT void PIPECORR_CALL COPYRIGHT_I(char* lines, pipecorr_len lines_len,
                                           int32_t* lines_out) {
  (void)lines_len;
  note_call("COPYRIGHT_I");
  put_text(lines, PIPECORR_LINE_LEN, "  Minimal test plug-in");
  *lines_out = 1;
}

MINI_EXPORT void PIPECORR_CALL CORR_INT_SETUP(void) {
  note_call("CORR_INT_SETUP");
}

MINI_EXPORT void PIPECORR_CALL CORR_INT_CLEANUP(void) {
  note_call("CORR_INT_CLEANUP");
}

MINI_EXPORT void PIPECORR_CALL LIN_3(
    double* xinfo, const double* usl, const double* usg, const double* rol,
    const double* rog, const double* visl, const double* visg,
    const double* eps, const double* sigma, const double* diam,
    const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
    int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len) {
  (void)rol;
  (void)rog;
  (void)visl;
  (void)visg;
  (void)eps;
  (void)sigma;
  (void)errmsg_len;
  note_call("LIN_3");
  xinfo[0] = 3.0;
  *iaux = 0;
  if (*p < 1e5) {
    *dp = 0.0;
    *holdup = 0.0;
    *id = -1;
    *ierr = 3;
    put_text(errmsg, PIPECORR_ERRMSG_LEN, "pressure below 1 bar");
    return;
  }
  *dp = 100.0 / *diam + 10.0 * *fi;
  *holdup = *usl + *usg > 0.0 ? *usl / (*usl + *usg) : 0.0;
  *id = *usg > 10.0 * *usl ? 8 : (*fi >= 0.0 ? 7 : 5);
  *ierr = 0;
  put_text(errmsg, PIPECORR_ERRMSG_LEN, "");
}

MINI_EXPORT void PIPECORR_CALL PRES_3(
    double* xinfo, const double* usl, const double* usg, const double* rol,
    const double* rog, const double* visl, const double* visg,
    const double* eps, const double* sigma, const double* diam,
    const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
    int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len) {
  (void)rol;
  (void)rog;
  (void)visl;
  (void)visg;
  (void)eps;
  (void)sigma;
  (void)diam;
  (void)fi;
  (void)errmsg_len;
  note_call("PRES_3");
  xinfo[0] = 3.0;
  *iaux = 0;
  *dp = *p / 1000.0;
  *holdup = *usl + *usg > 0.0 ? *usl / (*usl + *usg) : 0.0;
  *id = 7;
  *ierr = 0;
  put_text(errmsg, PIPECORR_ERRMSG_LEN, "");
}

#if defined(MINI_HOSTILE_ROWS)
MINI_EXPORT void PIPECORR_CALL WILD_3(
    double* xinfo, const double* usl, const double* usg, const double* rol,
    const double* rog, const double* visl, const double* visg,
    const double* eps, const double* sigma, const double* diam,
    const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
    int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len) {
  (void)usg;
  (void)rol;
  (void)rog;
  (void)visl;
  (void)visg;
  (void)eps;
  (void)sigma;
  (void)diam;
  (void)fi;
  (void)p;
  (void)errmsg_len;
  xinfo[0] = 3.0;
  *iaux = 0;
  *dp = *usl > 1.0 ? HUGE_VAL : -1e308;
  *holdup = 0.5;
  *id = 7;
  *ierr = 0;
  put_text(errmsg, PIPECORR_ERRMSG_LEN, "");
}
#endif
