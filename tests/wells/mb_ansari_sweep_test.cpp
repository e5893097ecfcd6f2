// MB_3 and ANSARI_3 swept across every pattern boundary, from liquid only
// to dry gas, vertical to horizontal to downward, and fed hostile input:
// every answer is a finite gradient with a holdup in [0, 1] or a stated
// failure; within a pattern the gradient moves smoothly, at a boundary it
// jumps by no more than the patterns' hydrostatic and friction difference;
// the single-phase ends meet the two-phase limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "wells/ansari.hpp"
#include "wells/ansari_annular.hpp"
#include "wells/ansari_map.hpp"
#include "wells/mukherjee_brill.hpp"

namespace {

using pipecorr::wells::WellOutcome;
using pipecorr::wells::WellPoint;
using Correlation = WellOutcome (*)(const WellPoint&);

struct Fluid {
  const char* name;
  double rol, rog, visl, visg, sigma;
};
// Water and gas at moderate pressure, a light oil, a gas condensate near
// its critical point (dense gas, low tension).
constexpr Fluid kFluids[] = {{"water", 1000.0, 50.0, 1e-3, 1.5e-5, 0.07},
                             {"oil", 800.0, 30.0, 5e-3, 1.4e-5, 0.02},
                             {"condensate", 600.0, 150.0, 2e-4, 2.5e-5, 0.005}};
constexpr double kAngles[] = {90.0, 45.0, 5.0, 0.0, -5.0, -45.0, -90.0};

struct Named {
  const char* name;
  Correlation fn;
};
constexpr Named kCorrelations[] = {{"MB_3", pipecorr::wells::mukherjee_brill},
                                   {"ANSARI_3", pipecorr::wells::ansari}};

WellPoint base(const Fluid& f, double fi, double diam = 0.1) {
  return WellPoint{0.0,    0.0,     f.rol, f.rog, f.visl, f.visg,
                   4.5e-5, f.sigma, diam,  fi,    5e6};
}

// One sweep: usg (or usl) from 0 through 1e-6 .. 60 m/s in steps of 4 %.
std::vector<double> velocities() {
  std::vector<double> v{0.0};
  for (double x = 1e-6; x < 60.0; x *= 1.04) v.push_back(x);
  return v;
}

void expect_sane(const WellOutcome& out, const std::string& where) {
  ASSERT_TRUE(out.ok()) << where << ": " << out.reason;
  ASSERT_TRUE(std::isfinite(out.dp)) << where;
  ASSERT_TRUE(out.holdup >= 0.0 && out.holdup <= 1.0) << where;
  ASSERT_NEAR(out.friction + out.elevation, out.dp,
              1e-12 * (std::fabs(out.friction) + std::fabs(out.elevation)))
      << where;
}

// Ansari's annular interfacial friction switches from Whalley & Hewitt's
// factor to Wallis's where the entrained fraction passes 0.9: a documented
// jump inside one pattern.
bool entrainment_switch(const WellPoint& pa, const WellPoint& pb,
                        const WellOutcome& a, const WellOutcome& b) {
  namespace am = pipecorr::wells::ansari_model;
  if (a.pattern != PIPECORR_PATTERN_ANSARI_ANNULAR ||
      b.pattern != PIPECORR_PATTERN_ANSARI_ANNULAR) {
    return false;
  }
  const double fa = am::annular(pa, am::fluid(pa)).entrained;
  const double fb = am::annular(pb, am::fluid(pb)).entrained;
  return (fa > 0.9) != (fb > 0.9);
}

double size(const WellOutcome& r) {
  // The parts, not dp: downhill the two cancel and dp passes 0.
  return std::fabs(r.friction) + std::fabs(r.elevation);
}

// Between neighbouring points of a sweep (velocity up 4 %) the gradient
// under one law (pattern) changes by a few per cent of its parts.
void expect_smooth(const WellOutcome& a, const WellOutcome& b, double head,
                   const std::string& where) {
  EXPECT_LE(std::fabs(b.dp - a.dp),
            0.12 * std::fmax(size(a), size(b)) + 0.02 * head)
      << where << " pattern " << a.pattern;
}

// A boundary may be a jump (the laws differ in holdup and friction), but a
// step, not a spike: no point stands off the range of its two neighbours.
void expect_no_spike(const WellOutcome& a, const WellOutcome& b,
                     const WellOutcome& c, double head,
                     const std::string& where) {
  const double tol = 0.12 * std::fmax(size(a), size(c)) + 0.02 * head;
  EXPECT_GE(b.dp, std::fmin(a.dp, c.dp) - tol) << where;
  EXPECT_LE(b.dp, std::fmax(a.dp, c.dp) + tol)
      << where << " patterns " << a.pattern << " " << b.pattern << " "
      << c.pattern;
}

TEST(Sweeps, EveryPatternBoundaryWithoutSpikeOrTrap) {
  const std::vector<double> vs = velocities();
  for (const Named& c : kCorrelations) {
    for (const Fluid& f : kFluids) {
      for (const double fi : kAngles) {
        // 40 mm is below the least diameter for bubble flow of the water
        // case, so its low gas rates make developing Taylor bubbles.
        for (const double diam : {0.1, 0.04}) {
          for (const double fixed : {1e-4, 0.1, 2.0}) {
            for (const bool gas_sweep : {true, false}) {
              WellOutcome previous;
              WellOutcome before_previous;
              WellPoint previous_point;
              for (std::size_t k = 0; k < vs.size(); ++k) {
                WellPoint p = base(f, fi, diam);
                (gas_sweep ? p.usg : p.usl) = vs[k];
                (gas_sweep ? p.usl : p.usg) = fixed;
                const std::string where =
                    std::string(c.name) + " " + f.name + " d " +
                    std::to_string(diam) + " fi " + std::to_string(fi) +
                    (gas_sweep ? " usl " : " usg ") + std::to_string(fixed) +
                    (gas_sweep ? " usg " : " usl ") + std::to_string(vs[k]);
                const WellOutcome out = c.fn(p);
                expect_sane(out, where);
                // The single-phase end (k = 0) and the first two-phase point
                // are compared by the limit test below.
                const double head = f.rol * 9.80665;
                if (k >= 2 && previous.pattern == out.pattern &&
                    !entrainment_switch(previous_point, p, previous, out)) {
                  expect_smooth(previous, out, head, where);
                }
                if (k >= 3) {
                  expect_no_spike(before_previous, previous, out, head, where);
                }
                before_previous = previous;
                previous = out;
                previous_point = p;
              }
            }
          }
        }
      }
    }
  }
}

// A trace of the other phase gives the single-phase gradient: dry gas and
// liquid only are the limits of the two-phase answers, not jumps. (Ansari's
// slug and bubble flow keep a Taylor-bubble or bubble structure however
// little liquid flows; only its annular flow has dry gas as its limit.)
TEST(Sweeps, SinglePhaseEndsMeetTheTwoPhaseLimits) {
  for (const Named& c : kCorrelations) {
    for (const Fluid& f : kFluids) {
      for (const double fi : kAngles) {
        for (const double v : {0.01, 0.3, 3.0, 30.0}) {
          WellPoint liquid = base(f, fi);
          liquid.usl = v;
          WellPoint wet = liquid;
          wet.usg = 1e-9 * v;
          const WellOutcome l0 = c.fn(liquid);
          const WellOutcome l1 = c.fn(wet);
          ASSERT_TRUE(l0.ok() && l1.ok());
          EXPECT_EQ(l0.pattern, PIPECORR_PATTERN_LIQUID_ONLY);
          EXPECT_NEAR(l1.dp, l0.dp, 1e-3 * std::fabs(l0.dp) + 1e-3)
              << c.name << " " << f.name << " fi " << fi << " usl " << v;

          WellPoint gas = base(f, fi);
          gas.usg = v;
          WellPoint damp = gas;
          damp.usl = 1e-9 * v;
          const WellOutcome g0 = c.fn(gas);
          const WellOutcome g1 = c.fn(damp);
          ASSERT_TRUE(g0.ok() && g1.ok());
          EXPECT_EQ(g0.pattern, PIPECORR_PATTERN_GAS_ONLY);
          if (g1.pattern == PIPECORR_PATTERN_ANSARI_BUBBLE ||
              g1.pattern == PIPECORR_PATTERN_ANSARI_SLUG) {
            continue;
          }
          EXPECT_NEAR(g1.dp, g0.dp, 1e-3 * std::fabs(g0.dp) + 1e-3)
              << c.name << " " << f.name << " fi " << fi << " usg " << v
              << " pattern " << g1.pattern;
        }
      }
    }
  }
}

// Each reason, for the first input that has it.
struct BadInput {
  const char* what;
  WellPoint p;
  const char* reason;
};
WellPoint good() {
  return WellPoint{1.0,    1.0,  900.0, 40.0, 2e-3, 1.5e-5,
                   4.5e-5, 0.03, 0.1,   60.0, 5e6};
}
template <class Change>
WellPoint changed(Change change) {
  WellPoint p = good();
  change(p);
  return p;
}
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

class Refused : public ::testing::TestWithParam<BadInput> {};
TEST_P(Refused, WithItsReason) {
  for (const Named& c : kCorrelations) {
    const WellOutcome out = c.fn(GetParam().p);
    EXPECT_EQ(std::string(out.reason), GetParam().reason)
        << c.name << ": " << GetParam().what;
  }
}
INSTANTIATE_TEST_SUITE_P(
    Inputs, Refused,
    ::testing::Values(
        BadInput{"NaN usl", changed([](WellPoint& p) { p.usl = kNaN; }),
                 "an input is not a finite number"},
        BadInput{"infinite p", changed([](WellPoint& p) { p.p = kInf; }),
                 "an input is not a finite number"},
        BadInput{"negative usg", changed([](WellPoint& p) { p.usg = -1.0; }),
                 "superficial velocities must not be negative"},
        BadInput{"no flow", changed([](WellPoint& p) { p.usl = p.usg = 0.0; }),
                 "superficial velocities must not both be zero"},
        BadInput{"zero diameter", changed([](WellPoint& p) { p.diam = 0.0; }),
                 "pipe diameter must be positive"},
        BadInput{"negative roughness",
                 changed([](WellPoint& p) { p.eps = -1e-6; }),
                 "pipe roughness must not be negative"},
        BadInput{"rough as a gravel bed",
                 changed([](WellPoint& p) { p.eps = 0.01; }),
                 "pipe roughness must not exceed 5 % of the diameter"},
        BadInput{"fi 91", changed([](WellPoint& p) { p.fi = 91.0; }),
                 "inclination must lie between -90 and 90 degrees"},
        BadInput{"zero liquid density",
                 changed([](WellPoint& p) { p.rol = 0.0; }),
                 "liquid density must be positive"},
        BadInput{"zero gas density", changed([](WellPoint& p) { p.rog = 0.0; }),
                 "gas density must be positive"},
        BadInput{"gas as dense as liquid",
                 changed([](WellPoint& p) { p.rog = p.rol; }),
                 "gas density must be below the liquid density"},
        BadInput{"zero tension", changed([](WellPoint& p) { p.sigma = 0.0; }),
                 "surface tension must be positive"},
        BadInput{"zero liquid viscosity",
                 changed([](WellPoint& p) { p.visl = 0.0; }),
                 "liquid viscosity must be positive"},
        BadInput{"negative gas viscosity",
                 changed([](WellPoint& p) { p.visg = -1.0; }),
                 "viscosities must not be negative"}));

// Neither model reads the pressure (no acceleration term: the host adds
// it), so a zero pressure is no reason to refuse a point.
TEST(Refused, NotForAPressureTheModelsDoNotRead) {
  WellPoint p = good();
  const WellOutcome mb = pipecorr::wells::mukherjee_brill(p);
  const WellOutcome an = pipecorr::wells::ansari(p);
  p.p = 0.0;
  EXPECT_EQ(pipecorr::wells::mukherjee_brill(p).dp, mb.dp);
  EXPECT_EQ(pipecorr::wells::ansari(p).dp, an.dp);
  p.p = -1.0;
  EXPECT_TRUE(pipecorr::wells::mukherjee_brill(p).ok());
}

// Random inputs across every magnitude a host could pass, sane or not:
// success is finite with a holdup in [0, 1], anything else a reason.
TEST(Hostile, RandomInputsGiveAResultOrAReason) {
  std::mt19937_64 rng(20261209);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const auto wild = [&] {
    const double r = unit(rng);
    if (r < 0.03) return 0.0;
    if (r < 0.05) return -unit(rng);
    const double exponent = -320.0 + 640.0 * unit(rng);
    return r < 0.5 ? std::pow(10.0, exponent / 4.0) : std::pow(10.0, exponent);
  };
  int successes = 0;
  for (int k = 0; k < 100000; ++k) {
    WellPoint p{wild(), wild(), wild(), wild(), wild(),
                wild(), wild(), wild(), wild(), -90.0 + 180.0 * unit(rng),
                wild()};
    for (const Named& c : kCorrelations) {
      const WellOutcome out = c.fn(p);
      if (out.ok()) {
        ++successes;
        ASSERT_TRUE(std::isfinite(out.dp) && std::isfinite(out.friction) &&
                    std::isfinite(out.elevation))
            << c.name << " point " << k;
        ASSERT_TRUE(out.holdup >= 0.0 && out.holdup <= 1.0)
            << c.name << " point " << k;
      }
    }
  }
  EXPECT_GT(successes, 1000);  // the draw reaches the arithmetic
}

}  // namespace
