/*
 * A small third-party plug-in that keeps every promise of the interface,
 * built for the tests of `pipecorr check`; each variant macro breaks one
 * promise, the way real plug-ins break them.
 *
 * HOMOG_3 (double list) and HOMOG_2 (single list): a homogeneous no-slip
 * model. Inputs outside a generous domain, no flow, and any result that
 * would not be finite give the failure result (ierr 3). The work runs in
 * a masked floating-point environment of its own, and the host's is put
 * back exactly.
 *
 * Variants (each breaks HOMOG_3 or the catalogue only):
 *   CONF_LIBC_ROW          the catalogue also names "free", a C library
 *                          routine the plug-in does not define
 *   CONF_LEAVES_INVALID    restores the host's control word but keeps the
 *                          flags it raised: sqrt of a negative leaves
 *                          "invalid" set
 *   CONF_SETS_ROUNDING     leaves the rounding mode upward
 *   CONF_NAN_RESULT        dp NaN with ierr 0 when the gas dominates
 *   CONF_ERRMSG_OVERRUN    blank-pads errmsg to 151 characters
 *   CONF_ERRMSG_UNPADDED   writes errmsg as a C string, not blank-padded
 *   CONF_HIDDEN_COUNTER    dp drifts with the number of calls made
 *   CONF_CRASH_ON_NAN      writes through a null pointer when usl is NaN
 *   CONF_HANG_ON_ZERO_DIAM loops forever when diam is 0
 */
#include <fenv.h>
#include <float.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <xmmintrin.h>

#include "pipecorr/pipecorr.h"

#if defined(_WIN32)
#define CONF_EXPORT __declspec(dllexport)
#else
#define CONF_EXPORT __attribute__((visibility("default")))
#endif

static int g_log_on = 0;

static void put_text(char* field, size_t length, const char* text) {
  size_t used = strlen(text);
  if (used > length) used = length;
  memcpy(field, text, used);
  memset(field + used, ' ', length - used);
}

static void note(const char* text) {
  if (!g_log_on) return;
  FILE* log = fopen("usercorr.dbg", "ab");
  if (log == NULL) return;
  fprintf(log, "%s\n", text);
  fclose(log);
}

CONF_EXPORT void PIPECORR_CALL DESCRIPTN_2(char* names, pipecorr_len names_len,
                                           int32_t* types, char* descs,
                                           pipecorr_len descs_len,
                                           int32_t* link_info, int32_t* lines) {
  (void)names_len;
  (void)descs_len;
  put_text(names, PIPECORR_NAME_LEN, "HOMOG_3");
  put_text(descs, PIPECORR_DESC_LEN, "Homogeneous no-slip model");
  types[0] = 1;
  link_info[0] = 3;
  put_text(names + PIPECORR_NAME_LEN, PIPECORR_NAME_LEN, "HOMOG_2");
  put_text(descs + PIPECORR_DESC_LEN, PIPECORR_DESC_LEN,
           "Homogeneous no-slip model, single precision");
  types[1] = 1;
  link_info[1] = 2;
  *lines = 2;
#if defined(CONF_LIBC_ROW)
  put_text(names + 2 * PIPECORR_NAME_LEN, PIPECORR_NAME_LEN, "free");
  put_text(descs + 2 * PIPECORR_DESC_LEN, PIPECORR_DESC_LEN,
           "Listed by mistake");
  types[2] = 1;
  link_info[2] = 3;
  *lines = 3;
#endif
}

CONF_EXPORT void PIPECORR_CALL COPYRIGHT_I(char* lines, pipecorr_len lines_len,
                                           int32_t* lines_out) {
  (void)lines_len;
  put_text(lines, PIPECORR_LINE_LEN, "  Conformance test plug-in");
  put_text(lines + PIPECORR_LINE_LEN, PIPECORR_LINE_LEN, "  version 1");
  *lines_out = 2;
}

CONF_EXPORT void PIPECORR_CALL CORR_INT_SETUP(void) {
  FILE* probe = fopen("usercorr.dbg", "rb");
  g_log_on = probe != NULL;
  if (probe != NULL) fclose(probe);
  note("setup");
}

CONF_EXPORT void PIPECORR_CALL CORR_INT_CLEANUP(void) { note("cleanup"); }

struct Result {
  double dp;
  double holdup;
  int32_t id;
  const char* reason; /* NULL on success */
};

static int within(double value, double low, double high) {
  return value >= low && value <= high; /* false for NaN */
}

/* The model, in the plug-in's own environment. */
static struct Result homogeneous(const double in[11]) {
  struct Result r = {0.0, 0.0, -1, NULL};
  static const double low[11] = {0, 0, 100,  0.01, 1e-6, 1e-7,
                                 0, 0, 1e-3, -90,  0};
  static const double high[11] = {100, 300, 2000, 500, 10, 0.1,
                                  0.1, 1,   10,   90,  1e9};
  for (int k = 0; k < 11; ++k) {
    if (!within(in[k], low[k], high[k])) {
      r.reason = "an input is outside the model's domain";
      return r;
    }
  }
  const double usl = in[0], usg = in[1], um = usl + usg;
  if (!(um > 0.0)) {
    r.reason = "no flow";
    return r;
  }
  const double lambda = usl / um;
  const double rho = lambda * in[2] + (1.0 - lambda) * in[3];
  const double mu = lambda * in[4] + (1.0 - lambda) * in[5];
  const double re = rho * um * in[8] / mu;
  const double f = re < 2000.0 ? 64.0 / re : 0.316 / pow(re, 0.25);
  const double pi = 3.14159265358979323846;
  r.dp = rho * 9.80665 * sin(in[9] * pi / 180.0) +
         f * rho * um * um / (2.0 * in[8]);
  r.holdup = lambda;
  r.id = lambda < 0.2 ? 8 : 7;
  if (!(fabs(r.dp) <= DBL_MAX)) { /* not finite */
    r.dp = 0.0;
    r.holdup = 0.0;
    r.id = -1;
    r.reason = "the gradient is not finite";
  }
  return r;
}

