#include "studies/traverse.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "numbers/number_text.hpp"
#include "text/error.hpp"
#include "well/input_error.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kPascalPerBar = 1e5;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// The gas of a pipeline case is isothermal and its density needs no
// temperature, but the march asks for one along the path.
constexpr double kNominalTemperature = 288.15;  // K

// What the gradient callback keeps with each row, by slot.
enum Slot : std::size_t { kUsl, kUsg, kRog };

// The profile as a path. Its md is the distance from the inlet and its
// tvd minus the elevation, so each segment is a straight interval whose
// chord has the segment's angle; the march flows down this "well", from
// the inlet at the top. The path's TVD is given, so the march takes every
// angle from the chords; a station's own inclination only serves the
// path's checks, and at a kink between two segments it is their mean.
struct PipelinePath {
  well::WellPath path;
  well::PipeSections pipe;
  well::TemperatureModel temperature;
};

double from_vertical(const Segment& segment) {
  return 90.0 + segment.inclination;
}

PipelinePath pipeline_path(const TraverseCase& pipe) {
  const auto& profile = pipe.profile;
  if (profile.empty()) throw Error("the profile has no segment");
  std::vector<well::SurveyStation> survey;
  std::vector<well::PipeSection> sections;
  survey.reserve(profile.size() + 1);
  sections.reserve(profile.size());
  double md = 0.0;
  double tvd = 0.0;
  survey.push_back({md, from_vertical(profile.front()), std::nullopt, tvd});
  for (std::size_t k = 0; k < profile.size(); ++k) {
    const Segment& segment = profile[k];
    const double next_md = md + segment.length;
    if (!(next_md > md)) {
      throw Error("profile segment " + std::to_string(k + 1) + " (" +
                  shortest(segment.length) +
                  " m) is too short to be told apart from the " + shortest(md) +
                  " m of pipe before it");
    }
    tvd -= segment.length * std::sin(segment.inclination * kRadiansPerDegree);
    const double inclination =
        k + 1 < profile.size()
            ? 0.5 * (from_vertical(segment) + from_vertical(profile[k + 1]))
            : from_vertical(segment);
    survey.push_back({next_md, inclination, std::nullopt, tvd});
    sections.push_back({md, next_md, segment.diameter, segment.roughness});
    md = next_md;
  }
  try {
    return {well::build_path(survey),
            well::PipeSections::by_md(std::move(sections)),
            well::TemperatureProfile({{0.0, kNominalTemperature}})};
  } catch (const well::WellInputError& error) {
    throw Error(std::string("the profile cannot be marched: ") + error.what());
  }
}

// The correlation fed with the pipeline's fluids at the point.
well::GradientFunction gradient_of(const Correlation& correlation,
                                   const TraverseCase& pipe) {
  return [&correlation,
          &pipe](const well::PointConditions& at) -> well::GradientResult {
    const double area = std::numbers::pi * at.diameter * at.diameter / 4.0;
    FlowInputs in;
    in.rol = pipe.liquid_density;
    in.rog = pipe.gas_density * at.pressure / pipe.reference_pressure;
    in.usl = pipe.liquid_rate / (pipe.liquid_density * area);
    in.usg = pipe.gas_rate / (in.rog * area);
    in.visl = pipe.liquid_viscosity;
    in.visg = pipe.gas_viscosity;
    in.eps = at.roughness;
    in.sigma = pipe.surface_tension;
    in.diam = at.diameter;
    in.fi = at.fi;
    in.p = at.pressure;
    FlowResult result;
    correlation.call(in, result);
    well::GradientResult out;
    if (result.ierr != 0) {
      out.ok = false;
      out.message =
          "the correlation reports error " + std::to_string(result.ierr);
      if (!result.message().empty()) {
        out.message += ": " + std::string(result.message());
      }
      return out;
    }
    out.gradient = result.dp;
    out.holdup = result.holdup;
    out.pattern = result.id;
    out.recorded[kUsl] = in.usl;
    out.recorded[kUsg] = in.usg;
    out.recorded[kRog] = in.rog;
    return out;
  };
}

