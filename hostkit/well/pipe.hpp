// The pipe the fluid flows in: inside diameter and wall roughness, for the
// whole well or section by section along measured depth.
#pragma once

#include <span>
#include <vector>

#include "well/input_error.hpp"

namespace pipecorr::well {

// One length of pipe between two measured depths (m, top < bottom).
struct PipeSection {
  double top_md = 0.0;     // m
  double bottom_md = 0.0;  // m
  double diameter = 0.0;   // inside diameter, m (> 0)
  double roughness = 0.0;  // absolute wall roughness, m (>= 0)
};

// The pipe at one point.
struct PipeAt {
  double diameter = 0.0;   // m
  double roughness = 0.0;  // m
};

// Validated pipe data: either one pipe for the whole well, or sections
// listed from the top down, each starting exactly where the one above
// ends (no gap, no overlap).
class PipeSections {
 public:
  // One pipe for any depth. Throws WellInputError for a diameter that is
  // not positive or a roughness that is negative (or either not finite).
  [[nodiscard]] static PipeSections whole_well(double diameter,
                                               double roughness);

  // Sections by md. Throws WellInputError naming the first bad section:
  // none given, a bad diameter or roughness, top not above bottom, or a
  // section not starting at the bottom of the one before.
  [[nodiscard]] static PipeSections by_md(std::vector<PipeSection> sections);

  // Whether one pipe serves the whole well.
  [[nodiscard]] bool is_whole_well() const { return whole_well_; }

  // The sections from the top down (one section spanning all depths for a
  // whole-well pipe).
  [[nodiscard]] std::span<const PipeSection> sections() const {
    return sections_;
  }

  // Throws WellInputError when the sections leave part of the md range
  // [top_md, bottom_md] (m) without pipe.
  void check_covers(double top_md, double bottom_md) const;

  // The pipe at `md` (m). At a boundary between two sections, the lower
  // one; outside all sections, the nearest end section.
  [[nodiscard]] PipeAt at(double md) const;

 private:
  PipeSections(std::vector<PipeSection> sections, bool whole_well);

  std::vector<PipeSection> sections_;
  bool whole_well_;
};

}  // namespace pipecorr::well
