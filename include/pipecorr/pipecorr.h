/*
 * pipecorr: two-phase pipe-flow correlations as a host plug-in.
 *
 * A host loads the library, asks DESCRIPTN_2 which correlations exist, calls
 * CORR_INT_SETUP at the start of a run, one correlation entry per calculation
 * point, and CORR_INT_CLEANUP at the end of the run.
 *
 * Conventions shared by every export:
 *  - every argument is passed by reference (a pointer), except the length
 *    that follows each text argument, which is passed by value and never read;
 *  - texts are fixed-length, blank-padded on the right, with no terminator;
 *    the library always writes the full declared length (40, 80 or 150);
 *  - no export returns a value; results are written through the pointers;
 *  - 32-bit x86 builds use __stdcall (the callee pops its arguments); define
 *    PIPECORR_CALL before including this header to override.
 *  - calls must not overlap: the library takes no lock.
 *
 * Host units are SI, inclination in degrees from horizontal (positive uphill
 * along the flow). The gradient dp is positive when pressure falls along the
 * flow.
 *
 * docs/host-guide.md says what every output holds on success and on
 * failure, ORBA_3's ranges and diagnostic request, and how to link.
 */
#ifndef PIPECORR_PIPECORR_H
#define PIPECORR_PIPECORR_H

#include <stdint.h>

#ifndef PIPECORR_CALL
#if defined(__i386__) || defined(_M_IX86)
#if defined(_MSC_VER)
#define PIPECORR_CALL __stdcall
#else
#define PIPECORR_CALL __attribute__((stdcall))
#endif
#else
#define PIPECORR_CALL
#endif
#endif

#ifndef PIPECORR_API
#if defined(_WIN32)
#define PIPECORR_API
#else
#define PIPECORR_API __attribute__((visibility("default")))
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Length words that follow text arguments. Passed by value, never read. */
typedef int32_t pipecorr_len;

/* Fixed text lengths written by the library. */
#define PIPECORR_NAME_LEN 40    /* catalogue names */
#define PIPECORR_DESC_LEN 80    /* catalogue descriptions */
#define PIPECORR_LINE_LEN 80    /* identification lines */
#define PIPECORR_ERRMSG_LEN 150 /* errmsg of every correlation entry */

/* Catalogue link info: which argument list the named entry takes. */
#define PIPECORR_LINK_SINGLE 2 /* BB_2: single-precision reals */
#define PIPECORR_LINK_DOUBLE 3 /* every _3 entry: double-precision reals */

/* Error codes returned in ierr. 3 is the one failure code: no flow pattern,
 * an input outside the correlation's domain, or a result that would not be
 * finite. The failure result is dp 0, holdup 0, id -1, iaux 0 and the
 * reason in errmsg. */
#define PIPECORR_OK 0
#define PIPECORR_NO_FLOW_REGIME 3

/* Flow-pattern codes returned in id by the Beggs & Brill entries (the
 * first plug-in, pipecorr). */
#define PIPECORR_PATTERN_NONE (-1)
#define PIPECORR_PATTERN_SEGREGATED 5
#define PIPECORR_PATTERN_TRANSITION 6
#define PIPECORR_PATTERN_INTERMITTENT 7
#define PIPECORR_PATTERN_DISTRIBUTED 8

/* Flow-pattern codes returned in id by the well correlations of the second
 * plug-in (pipecorr_wells). Single-phase points of any of them: */
#define PIPECORR_PATTERN_LIQUID_ONLY 17
#define PIPECORR_PATTERN_GAS_ONLY 18
/* HB_3, Hagedorn & Brown modified: Griffith & Wallis bubble flow, or the
 * Hagedorn & Brown holdup. */
#define PIPECORR_PATTERN_HB_BUBBLE 19
#define PIPECORR_PATTERN_HB_SLUG 20
/* DR_3, Duns & Ros. */
#define PIPECORR_PATTERN_DR_BUBBLE 21
#define PIPECORR_PATTERN_DR_SLUG 22
#define PIPECORR_PATTERN_DR_TRANSITION 23
#define PIPECORR_PATTERN_DR_MIST 24
/* GRAY_3, Gray: one pattern. */
#define PIPECORR_PATTERN_GRAY 25
/* MB_3, Mukherjee & Brill. */
#define PIPECORR_PATTERN_MB_BUBBLE 26
#define PIPECORR_PATTERN_MB_SLUG 27
#define PIPECORR_PATTERN_MB_ANNULAR 28
#define PIPECORR_PATTERN_MB_STRATIFIED 29
/* ANSARI_3, Ansari et al. */
#define PIPECORR_PATTERN_ANSARI_BUBBLE 30
#define PIPECORR_PATTERN_ANSARI_DISPERSED_BUBBLE 31
#define PIPECORR_PATTERN_ANSARI_SLUG 32
#define PIPECORR_PATTERN_ANSARI_ANNULAR 33

