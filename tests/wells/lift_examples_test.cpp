// HB_3, DR_3 and GRAY_3 against published worked examples, and what could
// not be reproduced.
//
// Hagedorn & Brown: Brill & Mukherjee, "Multiphase Flow in Wells" (SPE
// Monograph 17, 1999), ch. 4, the worked example on their vertical-well
// data set: 6-in tubing, vSL 3.97 ft/s, vSG 3.86 ft/s, rho_L 47.61 and
// rho_g 5.88 lbm/ft3, mu_L 0.97 and mu_g 0.016 cp, sigma 8.41 dyn/cm,
// eps 0.00006 ft, 1,700 psia. Published: N_LV 11.87, N_GV 11.54, N_d 143.8,
// N_L 0.0118; Griffith's limit L_B 0.13 (from -26.1), lambda_g 0.493, so no
// bubble flow; from the charts CN_L 0.0022, H_L/psi 0.30, psi 1.0, so
// H_L 0.30, below the no-slip holdup 0.507, which is used instead;
// dp/dz 0.193 psi/ft. The fits give CN_L 0.00247 and H_L/psi 0.302 (the
// charts read to their own accuracy); the no-slip floor decides the holdup
// all the same, so the published result is reproduced to its rounding.
//
// Not reproduced here, and why:
//  - Duns & Ros on the same data: DR_3's chart values are provisional
//    (src/wells/duns_ros_charts.hpp), so a published D&R figure cannot be
//    a fair test yet. The formulas are checked against the second
//    transcription (lift_reference_test); the mist flow, which reads no
//    chart, is checked by hand below.
//  - The modified Hagedorn & Brown example of Economides et al.,
//    "Petroleum Production Systems": its figures were not at hand.
//  - Gray: no textbook worked example was at hand; the formula is checked
//    against the second transcription and by hand below.
#include <gtest/gtest.h>

#include <cmath>

#include "wells/duns_ros.hpp"
#include "wells/gray.hpp"
#include "wells/hagedorn_brown.hpp"

