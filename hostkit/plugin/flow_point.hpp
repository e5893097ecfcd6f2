// One calculation point as the host hands it to a correlation, and what the
// correlation hands back.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "pipecorr/pipecorr.h"

namespace pipecorr::hostkit {

inline constexpr std::size_t kInputCount = 11;

// The interface's argument names, in argument order.
inline constexpr std::array<std::string_view, kInputCount> kInputNames{
    "usl", "usg",   "rol",  "rog", "visl", "visg",
    "eps", "sigma", "diam", "fi",  "p"};

// Their SI units as people write them, as table columns spell them after
// the name ("usl_m_per_s"), and what they mean.
inline constexpr std::array<std::string_view, kInputCount> kInputUnits{
    "m/s", "m/s", "kg/m3", "kg/m3", "Pa s", "Pa s",
    "m",   "N/m", "m",     "deg",   "Pa"};
inline constexpr std::array<std::string_view, kInputCount> kInputColumnUnits{
    "m_per_s", "m_per_s", "kg_per_m3", "kg_per_m3", "Pa_s", "Pa_s",
    "m",       "N_per_m", "m",         "deg",       "Pa"};
inline constexpr std::array<std::string_view, kInputCount> kInputMeanings{
    "superficial liquid velocity",
    "superficial gas velocity",
    "liquid density",
    "gas density",
    "liquid viscosity",
    "gas viscosity",
    "absolute wall roughness",
    "surface tension",
    "pipe inside diameter",
    "inclination from horizontal, positive uphill",
    "pressure"};

// SI units, inclination in degrees from horizontal (positive uphill).
struct FlowInputs {
  double usl = 0.0;
  double usg = 0.0;
  double rol = 0.0;
  double rog = 0.0;
  double visl = 0.0;
  double visg = 0.0;
  double eps = 0.0;
  double sigma = 0.0;
  double diam = 0.0;
  double fi = 0.0;
  double p = 0.0;

  // The inputs in argument order, so tables can be read and written by index.
  [[nodiscard]] std::array<double*, kInputCount> fields() {
    return {&usl, &usg, &rol, &rog, &visl, &visg, &eps, &sigma, &diam, &fi, &p};
  }
  [[nodiscard]] std::array<double, kInputCount> values() const {
    return {usl, usg, rol, rog, visl, visg, eps, sigma, diam, fi, p};
  }
};

inline constexpr std::size_t kMessageLength = PIPECORR_ERRMSG_LEN;

struct FlowResult {
  double dp = 0.0;      // Pa/m, positive when pressure falls along the flow
  double holdup = 0.0;  // liquid fraction
  std::int32_t id = 0;  // flow-pattern code
  std::int32_t iaux = 0;
  std::int32_t ierr = 0;
  std::array<char, kMessageLength> errmsg{};

  // The message without its blank padding.
  [[nodiscard]] std::string_view message() const {
    std::string_view text(errmsg.data(), errmsg.size());
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{}
                                         : text.substr(0, end + 1);
  }
};

}  // namespace pipecorr::hostkit