/* ORBA_3 returns in id the host code of the engine's flow-pattern number
 * 1 to 10: element k-1 of this table for engine pattern k. */
#define PIPECORR_ENGINE_PATTERNS 10
/* Kept off the formatter, which would split the list and pad its braces,
 * changing the spelling of the macro that hosts may quote or stringify. */
/* clang-format off */
#define PIPECORR_ENGINE_PATTERN_CODES {9, 10, 11, 2, 12, 13, 14, 4, 15, 16}
/* clang-format on */

/* ORBA_3's diagnostic request: a host that sets xinfo[0] to this value
 * before the call (any value strictly between -1000 and -998 does) gets
 * the engine's whole output vector in xinfo[0..69]. */
#define PIPECORR_XINFO_REQUEST (-999.0)
#define PIPECORR_ENGINE_VECTOR_LEN 70
/* xinfo[0] on return from BB_2/BB_3, and from ORBA_3 without the request
 * (2.1 rounded to single precision). */
#define PIPECORR_XINFO_BEGGS_BRILL 1.0
#define PIPECORR_XINFO_ORBA 2.0999999046325684

/*
 * DESCRIPTN_2: the catalogue of correlations (3 rows; pipecorr_wells: 4
 * rows, all link info 3, so provide 4 elements there).
 *   names[3*40]   out  entry-point names, 40 characters each
 *   types[3]      out  1 for every row
 *   descs[3*80]   out  one-line descriptions, 80 characters each
 *   link_info[3]  out  2: single-precision argument list; 3: double-precision
 *   lines         out  number of rows written (3)
 * Elements past the third are left untouched.
 */
PIPECORR_API void PIPECORR_CALL DESCRIPTN_2(char* names, pipecorr_len names_len,
                                            int32_t* types, char* descs,
                                            pipecorr_len descs_len,
                                            int32_t* link_info, int32_t* lines);

/*
 * COPYRIGHT_I / COPYRIGHT_E: eight identification lines of 80 characters
 * each (they differ in line 3 only). lines_out receives 8. Elements past
 * the eighth are left untouched.
 */
PIPECORR_API void PIPECORR_CALL COPYRIGHT_I(char* lines, pipecorr_len lines_len,
                                            int32_t* lines_out);
PIPECORR_API void PIPECORR_CALL COPYRIGHT_E(char* lines, pipecorr_len lines_len,
                                            int32_t* lines_out);

/*
 * CORR_INT_SETUP: start of a run. Turns the debug log on when a file named
 * usercorr.dbg (pipecorr_wells: pipecorr_wells.dbg) exists in the working
 * directory (and empties it, writing a time-stamped header), off otherwise.
 * Never creates the file. CORR_INT_CLEANUP: end of a run; appends one line when
 * the log is on.
 */
PIPECORR_API void PIPECORR_CALL CORR_INT_SETUP(void);
PIPECORR_API void PIPECORR_CALL CORR_INT_CLEANUP(void);

/*
 * Correlation entries: 18 references and the length of errmsg (19 stack
 * words). BB_2 takes single-precision reals, BB_3 and ORBA_3 double.
 *   xinfo   in/out  BB_2/BB_3 set xinfo[0] = 1. ORBA_3: see below.
 *   usl     in      superficial liquid velocity, m/s
 *   usg     in      superficial gas velocity, m/s
 *   rol     in      liquid density, kg/m3
 *   rog     in      gas density, kg/m3
 *   visl    in      liquid viscosity, Pa s
 *   visg    in      gas viscosity, Pa s
 *   eps     in      absolute wall roughness, m
 *   sigma   in      surface tension, N/m
 *   diam    in      inside diameter, m
 *   fi      in      inclination, degrees from horizontal, positive uphill
 *   p       in      pressure, Pa (BB_2, BB_3, ORBA_3, GRAY_3, MB_3,
 *                   ANSARI_3: traced only, no result depends on it;
 *                   HB_3 reads it, in its viscosity number's correction)
 *   dp      out     pressure gradient, Pa/m, positive when pressure falls
 *   holdup  out     liquid holdup, fraction
 *   id      out     flow-pattern code: PIPECORR_PATTERN_* for Beggs & Brill;
 *                   ORBA_3 PIPECORR_ENGINE_PATTERN_CODES (-1 when none)
 *   iaux    out     always 0
 *   ierr    out     0 success; 3 no flow pattern, an input outside the
 *                   domain, or a result that would not be finite
 *   errmsg  out     150 characters, blank-padded message
 * On failure dp and holdup are 0 and id is -1; a result is never NaN or
 * infinite.
 * ORBA_3: when -1000 < xinfo[0] < -998 the engine's 70 outputs are copied
 * into xinfo[0..69] (the host must provide 70 elements; 70 zeros when the
 * engine was not called for the point); otherwise xinfo[0] is set to 2.1f
 * widened to double. Re-arm the request before every call. ORBA_3 clamps
 * its inputs silently into the engine's ranges (docs/host-guide.md).
 */
