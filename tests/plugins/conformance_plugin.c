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
 *   CONF_THROWS            from the 101st call in a process on, odd calls
 *                          let a C++ exception out of the entry and even
 *                          calls return dp NaN, holdup 5 with ierr 0
 *   CONF_NO_ID_IAUX        leaves id and iaux unwritten on success
 *   CONF_FORKS_SLEEPER     the first call in a process starts a process
 *                          that sleeps 100 s holding what it inherits,
 *                          and appends its process id to the file named
 *                          by CONF_SLEEPER_PIDS
 *   CONF_SLOW              each call takes 4 ms
 *   CONF_FORGES_END        the first call in a process writes a record
 *                          stream of its own (every check passed, then
 *                          the end) into the check's record pipe and exits
 *
 * Late faults, each only in the plug-in's second run in a process (with
 * CONF_IN_SECOND_RUN: the check's timed calls) or only with the debug log
 * on (CONF_WITH_LOG):
 *   CONF_LATE_FLAGS        leaves the invalid flag raised
 *   CONF_LATE_DP1          writes dp[1]
 *   CONF_LATE_NAN          dp NaN, holdup 7 with ierr 0
 *   CONF_LATE_NUL          a NUL in errmsg
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

#if defined(CONF_FORKS_SLEEPER) || defined(CONF_FORGES_END) || \
    defined(CONF_SLOW)
#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#endif
#include <stdlib.h>
#endif

#if defined(CONF_THROWS)
/* conformance_throw.cpp: throws a C++ exception. */
void conf_throw(void);
#endif

static int g_log_on = 0;
static int g_setups = 0;
static int g_late = 0; /* the late fault applies in this run */

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
  ++g_setups;
#if defined(CONF_IN_SECOND_RUN)
  g_late = g_setups == 2;
#elif defined(CONF_WITH_LOG)
  g_late = g_log_on;
#endif
  note("setup");
}

CONF_EXPORT void PIPECORR_CALL CORR_INT_CLEANUP(void) {
  g_late = 0;
  note("cleanup");
}

#if defined(CONF_FORKS_SLEEPER)
/* A process that outlives the call, holding whatever it inherits. */
static void start_sleeper(void) {
  const char* list = getenv("CONF_SLEEPER_PIDS");
  char line[32];
#if defined(_WIN32)
  /* The host program again, reading a pipe nobody ever writes. */
  char self[MAX_PATH];
  char command[MAX_PATH + 16];
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
  HANDLE never_read = NULL;
  HANDLE never_written = NULL;
  STARTUPINFOA startup;
  PROCESS_INFORMATION process;
  GetModuleFileNameA(NULL, self, MAX_PATH);
  snprintf(command, sizeof command, "\"%s\" batch -", self);
  CreatePipe(&never_read, &never_written, &inherit, 0);
  memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = never_read;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  if (!CreateProcessA(self, command, NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL,
                      NULL, &startup, &process)) {
    return;
  }
  snprintf(line, sizeof line, "%lu\n", (unsigned long)process.dwProcessId);
#else
  const pid_t pid = fork();
  if (pid == 0) {
    struct timespec rest = {100, 0};
    nanosleep(&rest, NULL);
    _exit(0);
  }
  if (pid < 0) return;
  snprintf(line, sizeof line, "%ld\n", (long)pid);
#endif
  if (list != NULL) {
    FILE* out = fopen(list, "ab");
    if (out != NULL) {
      fputs(line, out);
      fclose(out);
    }
  }
}
#endif

#if defined(CONF_FORGES_END)
/* What a plug-in could write to pass for a finished job. */
static const char kForged[] =
    "@pipecorr-check\tcheck\tHOMOG_3\treturns\tpassed\tall returned\t1\t0\n"
    "@pipecorr-check\tcheck\tHOMOG_3\tresult\tpassed\tfine\t1\t0\n"
    "@pipecorr-check\tend\n";

static void forge_end(void) {
#if defined(_WIN32)
  /* The record pipe's handle is on the child's command line. */
  const char* at = strstr(GetCommandLineA(), "--record-handle ");
  DWORD written = 0;
  if (at == NULL) return;
  HANDLE pipe = (HANDLE)(uintptr_t)strtoull(at + 16, NULL, 10);
  WriteFile(pipe, kForged, sizeof kForged - 1, &written, NULL);
  ExitProcess(0);
#else
  /* The check's record pipe: the one write-only, close-on-exec pipe; any
   * other descriptor the process inherited is left alone. */
  for (int fd = 3; fd < 256; ++fd) {
    struct stat about;
    if (fstat(fd, &about) != 0 || !S_ISFIFO(about.st_mode)) continue;
    if ((fcntl(fd, F_GETFL) & O_ACCMODE) != O_WRONLY) continue;
    if ((fcntl(fd, F_GETFD) & FD_CLOEXEC) == 0) continue;
    if (write(fd, kForged, sizeof kForged - 1) < 0) continue;
  }
  _exit(0);
#endif
}
#endif

#if defined(CONF_SLOW)
static void pause_a_little(void) {
#if defined(_WIN32)
  Sleep(4);
#else
  struct timespec rest = {0, 4000000};
  nanosleep(&rest, NULL);
#endif
}
#endif

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
#if defined(CONF_LATE_FLAGS)
  if (faulty && g_late) _mm_setcsr(_mm_getcsr() | 0x01);
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
#if defined(CONF_FORKS_SLEEPER)
  static int started = 0;
  if (!started) {
    started = 1;
    start_sleeper();
  }
#endif
#if defined(CONF_FORGES_END)
  forge_end();
#endif
#if defined(CONF_SLOW)
  pause_a_little();
#endif
  static long calls = 0;
  ++calls;
#if defined(CONF_THROWS)
  if (calls > 100 && calls % 2 == 1) conf_throw();
#endif
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
  if (r.reason == NULL) r.dp += 1e-9 * (double)calls;
#endif
#if defined(CONF_THROWS)
  if (calls > 100) {
    r.dp = NAN;
    r.holdup = 5.0;
    r.reason = NULL;
  }
#endif
#if defined(CONF_LATE_NAN)
  if (g_late) {
    r.dp = NAN;
    r.holdup = 7.0;
    r.reason = NULL;
  }
#endif
  xinfo[0] = 1.0;
#if defined(CONF_NO_ID_IAUX)
  if (r.reason != NULL) {
    *iaux = 0;
    *id = r.id;
  }
#else
  *iaux = 0;
  *id = r.id;
#endif
  *dp = r.dp;
  *holdup = r.holdup;
  *ierr = r.reason == NULL ? 0 : 3;
  write_message(errmsg, r.reason == NULL ? "" : r.reason);
#if defined(CONF_LATE_DP1)
  if (g_late) dp[1] = 0.0;
#endif
#if defined(CONF_LATE_NUL)
  if (g_late) errmsg[10] = '\0';
#endif
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