namespace {

using pipecorr::wells::WellOutcome;
using pipecorr::wells::WellPoint;

constexpr double kFt = 0.3048;
constexpr double kLb = 16.01846337396014;  // kg/m3 per lbm/ft3
constexpr double kPsi = 6894.757293168361;
constexpr double kPsiPerFt = kPsi / kFt;  // Pa/m per psi/ft

WellPoint monograph_well() {
  WellPoint p;
  p.usl = 3.97 * kFt;
  p.usg = 3.86 * kFt;
  p.rol = 47.61 * kLb;
  p.rog = 5.88 * kLb;
  p.visl = 0.97e-3;
  p.visg = 0.016e-3;
  p.eps = 0.00006 * kFt;
  p.sigma = 8.41e-3;
  p.diam = 0.5 * kFt;
  p.fi = 90.0;
  p.p = 1700.0 * kPsi;
  return p;
}

TEST(HagedornBrownExample, BrillMukherjeeVerticalWell) {
  const WellOutcome out = pipecorr::wells::hagedorn_brown(monograph_well());
  ASSERT_TRUE(out.ok()) << out.reason;
  EXPECT_EQ(out.pattern, PIPECORR_PATTERN_HB_SLUG);  // not Griffith bubble
  EXPECT_NEAR(out.holdup, 0.507, 0.0005);
  EXPECT_NEAR(out.dp / kPsiPerFt, 0.193, 0.0005);
  // Elevation 27.04 psf/ft of the 27.7 total (psf/ft = psi/ft * 144).
  EXPECT_NEAR(out.elevation / kPsiPerFt * 144.0, 27.04, 0.005);
}

TEST(HagedornBrownExample, ChartFitsReadLikeTheCharts) {
  // The example's chart arguments: N_L 0.0118; (N_LV / N_GV^0.575)
  // (p/p_a)^0.1 CN_L / N_d with the fit's CN_L, 8.04e-5; psi's argument
  // N_GV N_L^0.38 / N_d^2.14 = 5.1e-5.
  EXPECT_NEAR(pipecorr::wells::hb::cnl(0.0118), 0.0022, 0.0003);
  EXPECT_NEAR(pipecorr::wells::hb::holdup_over_psi(8.04e-5), 0.30, 0.01);
  EXPECT_EQ(pipecorr::wells::hb::psi(5.1e-5), 1.0);
  // The psi chart's far end, about 1.83 at 0.09, and its flat start.
  EXPECT_NEAR(pipecorr::wells::hb::psi(0.09), 1.83, 0.01);
  EXPECT_EQ(pipecorr::wells::hb::psi(0.2), pipecorr::wells::hb::psi(0.09));
}

TEST(HagedornBrownExample, GriffithBubbleFlowByHand) {
  // Low rates in 2.441-in tubing (d 0.2034 ft), the monograph's fluid:
  // vsl 0.5, vsg 0.05 ft/s, L_B = 1.071 - 0.2218 * 0.3025 / 0.2034 = 0.741
  // > lambda_g 0.0909: Griffith bubble flow. Gas fraction
  // 0.5 (1 + vm/vs - sqrt((1 + vm/vs)^2 - 4 vsg/vs)), vs 0.8 ft/s:
  // a = 0.6875, b = 0.0625: 0.5 (1.6875 - sqrt(2.59765625)) = 0.037888;
  // H_L = 0.962112.
  WellPoint p = monograph_well();
  p.usl = 0.5 * kFt;
  p.usg = 0.05 * kFt;
  p.diam = 0.2034 * kFt;
  const WellOutcome out = pipecorr::wells::hagedorn_brown(p);
  ASSERT_TRUE(out.ok()) << out.reason;
  EXPECT_EQ(out.pattern, PIPECORR_PATTERN_HB_BUBBLE);
  EXPECT_NEAR(out.holdup, 0.962112, 0.000001);
  // Elevation: rho_s = 47.61 * 0.962112 + 5.88 * 0.037888 = 46.029 lbm/ft3.
  EXPECT_NEAR(out.elevation / kPsiPerFt * 144.0, 46.029, 0.001);
}

TEST(DunsRosExample, MistFlowByHand) {
  // Mist flow needs no chart. A gas well: 2.441-in tubing, vSL 0.05 ft/s,
  // vSG 60 ft/s, rho_L 50, rho_g 8 lbm/ft3, mu_L 1, mu_g 0.02 cp,
  // sigma 20 dyn/cm, 2,000 psia. N_GV = 1.938 * 60 * (2.5)^0.25 = 146.3,
  // far beyond 75 + 84 N_LV^0.75 = 80.4 (N_LV = 0.1219): mist.
  // N_We N_mu = rho_g vsg^2 mu_L^2 / (rho_L sigma^2) in SI:
  //   128.148 * 18.288^2 * 1e-6 / (800.92 * 4e-4) = 0.13378 > 0.005,
  //   eps = 0.3713 sigma / (rho_g vsg^2) (0.13378)^0.302 = 9.438e-8 m,
  //   eps/d = 1.52e-6 -> held at 0.001, eps = 6.2001e-5 m.
  // The friction then on d - eps and vsg d^2/(d - eps)^2 (Moody at the gas
  // Reynolds number, eps/(d - eps) = 0.0010010); holdup no-slip 0.000833.
  WellPoint p;
  p.usl = 0.05 * kFt;
  p.usg = 60.0 * kFt;
  p.rol = 50.0 * kLb;
  p.rog = 8.0 * kLb;
  p.visl = 1e-3;
  p.visg = 0.02e-3;
  p.eps = 0.00006 * kFt;
  p.sigma = 20e-3;
  p.diam = 2.441 / 12.0 * kFt;
  p.fi = 90.0;
  p.p = 2000.0 * kPsi;
  const WellOutcome out = pipecorr::wells::duns_ros(p);
  ASSERT_TRUE(out.ok()) << out.reason;
  EXPECT_EQ(out.pattern, PIPECORR_PATTERN_DR_MIST);
  EXPECT_NEAR(out.holdup, 0.05 / 60.05, 1e-12);
  // By hand: d' = 0.0620014 - 0.0000620 = 0.0619394 m, v' = 18.288 *
  // 1.0020020 = 18.32463 m/s, Re = 128.148 * 18.32463 * 0.0619394 /
  // 2e-5 = 7.2725e6; Colebrook at eps/d' 0.0010010: f = 0.019684;
  // friction = 0.019684 * 128.148 * 18.32463^2 / (2 * 0.0619394)
  //          = 6837.4 Pa/m (no acceleration term: the host adds it);
  // rho_n = 800.92 * 0.000833 + 128.148 * 0.999167 = 128.708 kg/m3.
  EXPECT_NEAR(out.friction, 6837.4, 0.2);
  EXPECT_NEAR(out.elevation, 128.708 * 9.80665, 0.02);
  EXPECT_EQ(out.dp, out.friction + out.elevation);
}

TEST(GrayExample, ByHand) {
  // A gas well producing condensate: 2.441-in tubing, usl 0.02 m/s,
  // usg 8 m/s, rho_L 700, rho_g 100 kg/m3, mu_L 0.5, mu_g 0.018 cp,
  // sigma 0.01 N/m. lambda_L = 0.0024938, rho_n = 101.4963 kg/m3,
  // vm = 8.02 m/s.
  //   N1 = 101.4963^2 * 8.02^4 / (9.80665 * 0.01 * 600) = 7.2431e5,
  //   N2 = 9.80665 * 0.0620014^2 * 600 / 0.01 = 2261.9,
  //   R = 0.0025, N3 = 0.0814 (1 - 0.0554 ln(1 + 730 * 0.0025/1.0025))
  //     = 0.0814 * (1 - 0.0554 * 1.036897) = 0.076724,
  //   fE = -2.314 (7.2431e5 * 1.090632)^0.076724 = -2.314 * 2.83455
  //      = -6.5592, 1 - exp(fE) = 0.9985825,
  //   H_L = 1 - 0.9975062 * 0.9985825 = 0.0039072.
  WellPoint p;
  p.usl = 0.02;
  p.usg = 8.0;
  p.rol = 700.0;
  p.rog = 100.0;
  p.visl = 0.5e-3;
  p.visg = 0.018e-3;
  p.eps = 1.8e-5;
  p.sigma = 0.01;
  p.diam = 2.441 * 0.0254;
  p.fi = 90.0;
  p.p = 1.5e7;
  const WellOutcome out = pipecorr::wells::gray(p);
  ASSERT_TRUE(out.ok()) << out.reason;
  EXPECT_EQ(out.pattern, PIPECORR_PATTERN_GRAY);
  EXPECT_NEAR(out.holdup, 0.0039072, 0.0000001);
  // R < 0.007: eps_e = eps + R (r0 - eps)/0.007, r0 = 28.5 * 0.01 /
  // (101.4963 * 64.3204) = 4.3657e-5 m: eps_e = 1.8e-5 + 0.35714 *
  // 2.5657e-5 = 2.7163e-5 m. Elevation rho_s g = (700 * 0.0039072 +
  // 100 * 0.9960928) * 9.80665 = 1003.655 Pa/m.
  EXPECT_NEAR(out.elevation, 1003.655, 0.002);
}

}  // namespace
