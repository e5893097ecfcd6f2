#include "studies/traverse.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "numbers/number_text.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

struct Local {
  FlowInputs inputs;
  FlowResult result;
};

Local evaluate(const Correlation& correlation, const TraverseCase& pipe,
               const Segment& segment, double pressure) {
  const double area =
      std::numbers::pi * segment.diameter * segment.diameter / 4.0;
  Local local;
  auto& in = local.inputs;
  in.rol = pipe.liquid_density;
  in.rog = pipe.gas_density * pressure / pipe.reference_pressure;
  in.usl = pipe.liquid_rate / (pipe.liquid_density * area);
  in.usg = pipe.gas_rate / (in.rog * area);
  in.visl = pipe.liquid_viscosity;
  in.visg = pipe.gas_viscosity;
  in.eps = segment.roughness;
  in.sigma = pipe.surface_tension;
  in.diam = segment.diameter;
  in.fi = segment.inclination;
  in.p = pressure;
  correlation.call(in, local.result);
  return local;
}

TraverseStation station_at(double distance, double elevation,
                           std::size_t segment, const Local& local) {
  TraverseStation station;
  station.distance = distance;
  station.elevation = elevation;
  station.segment = segment;
  station.pressure = local.inputs.p;
  station.gas_density = local.inputs.rog;
  station.usl = local.inputs.usl;
  station.usg = local.inputs.usg;
  station.dp = local.result.dp;
  station.holdup = local.result.holdup;
  station.id = local.result.id;
  station.ierr = local.result.ierr;
  station.errmsg = std::string(local.result.message());
  return station;
}

// Why the march cannot go on from a pressure, or nothing.
std::string pressure_trouble(double pressure) {
  if (!std::isfinite(pressure)) {
    return "the pressure is no longer a finite number (the correlation's "
           "gradient is too large for this pipe)";
  }
  if (!(pressure > 0.0)) {
    return "the pressure falls to zero; the pipe cannot carry this flow "
           "from this inlet pressure";
  }
  return {};
}

// Why the march cannot go on from this result, or nothing.
std::string trouble(const Local& local) {
  if (local.result.ierr != 0) {
    std::string why =
        "the correlation reports error " + std::to_string(local.result.ierr);
    if (!local.result.message().empty()) {
      why += ": " + std::string(local.result.message());
    }
    return why;
  }
  return {};
}

std::string place(double distance, std::size_t segment) {
  return "at " + fixed(distance, 1) + " m (segment " + std::to_string(segment) +
         ")";
}

}  // namespace

Traverse run_traverse(const Correlation& correlation, const TraverseCase& pipe,
                      double step, std::size_t max_steps) {
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
  double total_steps = 0.0;
  for (const auto& segment : pipe.profile) {
    total_steps += std::max(1.0, std::ceil(segment.length / step));
  }
  if (total_steps > static_cast<double>(max_steps)) {
    throw Error("step " + shortest(step) +
                " m is too small for this pipe: it would take " +
                shortest(total_steps) + " steps, more than " +
                std::to_string(max_steps));
  }

  Traverse traverse;
  double distance = 0.0;
  double elevation = 0.0;
  double pressure = pipe.inlet_pressure;
  for (std::size_t s = 0; s < pipe.profile.size(); ++s) {
    const Segment& segment = pipe.profile[s];
    const std::size_t number = s + 1;
    const auto steps = static_cast<std::size_t>(
        std::max(1.0, std::ceil(segment.length / step)));
    const double dx = segment.length / static_cast<double>(steps);
    const double rise =
        dx * std::sin(segment.inclination * std::numbers::pi / 180.0);
    const double segment_from = distance;
    const double elevation_from = elevation;
    for (std::size_t k = 0; k < steps; ++k) {
      // Predictor-corrector (Heun): the gradient at the start of the step
      // and at the predicted end, averaged. Exact where the gradient does
      // not change along the step, second order where it does.
      const Local start = evaluate(correlation, pipe, segment, pressure);
      traverse.stations.push_back(
          station_at(distance, elevation, number, start));
      traverse.stations.back().segment_start = k == 0;
      if (auto why = trouble(start); !why.empty()) {
        traverse.stopped = place(distance, number) + ": " + why;
        return traverse;
      }
      const double predicted = pressure - start.result.dp * dx;
      if (auto why = pressure_trouble(predicted); !why.empty()) {
        traverse.stopped = place(distance + dx, number) + ": " + why;
        return traverse;
      }
      const Local end = evaluate(correlation, pipe, segment, predicted);
      if (auto why = trouble(end); !why.empty()) {
        traverse.stopped = place(distance + dx, number) + ": " + why;
        return traverse;
      }
      const double next =
          pressure - 0.5 * (start.result.dp + end.result.dp) * dx;
      if (auto why = pressure_trouble(next); !why.empty()) {
        traverse.stopped = place(distance + dx, number) + ": " + why;
        return traverse;
      }
      pressure = next;
      // From the step count, not a running sum, so each segment ends
      // exactly where its length says.
      distance = segment_from + static_cast<double>(k + 1) * dx;
      elevation = elevation_from + static_cast<double>(k + 1) * rise;
    }
  }
  const Local outlet =
      evaluate(correlation, pipe, pipe.profile.back(), pressure);
  traverse.stations.push_back(
      station_at(distance, elevation, pipe.profile.size(), outlet));
  if (auto why = trouble(outlet); !why.empty()) {
    traverse.stopped = place(distance, pipe.profile.size()) + ": " + why;
  }
  return traverse;
}

}  // namespace pipecorr::hostkit