/* The work of every call runs in a masked environment of its own, from
 * before the first look at an input to after the last output is rounded;
 * the host's state is put back at the end. The C library's environment
 * calls cover the x87 unit; MXCSR is saved and set directly, since not
 * every C library's feholdexcept masks the SSE exceptions. */
struct HostState {
  fenv_t env;
  unsigned mxcsr;
};

static void enter_own_environment(struct HostState* host) {
  host->mxcsr = _mm_getcsr();
  feholdexcept(&host->env);
  fesetround(FE_TONEAREST);
  _mm_setcsr(0x1F80); /* all masked, nearest, no flags */
}

/* `faulty`: the variant's fault applies (HOMOG_3 only). */
static void leave_own_environment(const struct HostState* host, int faulty) {
  const unsigned raised = _mm_getcsr() & 0x3F;
  fesetenv(&host->env);
  _mm_setcsr(host->mxcsr);
  (void)raised;
  (void)faulty;
#if defined(CONF_LEAVES_INVALID)
  /* Puts back the host's control bits but keeps the invalid flag. */
  if (faulty) _mm_setcsr(host->mxcsr | (raised & 0x01));
#endif
#if defined(CONF_SETS_ROUNDING)
  if (faulty) fesetround(FE_UPWARD);
#endif
}

static void write_message(char* errmsg, const char* text) {
#if defined(CONF_ERRMSG_UNPADDED)
  strcpy(errmsg, text);
#elif defined(CONF_ERRMSG_OVERRUN)
  put_text(errmsg, PIPECORR_ERRMSG_LEN + 1, text);
#else
  put_text(errmsg, PIPECORR_ERRMSG_LEN, text);
#endif
}

CONF_EXPORT void PIPECORR_CALL HOMOG_3(
    double* xinfo, const double* usl, const double* usg, const double* rol,
    const double* rog, const double* visl, const double* visg,
    const double* eps, const double* sigma, const double* diam,
    const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
    int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len) {
  (void)errmsg_len;
  struct HostState host;
  enter_own_environment(&host);
#if defined(CONF_CRASH_ON_NAN)
  if (*usl != *usl) { /* NaN */
    /* A table index computed from the input, far outside the table. */
    volatile uintptr_t address = 16;
    *(volatile int*)address = 1;
  }
#endif
#if defined(CONF_HANG_ON_ZERO_DIAM)
  for (volatile int spin = 0; *diam == 0.0; spin = spin + 1) {
  }
#endif
  const double in[11] = {*usl, *usg,   *rol,  *rog, *visl, *visg,
                         *eps, *sigma, *diam, *fi,  *p};
  struct Result r = homogeneous(in);
#if defined(CONF_NAN_RESULT)
  if (r.reason == NULL && *usg > 10.0 * *usl) r.dp = NAN;
#endif
#if defined(CONF_HIDDEN_COUNTER)
  static int calls = 0;
  if (r.reason == NULL) r.dp += 1e-9 * ++calls;
#endif
  xinfo[0] = 1.0;
  *iaux = 0;
  *dp = r.dp;
  *holdup = r.holdup;
  *id = r.id;
  *ierr = r.reason == NULL ? 0 : 3;
  write_message(errmsg, r.reason == NULL ? "" : r.reason);
#if defined(CONF_LEAVES_INVALID)
  volatile double check = sqrt(r.holdup - 2.0); /* NaN: raises invalid */
  (void)check;
#endif
  leave_own_environment(&host, 1);
  note("HOMOG_3");
}

CONF_EXPORT void PIPECORR_CALL
HOMOG_2(float* xinfo, const float* usl, const float* usg, const float* rol,
        const float* rog, const float* visl, const float* visg,
        const float* eps, const float* sigma, const float* diam,
        const float* fi, const float* p, float* dp, float* holdup, int32_t* id,
        int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len) {
  (void)errmsg_len;
  struct HostState host;
  enter_own_environment(&host);
  const double in[11] = {*usl, *usg,   *rol,  *rog, *visl, *visg,
                         *eps, *sigma, *diam, *fi,  *p};
  struct Result r = homogeneous(in);
  /* A gradient beyond a float's range is a failure too. */
  if (r.reason == NULL && !(fabs(r.dp) < 3.0e38)) {
    r.dp = 0.0;
    r.holdup = 0.0;
    r.id = -1;
    r.reason = "the gradient is beyond single precision";
  }
  xinfo[0] = 1.0f;
  *iaux = 0;
  *dp = (float)r.dp;
  *holdup = (float)r.holdup;
  *id = r.id;
  *ierr = r.reason == NULL ? 0 : 3;
  put_text(errmsg, PIPECORR_ERRMSG_LEN, r.reason == NULL ? "" : r.reason);
  leave_own_environment(&host, 0);
  note("HOMOG_2");
}
