// A producing (or injecting) well as a field case describes it: survey,
// tubing, temperatures, a black-oil fluid with rates at standard
// conditions, and the pressure known at one end. Everything here is SI;
// `units` remembers the system the case was written in, for reports.
//
// The case file holds `key = value` lines (text/key_value.hpp: '#' starts
// a comment at a line's start or after a blank). A value may carry its own
// unit ("150 psi", "2.441 in", units/quantity.hpp); a bare number takes
// the unit `units` gives its kind. Files are named relative to the case.
//
// The keys, their dimensions and defaults are the table in
// cases/well_case_keys.hpp (and docs/well-cases.md, held to it by a test).
//
// Pressures are absolute (gauge units are refused). Rates are standard
// volumes (60 °F, 14.696 psia); glr is gas per oil and water together,
// gor gas per oil. Lists take one unit after the last value or one with
// each ("100, 200, 400 STB/d"), at most 100 values; lift rates increase.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <span>
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
struct TemperatureSettings {
  // Linear in TVD between the wellhead and the deepest TVD (geothermal),
  // both in K; or a measured profile by md.
  std::optional<double> wellhead;
  std::optional<double> bottom_hole;
  std::vector<well::TemperaturePoint> profile;  // empty unless given
  // Ramey's flowing temperature with Shiu & Beggs' relaxation distance,
  // from the geothermal line (producers only).
  bool ramey = false;
};

// How the gradient at a point is made beside the correlation's.
struct GradientSettings {
  // Where the in-situ fluid has no free gas or no liquid, the host's own
  // single-phase gradient (head and Moody friction) instead of the
  // correlation's.
  bool single_phase_by_host = true;
  // The kinetic (acceleration) term of the expanding mixture added to the
  // correlation's gradient, which has none.
  bool acceleration = true;
};

// Lift curves asked for by the case (all optional).
struct LiftSettings {
  std::vector<double> liquid_rates;        // std m3/s
  std::vector<double> gas_liquid_ratios;   // std m3/m3; empty: the case's
  std::vector<double> wellhead_pressures;  // Pa; empty: the case's
  // Inflow: straight line (reservoir pressure and productivity index) or
  // Vogel (reservoir pressure and the absolute open flow).
  std::optional<double> reservoir_pressure;  // Pa
  std::optional<double> productivity_index;  // std m3/s per Pa
  std::optional<double> vogel_max_rate;      // std m3/s of liquid
};

// The axes of a lift table for a reservoir simulator (all optional: an
// empty list takes a default made from the case, studies/vfp_axes.hpp).
// Types are the deck's words; values are SI (standard m3/s, Pa, m3/m3, a
// plain fraction for WCT and WOR).
struct VfpSettings {
  std::string rate_type;   // "LIQ", "OIL", "GAS" (injectors: "WAT" too)
  std::string water_type;  // "WCT", "WOR", "WGR"
  std::string gas_type;    // "GOR", "GLR", "OGR"
  std::vector<double> rates;
  std::vector<double> thp;
  std::vector<double> water;
  std::vector<double> gas;
};

struct WellCase {
  std::string title;
  std::filesystem::path source;  // the case file, for messages
  UnitSystem units = UnitSystem::kField;

  std::vector<well::SurveyStation> survey;  // md, inclination (from vertical)
  well::TvdMethod tvd_method = well::TvdMethod::kMinimumCurvature;
  well::PipeSections pipe = well::PipeSections::whole_well(0.0621, 1.5e-5);
  TemperatureSettings temperature;

  fluids::FluidDescription fluid;
  fluids::StandardRates rates;  // oil, water, all produced gas
  well::FlowDirection flow = well::FlowDirection::kUpTheWell;

  well::KnownEnd known_end = well::KnownEnd::kWellhead;
  double known_pressure = 0.0;  // Pa

  std::vector<std::string> correlations;  // catalogue names; empty: first
  GradientSettings gradient;
  well::MarchOptions march;  // step and tolerance
  LiftSettings lift;
  VfpSettings vfp;

  // The files the case named and load_well_case read (survey, pipe,
  // temperature profile): inputs no output of the job may replace.
  std::vector<std::filesystem::path> tables;
};

// Reads a field case and the files it names (survey, pipe sections,
// temperature profile), relative to the case file. Throws Error naming the
// file, the line and the key ("well.case:7: key 'wellhead_pressure': unit
// 'psig' ..."), or a table and its line; nothing of a half-read case is
// returned.
[[nodiscard]] WellCase load_well_case(const std::filesystem::path& path);

// The same for a case text already read: the files it names come from
// `given` when there (by the path the reader asks for), else from the
// disk, and only those read from the disk count as its `tables`.
[[nodiscard]] WellCase load_well_case_text(
    const std::string& text, const std::filesystem::path& path,
    const std::map<std::string, std::string>& given = {});

// The same from text already in memory. `read_file` is handed the path of
// each file the case names (a relative name joined to the case's folder)
// and returns its text, or throws Error (tests give their own).
[[nodiscard]] WellCase parse_well_case(
    std::string_view text, const std::filesystem::path& source,
    const std::function<std::string(const std::filesystem::path&)>& read_file);

// The path of the case's survey, its TVD by the case's method. The case
// was checked by building it once, so this does not throw for a case
// that parse_well_case returned.
[[nodiscard]] well::WellPath well_path(const WellCase& well_case);

// Why a longest march step of `step` m cannot serve the case's well
// ("would take more than 100000 steps over the well's 10000 ft of md", in
// the case's units), or nothing.
[[nodiscard]] std::string step_trouble(const WellCase& well_case, double step);

// Whether a case text is a field case (it names a survey) rather than a
// pipeline case of mass rates and a profile.
[[nodiscard]] bool is_well_case(std::string_view text);

// Every key a field case may give, in the order the header lists them.
[[nodiscard]] std::span<const std::string_view> well_case_keys();

}  // namespace pipecorr::hostkit
