// The fixed table of host inputs whose outputs every build must reproduce
// bit for bit: every Beggs & Brill flow pattern, uphill, horizontal and
// downhill, each friction piece, and the inputs that take a failure exit.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace pipecorr::abi {

// One calculation point as a host passes it, in SI units (inclination in
// degrees). BB_2 receives each value rounded to single precision.
struct HostCase {
  std::string_view name;
  double usl;
  double usg;
  double rol;
  double rog;
  double visl;
  double visg;
  double eps;
  double sigma;
  double diam;
  double fi;
  double p;
};

[[nodiscard]] std::span<const HostCase> host_cases();

// Test reports name a case rather than dump its bytes.
inline void PrintTo(const HostCase& c, std::ostream* out) { *out << c.name; }

}  // namespace pipecorr::abi