// The march's reasons as the pipeline's table writes its numbers.
well::QuantityText pipeline_text() {
  well::QuantityText text;
  text.depth = [](double md) { return fixed(md, 1) + " m"; };
  text.pressure = [](double p) { return fixed(p / kPascalPerBar, 3) + " bar"; };
  text.pressure_change = [](double dp) { return significant(dp, 4) + " Pa"; };
  return text;
}

WellStation station_of(const well::MarchRow& row, const TraverseCase& pipe) {
  WellStation s = march_station(row);
  s.inclination = 90.0 + row.fi;  // the march flows down the path
  s.usl = row.recorded[kUsl];
  s.usg = row.recorded[kUsg];
  s.rol = pipe.liquid_density;
  s.rog = row.recorded[kRog];
  s.visl = pipe.liquid_viscosity;
  s.visg = pipe.gas_viscosity;
  s.sigma = pipe.surface_tension;
  s.mass_flow = pipe.liquid_rate + pipe.gas_rate;
  return s;
}

}  // namespace

std::size_t segment_at(const TraverseCase& pipe, double distance) {
  double end = 0.0;
  for (std::size_t k = 0; k < pipe.profile.size(); ++k) {
    end += pipe.profile[k].length;
    if (distance <= end) return k + 1;
  }
  return pipe.profile.size();
}

WellTraverse run_traverse(const Correlation& correlation,
                          const TraverseCase& pipe, double step,
                          std::size_t max_steps) {
  if (!(step > 0.0) || !std::isfinite(step)) {
    throw Error("step must be a positive length in metres, got " +
                shortest(step));
  }
  // Every segment takes at least one step, however long the step.
  if (pipe.profile.size() > max_steps) {
    throw Error("the profile has " + std::to_string(pipe.profile.size()) +
                " segments, more than the " + std::to_string(max_steps) +
                " steps a traverse may take");
  }
  const PipelinePath line = pipeline_path(pipe);
  // Counted as the march counts them, over the path's intervals.
  double total_steps = 0.0;
  const auto stations = line.path.stations();
  for (std::size_t k = 1; k < stations.size(); ++k) {
    total_steps +=
        std::max(1.0, std::ceil((stations[k].md - stations[k - 1].md) / step));
  }
  if (total_steps > static_cast<double>(max_steps)) {
    throw Error("step " + shortest(step) +
                " m is too small for this pipe: it would take " +
                (total_steps < 1e15
                     ? std::to_string(static_cast<std::uint64_t>(total_steps))
                     : shortest(total_steps)) +
                " steps, more than " + std::to_string(max_steps));
  }

  well::MarchOptions options;
  options.max_step = step;
  options.max_steps = max_steps;
  options.rows_at_step_ends = true;
  options.text = pipeline_text();
  options.conduit = "pipe";
  const well::MarchResult result = [&] {
    try {
      return well::march({line.path, line.pipe, line.temperature},
                         well::KnownEnd::kWellhead, pipe.inlet_pressure,
                         well::FlowDirection::kDownTheWell,
                         gradient_of(correlation, pipe), options);
    } catch (const well::WellInputError& error) {
      throw Error(error.what());
    }
  }();

  WellTraverse traverse;
  traverse.correlation = correlation.name();
  traverse.stations.reserve(result.rows.size());
  for (const auto& row : result.rows) {
    traverse.stations.push_back(station_of(row, pipe));
  }
  traverse.completed = result.completed();
  traverse.stopped = result.reason;
  traverse.evaluations = result.evaluations;
  if (traverse.completed) {
    traverse.answer = result.last_pressure;
  } else {
    traverse.stopped_at =
        WellPoint{result.last_md, result.last_tvd, result.last_pressure};
  }
  return traverse;
}

}  // namespace pipecorr::hostkit
