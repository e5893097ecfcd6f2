// The calculation points the Beggs & Brill benchmarks and the profile driver
// share: one per flow pattern and per friction piece, SI units.
#pragma once

namespace pipecorr::bench {

// usl usg rol rog visl visg eps sigma diam fi p.
struct Point {
  double v[11];
};

inline constexpr Point kSegregated{
    {0.05, 0.5, 800, 40, 0.002, 2e-5, 5e-5, 0.025, 0.1, 0, 5e5}};
inline constexpr Point kTransition{
    {0.2, 0.3, 800, 40, 0.002, 2e-5, 5e-5, 0.025, 0.1, 0, 5e5}};
inline constexpr Point kIntermittent{
    {0.5, 2, 800, 40, 0.002, 2e-5, 5e-5, 0.025, 0.1, 10, 5e5}};
inline constexpr Point kDistributed{
    {2, 1, 800, 40, 0.002, 2e-5, 5e-5, 0.025, 0.1, -10, 5e5}};
// Friction pieces: no-slip Reynolds numbers of about 86, 2860 and 21000.
inline constexpr Point kLaminar{
    {0.2, 0.3, 800, 40, 0.5, 2e-5, 5e-5, 0.025, 0.1, 0, 5e5}};
inline constexpr Point kBridge{
    {0.2, 0.3, 800, 40, 0.015, 2e-5, 5e-5, 0.025, 0.1, 0, 5e5}};
inline constexpr Point kDryGas{
    {0, 10, 800, 40, 0.002, 2e-5, 5e-5, 0.025, 0.1, 0, 5e5}};

}  // namespace pipecorr::bench
