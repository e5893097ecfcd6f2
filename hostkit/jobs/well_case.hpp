// A producing (or injecting) well as a field case describes it: survey,
// tubing, temperatures, a black-oil fluid with rates at standard
// conditions, and the pressure known at one end. Everything here is SI;
// `units` remembers the system the case was written in, for reports.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fluids/black_oil.hpp"
#include "units/quantity.hpp"
#include "well/inclination.hpp"
#include "well/march.hpp"
#include "well/pipe.hpp"
#include "well/survey.hpp"
#include "well/temperature.hpp"

namespace pipecorr::hostkit {

// How the case gives temperatures.
struct TemperatureSpec {
  // Linear in TVD between the wellhead and the deepest TVD (geothermal),
  // both in K; or a measured profile by md.
  std::optional<double> wellhead;
  std::optional<double> bottom_hole;
  std::vector<well::TemperaturePoint> profile;  // empty unless given
  // Ramey's flowing temperature with Shiu & Beggs' relaxation distance,
  // from the geothermal line (producers only).
  bool ramey = false;
};

// Lift curves asked for by the case (all optional).
struct LiftSpec {
  std::vector<double> liquid_rates;       // std m3/s
  std::vector<double> gas_liquid_ratios;  // std m3/m3; empty: the case's
  std::vector<double> wellhead_pressures;  // Pa; empty: the case's
  // Inflow: straight line (reservoir pressure and productivity index) or
  // Vogel (reservoir pressure and the absolute open flow).
  std::optional<double> reservoir_pressure;   // Pa
  std::optional<double> productivity_index;   // std m3/s per Pa
  std::optional<double> vogel_max_rate;       // std m3/s of liquid
};

struct WellCase {
  std::string title;
  std::filesystem::path source;  // the case file, for messages
  UnitSystem units = UnitSystem::kField;

  std::vector<well::SurveyStation> survey;  // md, inclination (from vertical)
  well::TvdMethod tvd_method = well::TvdMethod::kMinimumCurvature;
  well::PipeSections pipe = well::PipeSections::whole_well(0.0621, 1.5e-5);
  TemperatureSpec temperature;

  fluids::FluidDescription fluid;
  fluids::StandardRates rates;  // oil, water, all produced gas
  well::FlowDirection flow = well::FlowDirection::kUpTheWell;

  well::KnownEnd known_end = well::KnownEnd::kWellhead;
  double known_pressure = 0.0;  // Pa

  std::vector<std::string> correlations;  // catalogue names; empty: first
  well::MarchOptions march;               // step and tolerance
  LiftSpec lift;
};

// Reads a field case and the files it names (survey, pipe sections,
// temperature profile), relative to the case file. Throws Error naming the
// file, the line and the key; nothing of a half-read case is returned.
[[nodiscard]] WellCase load_well_case(const std::filesystem::path& path);

// The same from text already in memory; `read_file` reads a named file
// relative to the case (tests give their own).
[[nodiscard]] WellCase parse_well_case(
    std::string_view text, const std::filesystem::path& source,
    const std::function<std::string(const std::filesystem::path&)>& read_file);

// Whether a case text is a field case (it names a survey) rather than a
// pipeline case of mass rates and a profile.
[[nodiscard]] bool is_well_case(std::string_view text);

}  // namespace pipecorr::hostkit
