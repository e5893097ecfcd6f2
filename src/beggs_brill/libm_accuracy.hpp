// How far the maths library's results may lie from the exact values, on
// every platform the library is built for, as the fast forms' proofs need
// them (proven_store.hpp). Figures are in ulps of the double result; k ulps
// are at most 2k units u = 2^-53 relative, since ulp(v) <= 2^-52 |v|. They
// hold under the export guard's settings: round to nearest, and on the x87
// unit a 64-bit significand.
//
// glibc, x86-64 (2.28 and later, also the FMA variants it picks at run
// time): log 0.52 ulp, exp 0.511 ulp, pow 0.54 ulp at worst, as the
// implementations state for their own algorithms. log10 is the older form
// (log of the reduced argument times a rounded 1/ln 10, plus the exponent's
// share, which avoids cancellation); its documented worst case is 2 ulps.
//
// glibc, i386, and MinGW-w64 (exp, log and pow are its own, linked into the
// Windows DLL; only log10 comes from the system's msvcrt.dll) compute on the
// x87 unit with a 64-bit significand:
//   log x = ln 2 * log2 x (FYL2X or FYL2XP1);
//   exp x = 2^(x log2 e) (F2XM1 on the fraction, FSCALE);
//   pow(x, y) = 2^(y * log2 x) with y * log2 x rounded to 64 bits, or for a
//     small integer y repeated multiplication (in double with MinGW-w64:
//     pow(s, 3) = s * (s * s), pow(l, 4) = (l * l)^2, within 0.5 ulp for a
//     float s or l, whose square is exact).
// The x87 transcendental instructions are specified within 1 ulp of their
// 64-bit significand (2^-63 relative); allowing 4, an exponent t = y log2 x
// is off by at most 2^-63 * 4.5 |t|, which moves 2^t by 2^-63 * 4.5 |y ln x|
// relative; with F2XM1, the addition of 1 and the final rounding, pow is
// within 0.5 + 2^-10 (4.5 |y ln x| + 3) ulps, exp within
// 0.5 + 2^-10 (2 |x| + 3) ulps and log within 0.5 + 2^-9 ulps.
//
// The figures below cover both with a margin of two or more.
#pragma once

namespace pipecorr::bb::accuracy {

inline constexpr double kLogUlps = 1.0;

// exp(x) and pow(x, y), for t = y ln x: kGrowthBase + kGrowthPerUnit |x|
// or |t| ulps.
inline constexpr double kGrowthBase = 1.0;
inline constexpr double kGrowthPerUnit = 0x1p-5;

// exp(x).
[[nodiscard]] constexpr double exp_ulps(double x) noexcept {
  return kGrowthBase + kGrowthPerUnit * (x < 0.0 ? -x : x);
}

// pow(x, y), for t = y ln x.
[[nodiscard]] constexpr double pow_ulps(double t) noexcept {
  return kGrowthBase + kGrowthPerUnit * (t < 0.0 ? -t : t);
}

// ln 2 rounded up, for bounds on |ln x| from the range of x.
inline constexpr double kLn2Above = 0.6931471805600;

// Correctly rounded (IEEE sqrt): half an ulp.
inline constexpr double kSqrtUlps = 0.5;

// sin(x) for |x| <= 3 (float_sin.hpp's range). glibc's tables of known
// errors list its sin within 1 ulp on x86-64 and i386. MinGW-w64's sin (its
// own, linked into the DLL) is FSIN on the x87 unit with a 64-bit significand:
// within 1 ulp of that (2^-63 relative) where its reduction by multiples of
// pi/2 (with a 66-bit pi) cannot cancel, which holds for |x| <= 3, at least pi
// - 3 away from the nearest multiple of pi other than 0; rounded to double,
// within 0.5 + 2^-9 ulps. With a margin of two:
inline constexpr double kSinUlps = 2.0;

// log10: bounded for glibc only. On Windows it is the system DLL's, which
// this library cannot bound, so the fast forms leave log10 alone there.
#if defined(_WIN32)
inline constexpr bool kLog10Bounded = false;
#else
inline constexpr bool kLog10Bounded = true;
#endif
inline constexpr double kLog10Ulps = 4.0;

}  // namespace pipecorr::bb::accuracy
