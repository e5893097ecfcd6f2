#include "check/probe_points.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <random>

namespace pipecorr::hostkit {
namespace {

// A uniform number in [0, 1) from the generator's bits; the standard
// distributions differ between C++ libraries, this does not.
double unit(std::mt19937_64& random) {
  return static_cast<double>(random() >> 11) * 0x1.0p-53;
}

double between(std::mt19937_64& random, double low, double high) {
  return low + (high - low) * unit(random);
}

double log_between(std::mt19937_64& random, double low, double high) {
  return std::exp(between(random, std::log(low), std::log(high)));
}

FlowInputs ordinary_point(std::mt19937_64& random) {
  FlowInputs in;
  // Superficial velocities over four and three decades: stratified,
  // intermittent, annular and dispersed flow all lie in this square.
  in.usl = log_between(random, 1e-3, 5.0);
  in.usg = log_between(random, 1e-2, 50.0);
  in.rol = between(random, 600.0, 1100.0);
  in.rog = log_between(random, 1.0, 200.0);
  in.visl = log_between(random, 2e-4, 5e-2);
  in.visg = between(random, 8e-6, 3e-5);
  in.eps = between(random, 0.0, 1e-4);
  in.sigma = between(random, 0.01, 0.08);
  in.diam = log_between(random, 0.025, 0.5);
  // A quarter of the points horizontal, where the uphill and downhill
  // branches of a correlation meet.
  in.fi = random() % 4 == 0 ? 0.0 : between(random, -90.0, 90.0);
  in.p = log_between(random, 1e5, 3e7);
  return in;
}

// An oil well point every bad input is set into, one argument at a time.
constexpr FlowInputs kBase{.usl = 1.2,
                           .usg = 3.5,
                           .rol = 820.0,
                           .rog = 55.0,
                           .visl = 0.002,
                           .visg = 1.5e-5,
                           .eps = 3e-5,
                           .sigma = 0.02,
                           .diam = 0.0762,
                           .fi = 60.0,
                           .p = 6e6};

struct BadClass {
  const char* label;  // after the argument's name
  double (*value)(double base, bool single_precision);
};

constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr std::array<BadClass, 7> kBadClasses{{
    {" = 0", [](double, bool) { return 0.0; }},
    {" negative", [](double base, bool) { return base != 0.0 ? -base : -1.0; }},
    {" = nan",
     [](double, bool) { return std::numeric_limits<double>::quiet_NaN(); }},
    {" = inf", [](double, bool) { return kInf; }},
    {" = -inf", [](double, bool) { return -kInf; }},
    {" huge", [](double, bool single) { return single ? 3e38 : 1e300; }},
    {" subnormal", [](double, bool single) { return single ? 1e-40 : 5e-320; }},
}};

}  // namespace

std::vector<ProbePoint> probe_points(std::uint64_t seed, std::size_t ordinary,
                                     bool single_precision) {
  std::vector<ProbePoint> points;
  points.reserve(ordinary + kBadPointCount);
  std::mt19937_64 random(seed);
  for (std::size_t k = 0; k < ordinary; ++k) {
    points.push_back({"ordinary point " + std::to_string(k + 1),
                      ordinary_point(random), true});
  }
  for (std::size_t arg = 0; arg < kInputCount; ++arg) {
    for (const auto& bad : kBadClasses) {
      FlowInputs in = kBase;
      double& field = *in.fields()[arg];
      field = bad.value(field, single_precision);
      points.push_back({std::string(kInputNames[arg]) + bad.label, in, false});
    }
  }
  FlowInputs none = kBase;
  none.usl = 0.0;
  none.usg = 0.0;
  points.push_back({"no flow", none, false});
  FlowInputs gas = kBase;
  gas.usl = 0.0;
  points.push_back({"gas only", gas, false});
  FlowInputs liquid = kBase;
  liquid.usg = 0.0;
  points.push_back({"liquid only", liquid, false});
  return points;
}

}  // namespace pipecorr::hostkit
