// A pressure-traverse case: what enters the pipe, the fluids, and the pipe
// itself as a profile of straight segments.
//
// The case file holds `key = value` lines ('#' starts a comment); its
// `profile` key names a CSV with columns length,inclination,diameter,
// roughness (m, degrees from horizontal positive uphill along the flow, m,
// m), one segment a line, in flow order, relative to the case file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pipecorr::hostkit {

struct Segment {
  double length = 0.0;       // m
  double inclination = 0.0;  // degrees from horizontal, uphill > 0
  double diameter = 0.0;     // m
  double roughness = 0.0;    // m
};

struct TraverseCase {
  std::string title;
  double inlet_pressure = 0.0;      // Pa
  double liquid_rate = 0.0;         // kg/s
  double gas_rate = 0.0;            // kg/s
  double liquid_density = 0.0;      // kg/m3
  double liquid_viscosity = 0.0;    // Pa s
  double surface_tension = 0.0;     // N/m
  double gas_density = 0.0;         // kg/m3 at the reference pressure
  double reference_pressure = 0.0;  // Pa
  double gas_viscosity = 0.0;       // Pa s
  std::filesystem::path profile_path;
  std::vector<Segment> profile;

  [[nodiscard]] double total_length() const;
};

// Parses a profile table; `source` names it in messages ("file:line: ...").
// Throws Error for a missing or unknown column, a bad cell, a segment
// that makes no sense or an empty profile.
[[nodiscard]] std::vector<Segment> parse_profile(std::string_view text,
                                                 const std::string& source);

// Parses a case text without its profile; throws Error with the line.
[[nodiscard]] TraverseCase parse_case_text(std::string_view text,
                                           const std::string& source);

// Reads a case file and the profile it names.
[[nodiscard]] TraverseCase load_case(const std::filesystem::path& path);

}  // namespace pipecorr::hostkit
