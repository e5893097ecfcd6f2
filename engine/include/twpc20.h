/*
 * twpc2032: the two-phase engine library behind the ORBA_3 correlation.
 *
 * TWPC20 takes 20 stack words: 19 references and the length of the text
 * before it, passed by value. 32-bit x86 builds use __stdcall (the callee
 * pops its arguments) and the name is exported undecorated. Define
 * TWPC20_CALL before including this header to override the convention.
 *
 * Every argument is declared writable because the engine is a closed
 * library: callers hand it copies and rely only on the outputs below.
 *
 *   ipar1, ipar2     in   integer settings (1 and 1)
 *   vecout[70]       out  1 liquid holdup (fraction); 2, 3, 4 friction,
 *                         gravity and acceleration contributions to the
 *                         pressure gradient (Pa/m, positive when pressure
 *                         falls along the flow); 55 flow-pattern number 1 to
 *                         10, held as a real. Elements the engine does not
 *                         write keep what the caller left in them.
 *   usl, usg         in   superficial liquid and gas velocity, m/s
 *   rol, rog         in   liquid and gas density, kg/m3
 *   visl, visg       in   liquid and gas viscosity, Pa s
 *   sigma            in   surface tension, N/m
 *   diam             in   inside diameter, m
 *   fi               in   inclination, degrees from horizontal, uphill > 0
 *   eps              in   absolute wall roughness, m
 *   wc, rpar1, rpar2, entr, ptclc   in   real settings
 *   constr           in   20-character settings text
 *   constr_len       in   its length, by value
 */
#ifndef TWPC2032_TWPC20_H
#define TWPC2032_TWPC20_H

#include <stdint.h>

#ifndef TWPC20_CALL
#if defined(__i386__) || defined(_M_IX86)
#if defined(_MSC_VER)
#define TWPC20_CALL __stdcall
#else
#define TWPC20_CALL __attribute__((stdcall))
#endif
#else
#define TWPC20_CALL
#endif
#endif

#ifndef TWPC20_API
#if defined(_WIN32)
#define TWPC20_API
#else
#define TWPC20_API __attribute__((visibility("default")))
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define TWPC20_VECOUT_LEN 70
#define TWPC20_CONSTR_LEN 20

TWPC20_API void TWPC20_CALL TWPC20(int32_t* ipar1, int32_t* ipar2,
                                   double* vecout, double* usl, double* usg,
                                   double* rol, double* rog, double* visl,
                                   double* visg, double* sigma, double* diam,
                                   double* fi, double* eps, double* wc,
                                   double* rpar1, double* rpar2, double* entr,
                                   double* ptclc, char* constr,
                                   int32_t constr_len);

typedef void(TWPC20_CALL* twpc20_fn)(int32_t*, int32_t*, double*, double*,
                                     double*, double*, double*, double*,
                                     double*, double*, double*, double*,
                                     double*, double*, double*, double*,
                                     double*, double*, char*, int32_t);

#ifdef __cplusplus
}
#endif

#endif /* TWPC2032_TWPC20_H */
