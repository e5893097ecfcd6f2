// The tables a well case names: its survey, its pipe sections and its
// temperature profile, each a CSV (text/csv.hpp) with a header line.
//
// A plain column name takes the unit the case's system gives it ("md" is
// ft in a field case, m in an SI one); a name with a unit after an
// underscore gives its own ("md_m", "md_ft", "temperature_F",
// "diameter_in"), "_per_" standing for "/" ("rate_STB_per_d"). Angles are
// degrees, named plainly or with "_deg". Every message names the CSV and
// its line. Values come back in SI, with the line each row stood on, so a
// later check of the whole table can point at a line too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "units/quantity.hpp"
#include "well/pipe.hpp"
#include "well/survey.hpp"
#include "well/temperature.hpp"

namespace pipecorr::hostkit {

// Columns md, inclination (degrees from vertical), and optionally azimuth
// (degrees clockwise from north) and tvd. Throws Error for a bad header,
// cell or row count, or no station; the stations are not yet checked as
// a path (well::build_path does that).
struct SurveyTable {
  std::vector<well::SurveyStation> stations;
  std::vector<std::size_t> lines;
};
[[nodiscard]] SurveyTable parse_survey_table(std::string_view text,
                                             const std::string& source,
                                             UnitSystem units);

// Columns md_top, md_bottom, diameter (inside), roughness; one section a
// row from the top down. Each row's diameter and roughness are checked
// (well_limits.hpp); how the sections join is well::PipeSections' check.
struct PipeTable {
  std::vector<well::PipeSection> sections;
  std::vector<std::size_t> lines;
};
[[nodiscard]] PipeTable parse_pipe_table(std::string_view text,
                                         const std::string& source,
                                         UnitSystem units);

// Columns md, temperature; each temperature within the fluid module's
// range (well_limits.hpp).
struct TemperatureTable {
  std::vector<well::TemperaturePoint> points;
  std::vector<std::size_t> lines;
};
[[nodiscard]] TemperatureTable parse_temperature_table(
    std::string_view text, const std::string& source, UnitSystem units);

}  // namespace pipecorr::hostkit
