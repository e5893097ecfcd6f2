// The fixed points of the MB_3 / ANSARI_3 golden table and the text line
// each result becomes: every output as a hexadecimal float, so a line
// compares equal only when every bit does.
//
// The table is written by the native x86-64 build
// (`cmake --build --preset dev --target golden-mb-ansari`) and every other
// target must reproduce it. Until the portable elementary functions
// replace the placeholder that forwards to the platform's <cmath>, the
// file shows this build's bits only; rewrite it once they land.
#pragma once

#include <charconv>
#include <string>
#include <vector>

#include "wells/ansari.hpp"
#include "wells/mukherjee_brill.hpp"

namespace pipecorr::wells::golden {

struct Line {
  std::string key;   // "MB_3 17"
  std::string text;  // the whole line, key first
};

inline std::string hex(double v) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::hex);
  return std::string(buffer, end.ptr);
}

// Three fluids, five inclinations and nine rate pairs: every pattern of
// both correlations, single-phase lines and the downward hand-over.
inline std::vector<WellPoint> points() {
  struct Fluid {
    double rol, rog, visl, visg, sigma;
  };
  const Fluid fluids[] = {{1000.0, 50.0, 1e-3, 1.5e-5, 0.07},
                          {762.64, 94.19, 0.97e-3, 1.6e-5, 8.41e-3},
                          {600.0, 150.0, 2e-4, 2.5e-5, 0.005}};
  const double angles[] = {90.0, 30.0, 0.0, -30.0, -90.0};
  const double rates[][2] = {{0.5, 0.1},  {2.0, 0.5}, {5.0, 0.5},
                             {1.2, 1.2},  {0.3, 5.0}, {0.01, 15.0},
                             {0.1, 40.0}, {1.0, 0.0}, {0.0, 5.0}};
  std::vector<WellPoint> out;
  for (const Fluid& f : fluids) {
    for (const double fi : angles) {
      for (const auto& r : rates) {
        out.push_back(WellPoint{r[0], r[1], f.rol, f.rog, f.visl, f.visg,
                                4.5e-5, f.sigma, 0.1, fi, 5e6});
      }
    }
  }
  return out;
}

inline std::vector<Line> lines() {
  struct Named {
    const char* name;
    WellOutcome (*fn)(const WellPoint&);
  };
  const Named correlations[] = {{"MB_3", mukherjee_brill},
                                {"ANSARI_3", ansari}};
  std::vector<Line> out;
  const std::vector<WellPoint> ps = points();
  for (const Named& c : correlations) {
    for (std::size_t k = 0; k < ps.size(); ++k) {
      const WellOutcome r = c.fn(ps[k]);
      Line line;
      line.key = std::string(c.name) + " " + std::to_string(k);
      line.text = line.key + " ";
      if (r.ok()) {
        line.text += std::to_string(r.pattern) + " " + hex(r.holdup) + " " +
                     hex(r.dp) + " " + hex(r.friction) + " " + hex(r.elevation);
      } else {
        line.text += "failure " + std::string(r.reason);
      }
      out.push_back(line);
    }
  }
  return out;
}

}  // namespace pipecorr::wells::golden
