// First stage of the core: where the point lies on the Beggs & Brill
// flow-pattern map. Its no-slip holdup lambda and Froude number NFR are
// compared with four boundaries L1 to L4, each c lambda^y.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "beggs_brill/proven_store.hpp"

namespace pipecorr::bb {

// One boundary L = c lambda^y, with ln c rounded to double once (by
// 50-digit decimal arithmetic) for the fast map.
struct MapBoundary {
  float c;
  float y;
  double log_c;
};

// Positions of L1 to L4 in the table and in MapQuantities::l.
inline constexpr std::size_t kL1 = 0;
inline constexpr std::size_t kL2 = 1;
inline constexpr std::size_t kL3 = 2;
inline constexpr std::size_t kL4 = 3;

inline constexpr std::array<MapBoundary, 4> kBoundaries{{
    {316.0f, 0.302f, 0x1.705e1496e3fefp+2},         // ln 316
    {0.0009252f, -2.4684f, -0x1.bf1271375924dp+2},  // ln 0.0009252f
    {0.1f, -1.4516f, -0x1.26bb1b9b55516p+1},        // ln 0.1f
    {0.5f, -6.738f, -0x1.62e42fefa39efp-1},         // ln 0.5
}};

struct MapQuantities {
  float vm = 0.0f;           // mixture velocity, ft/s
  float nfr = 0.0f;          // mixture Froude number
  float lambda = 0.0f;       // no-slip liquid holdup
  std::array<float, 4> l{};  // the boundaries L1 to L4 (l[kL1] to l[kL4])
  // ln lambda and ln NFR of the stored values above, which the fast forms
  // of the map and the holdup share; NaN on the plain path and without
  // liquid. They belong to the values map_quantities stored: a copy whose
  // lambda or NFR is edited must not be handed to the holdup.
  double log_lambda = 0.0;
  double log_nfr = 0.0;
};

// The map quantities with all four boundaries.
MapQuantities map_quantities(float vsl, float vsg, float pidft,
                             Evaluation e = Evaluation::kFast) noexcept;

// The pattern code (5 to 8), or -1 when no region of the map holds the point.
std::int32_t flow_pattern(const MapQuantities& map) noexcept;

// The map quantities and the pattern of a point together: the pattern
// flow_pattern finds, by the same rules. The fast path decides the rules'
// comparisons from ln NFR and ln lambda where it can (see flow_map.cpp) and
// stores only the boundaries it had to compute, and L2 and L3 of a
// transition point, which its weight reads; the others are NaN. The plain
// path stores all four.
struct MapPoint {
  MapQuantities map;
  std::int32_t pattern = -1;
};
MapPoint map_point(float vsl, float vsg, float pidft,
                   Evaluation e = Evaluation::kFast) noexcept;

}  // namespace pipecorr::bb
