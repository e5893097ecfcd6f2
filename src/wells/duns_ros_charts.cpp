// PROVISIONAL chart values: see duns_ros_charts.hpp before relying on them.
#include "wells/duns_ros_charts.hpp"

#include <cstddef>

#include "portable_math/portable_math.hpp"

namespace pipecorr::wells::dr {
namespace {

template <std::size_t N>
struct Chart {
  double log_x[N];  // increasing
  double y[N];
};

// The argument's log10; a zero or negative argument reads the chart's
// left end.
[[nodiscard]] double log_of(double x) noexcept {
  return x > 0.0 ? pm::log10(x) : -1e300;
}

template <std::size_t N>
[[nodiscard]] double read(const Chart<N>& c, double lx) noexcept {
  if (!(lx > c.log_x[0])) return c.y[0];
  for (std::size_t i = 1; i < N; ++i) {
    if (lx <= c.log_x[i]) {
      const double w = (lx - c.log_x[i - 1]) / (c.log_x[i] - c.log_x[i - 1]);
      return c.y[i - 1] + w * (c.y[i] - c.y[i - 1]);
    }
  }
  return c.y[N - 1];
}

// log10 (to the last bit) of N_d = 10, 20, 30, 40, 50, 60, 80, 100, 300.
constexpr double kNdLog[9] = {1.0,
                              1.3010299956639813,
                              1.4771212547196624,
                              1.6020599913279625,
                              1.6989700043360187,
                              1.7781512503836436,
                              1.9030899869919435,
                              2.0,
                              2.4771212547196626};
constexpr Chart<9> kL1 = {
    {kNdLog[0], kNdLog[1], kNdLog[2], kNdLog[3], kNdLog[4], kNdLog[5],
     kNdLog[6], kNdLog[7], kNdLog[8]},
    {2.0, 2.0, 1.7, 1.35, 1.1, 1.0, 1.0, 1.0, 1.0}};
constexpr Chart<9> kL2 = {
    {kNdLog[0], kNdLog[1], kNdLog[2], kNdLog[3], kNdLog[4], kNdLog[5],
     kNdLog[6], kNdLog[7], kNdLog[8]},
    {0.4, 0.55, 0.75, 0.9, 1.0, 1.05, 1.1, 1.1, 1.1}};

// log10 (to the last bit) of N_L = 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2,
// 0.5, 1.
#define PIPECORR_DR_NL_LOG                                                   \
  {                                                                          \
    -2.6989700043360187, -2.3010299956639813, -2.0, -1.6989700043360187,     \
        -1.3010299956639813, -1.0, -0.6989700043360187, -0.3010299956639812, \
        0.0                                                                  \
  }
constexpr Chart<9> kF1 = {PIPECORR_DR_NL_LOG,
                          {1.3, 1.3, 1.3, 1.35, 1.5, 1.75, 2.0, 1.9, 1.7}};
constexpr Chart<9> kF2 = {
    PIPECORR_DR_NL_LOG, {0.24, 0.24, 0.24, 0.22, 0.17, 0.12, 0.08, 0.06, 0.05}};
constexpr Chart<9> kF3 = {PIPECORR_DR_NL_LOG,
                          {1.0, 1.05, 1.15, 1.3, 1.6, 2.0, 2.6, 3.2, 3.5}};
constexpr Chart<9> kF4 = {
    PIPECORR_DR_NL_LOG, {25.0, 28.0, 32.0, 38.0, 47.0, 55.0, 60.0, 60.0, 60.0}};
constexpr Chart<9> kF5 = {
    PIPECORR_DR_NL_LOG, {0.22, 0.2, 0.18, 0.15, 0.11, 0.08, 0.06, 0.04, 0.03}};
constexpr Chart<9> kF6 = {PIPECORR_DR_NL_LOG,
                          {0.8, 0.6, 0.3, -0.1, -0.4, 0.2, 1.2, 2.0, 2.2}};
constexpr Chart<9> kF7 = {
    PIPECORR_DR_NL_LOG,
    {0.12, 0.1, 0.08, 0.06, 0.045, 0.035, 0.03, 0.025, 0.02}};
#undef PIPECORR_DR_NL_LOG

// log10 of f1 R N_d^(2/3) = 0.001, 0.01, 0.1, 1, 10, 100.
constexpr Chart<6> kF2Correction = {{-3.0, -2.0, -1.0, 0.0, 1.0, 2.0},
                                    {1.0, 0.98, 0.85, 0.55, 0.3, 0.18}};

}  // namespace

BoundaryNumbers boundary_numbers(double nd) noexcept {
  const double lx = log_of(nd);
  return {read(kL1, lx), read(kL2, lx)};
}

SlipNumbers slip_numbers(double nl) noexcept {
  const double lx = log_of(nl);
  return {read(kF1, lx), read(kF2, lx), read(kF3, lx), read(kF4, lx),
          read(kF5, lx), read(kF6, lx), read(kF7, lx)};
}

double f2_correction(double argument) noexcept {
  return read(kF2Correction, log_of(argument));
}

}  // namespace pipecorr::wells::dr
