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
//   key                     kind                 default / alternatives
//   units                   field | si           required
//   title                   text                 the case file's name
//   survey                  CSV file             required (well_tables.hpp)
//   tvd_method              minimum_curvature | average_angle
//                                                minimum_curvature
//   inside_diameter         diameter             } or pipe (a CSV of
//   roughness               roughness            } sections)
//   pipe                    CSV file
//   api                     number, 5..100       required
//   gas_gravity             number (air = 1)     required, 0.55..3
//   water_gravity           number (water = 1)   1, 0.9..1.5
//   co2, h2s, n2            fraction (or %)      0; their sum below 1
//   separator_pressure      pressure             114.7 psia (100 psig)
//   separator_temperature   temperature          60 °F
//   pseudo_critical         sutton | standing | standing_condensate |
//                           hankinson_thomas_phillips          sutton
//   non_hydrocarbons        kay_mixing | whole_gas             kay_mixing
//   z_factor                hall_yarborough | dranchuk_abou_kassem
//   solution_gas            standing | vasquez_beggs           standing
//   dead_oil_viscosity      beggs_robinson | glaso             beggs_robinson
//   live_oil_viscosity      beggs_robinson | chew_connally     beggs_robinson
//   oil_rate + water_rate   liquid rates         } one pair required: the
//   liquid_rate + water_cut liquid rate, fraction} cut goes with the liquid
//   glr | gor | gas_rate    ratio or gas rate    one required
//   flow                    producer | injector  producer
//   wellhead_pressure       pressure             } one required; the march
//   bottomhole_pressure     pressure             } answers the other end
//   wellhead_temperature    temperature          } a line in TVD from the
//   bottomhole_temperature  temperature          } top to the deepest TVD,
//   temperature_profile     CSV file (md, temperature)   or a profile
//   temperature_model       linear | ramey       linear (ramey: producers,
//                                                with the two temperatures)
//   correlation             names, comma list    the catalogue's first
//   step                    depth                100 ft (longest march step)
//   tolerance               pressure             1 Pa (march tolerance)
//   lift_rates              liquid rates, list   none: no lift curves
//   lift_glrs               ratios, list         } one of, or neither (the
//   lift_wellhead_pressures pressures, list      } case's one curve)
//   reservoir_pressure      pressure             } an inflow: with
//   productivity_index      productivity index   } productivity_index (a
//   vogel_max_rate          liquid rate          } line) or vogel_max_rate
//
// Pressures are absolute (gauge units are refused). Rates are standard
// volumes (60 °F, 14.696 psia); glr is gas per oil and water together,
// gor gas per oil. Lists take one unit after the last value or one with
// each ("100, 200, 400 STB/d"), at most 100 values; lift rates increase.
#pragma once

#include <filesystem>
#include <functional>
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
  well::MarchOptions march;               // step and tolerance
  LiftSettings lift;

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