PIPECORR_API void PIPECORR_CALL
BB_2(float* xinfo, const float* usl, const float* usg, const float* rol,
     const float* rog, const float* visl, const float* visg, const float* eps,
     const float* sigma, const float* diam, const float* fi, const float* p,
     float* dp, float* holdup, int32_t* id, int32_t* iaux, int32_t* ierr,
     char* errmsg, pipecorr_len errmsg_len);

PIPECORR_API void PIPECORR_CALL
BB_3(double* xinfo, const double* usl, const double* usg, const double* rol,
     const double* rog, const double* visl, const double* visg,
     const double* eps, const double* sigma, const double* diam,
     const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
     int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len);

PIPECORR_API void PIPECORR_CALL ORBA_3(
    double* xinfo, const double* usl, const double* usg, const double* rol,
    const double* rog, const double* visl, const double* visg,
    const double* eps, const double* sigma, const double* diam,
    const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
    int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len);

/*
 * The correlation entries of the second plug-in, pipecorr_wells
 * (libpipecorr_wells.so, pipecorr_wells.dll): BB_3's argument list, SI
 * units, xinfo[0] = 1 on return, id one of PIPECORR_PATTERN_LIQUID_ONLY to
 * PIPECORR_PATTERN_ANSARI_ANNULAR. No acceleration term in dp. ANSARI_3
 * hands downward flow (fi < 0) over to MB_3. It exports DESCRIPTN_2,
 * COPYRIGHT_I/_E and CORR_INT_SETUP/_CLEANUP as above.
 */
PIPECORR_API void PIPECORR_CALL
HB_3(double* xinfo, const double* usl, const double* usg, const double* rol,
     const double* rog, const double* visl, const double* visg,
     const double* eps, const double* sigma, const double* diam,
     const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
     int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len);
PIPECORR_API void PIPECORR_CALL GRAY_3(
    double* xinfo, const double* usl, const double* usg, const double* rol,
    const double* rog, const double* visl, const double* visg,
    const double* eps, const double* sigma, const double* diam,
    const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
    int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len);
PIPECORR_API void PIPECORR_CALL
MB_3(double* xinfo, const double* usl, const double* usg, const double* rol,
     const double* rog, const double* visl, const double* visg,
     const double* eps, const double* sigma, const double* diam,
     const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
     int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len);
PIPECORR_API void PIPECORR_CALL ANSARI_3(
    double* xinfo, const double* usl, const double* usg, const double* rol,
    const double* rog, const double* visl, const double* visg,
    const double* eps, const double* sigma, const double* diam,
    const double* fi, const double* p, double* dp, double* holdup, int32_t* id,
    int32_t* iaux, int32_t* ierr, char* errmsg, pipecorr_len errmsg_len);

/* Pointer types for hosts that resolve the exports at run time. */
typedef void(PIPECORR_CALL* pipecorr_descriptn_fn)(char*, pipecorr_len,
                                                   int32_t*, char*,
                                                   pipecorr_len, int32_t*,
                                                   int32_t*);
typedef void(PIPECORR_CALL* pipecorr_copyright_fn)(char*, pipecorr_len,
                                                   int32_t*);
typedef void(PIPECORR_CALL* pipecorr_run_fn)(void);
typedef void(PIPECORR_CALL* pipecorr_corr_single_fn)(
    float*, const float*, const float*, const float*, const float*,
    const float*, const float*, const float*, const float*, const float*,
    const float*, const float*, float*, float*, int32_t*, int32_t*, int32_t*,
    char*, pipecorr_len);
typedef void(PIPECORR_CALL* pipecorr_corr_double_fn)(
    double*, const double*, const double*, const double*, const double*,
    const double*, const double*, const double*, const double*, const double*,
    const double*, const double*, double*, double*, int32_t*, int32_t*,
    int32_t*, char*, pipecorr_len);

#ifdef __cplusplus
}
#endif

#endif /* PIPECORR_PIPECORR_H */
