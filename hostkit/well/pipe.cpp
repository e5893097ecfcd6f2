#include "well/pipe.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "numbers/number_text.hpp"

namespace pipecorr::well {
namespace {

// Empty when the diameter and roughness are usable, else why not.
std::string pipe_trouble(double diameter, double roughness) {
  if (!(diameter > 0.0) || !std::isfinite(diameter)) {
    return "inside diameter " + number_text(diameter) +
           " m is not a positive length";
  }
  if (!(roughness >= 0.0) || !std::isfinite(roughness)) {
    return "roughness " + number_text(roughness) +
           " m is not a length of zero or more";
  }
  return {};
}

std::string section_text(std::size_t i, const PipeSection& s) {
  return "pipe section " + std::to_string(i + 1) + " (md " +
         number_text(s.top_md) + " to " + number_text(s.bottom_md) + " m)";
}

}  // namespace

PipeSections::PipeSections(std::vector<PipeSection> sections, bool whole_well)
    : sections_(std::move(sections)), whole_well_(whole_well) {}

PipeSections PipeSections::whole_well(double diameter, double roughness) {
  if (auto why = pipe_trouble(diameter, roughness); !why.empty()) {
    throw WellInputError("pipe: " + why);
  }
  constexpr double kEverywhere = std::numeric_limits<double>::infinity();
  return PipeSections({{-kEverywhere, kEverywhere, diameter, roughness}}, true);
}

PipeSections PipeSections::by_md(std::vector<PipeSection> sections) {
  if (sections.empty()) {
    throw WellInputError("pipe: no sections given");
  }
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const PipeSection& s = sections[i];
    std::string why = pipe_trouble(s.diameter, s.roughness);
    if (why.empty() &&
        !(std::isfinite(s.top_md) && std::isfinite(s.bottom_md))) {
      why = "its ends must be finite depths";
    }
    if (why.empty() && !(s.top_md < s.bottom_md)) {
      why = "its top must lie above its bottom";
    }
    if (why.empty() && i > 0 && s.top_md != sections[i - 1].bottom_md) {
      why = "it must start where the section above ends, at md " +
            number_text(sections[i - 1].bottom_md) + " m (" +
            (s.top_md > sections[i - 1].bottom_md ? "a gap" : "an overlap") +
            ")";
    }
    if (!why.empty()) throw WellInputError(section_text(i, s) + ": " + why, i);
  }
  return PipeSections(std::move(sections), false);
}

void PipeSections::check_covers(double top_md, double bottom_md) const {
  if (whole_well_) return;
  const PipeSection& first = sections_.front();
  const PipeSection& last = sections_.back();
  if (first.top_md > top_md || last.bottom_md < bottom_md) {
    throw WellInputError(
        "pipe: the sections cover md " + number_text(first.top_md) + " to " +
        number_text(last.bottom_md) + " m, not the whole well from " +
        number_text(top_md) + " to " + number_text(bottom_md) + " m");
  }
}

PipeAt PipeSections::at(double md) const {
  // The last section whose top is at or above md.
  auto next = std::upper_bound(
      sections_.begin(), sections_.end(), md,
      [](double m, const PipeSection& s) { return m < s.top_md; });
  const PipeSection& s = next == sections_.begin() ? *next : *(next - 1);
  return {s.diameter, s.roughness};
}

}  // namespace pipecorr::well
