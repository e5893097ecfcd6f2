#include "well/march.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "numbers/number_text.hpp"

namespace pipecorr::well {
namespace {

// A point where the march must place a step end: a survey station, or the
// end of a pipe section between two stations.
struct Node {
  double md;
  double tvd;
  RowKind kind;
};

// The pipe between two neighbouring nodes.
struct Interval {
  double fi;
  PipeAt pipe;
  std::size_t steps;
};

struct Plan {
  std::vector<Node> nodes;
  std::vector<Interval> intervals;  // [i] joins nodes[i] and nodes[i + 1]
  std::size_t total_steps = 0;
};

// The quantities of a reason, in the caller's units or else in SI.
std::string written(const std::function<std::string(double)>& text,
                    double value, const char* si_unit) {
  if (text) return text(value);
  return number_text(value) + " " + si_unit;
}
std::string depth_text(const QuantityText& t, double md) {
  return written(t.depth, md, "m");
}
std::string pressure_text(const QuantityText& t, double p) {
  return written(t.pressure, p, "Pa");
}
std::string change_text(const QuantityText& t, double dp) {
  return written(t.pressure_change, dp, "Pa");
}
std::string temperature_text(const QuantityText& t, double kelvin) {
  return written(t.temperature, kelvin, "K");
}

void check_inputs(const MarchWell& well, double known_pressure,
                  const GradientFunction& gradient, const MarchOptions& o) {
  if (!(known_pressure > 0.0) || !std::isfinite(known_pressure)) {
    throw WellInputError("march: the known pressure " +
                         number_text(known_pressure) +
                         " Pa must be positive and finite (absolute)");
  }
  if (!(o.max_step > 0.0) || !std::isfinite(o.max_step)) {
    throw WellInputError("march: the maximum step " + number_text(o.max_step) +
                         " m must be a positive length");
  }
  if (!(o.absolute_tolerance > 0.0) || !std::isfinite(o.absolute_tolerance)) {
    throw WellInputError("march: the absolute pressure tolerance " +
                         number_text(o.absolute_tolerance) +
                         " Pa must be positive and finite");
  }
  if (!(o.relative_tolerance >= 0.0) || !std::isfinite(o.relative_tolerance)) {
    throw WellInputError("march: the relative pressure tolerance " +
                         number_text(o.relative_tolerance) +
                         " must be zero or more and finite");
  }
  if (o.max_iterations < 1) {
    throw WellInputError("march: at least one iteration per step is needed");
  }
  if (o.max_steps < 1) {
    throw WellInputError("march: the step limit must allow at least one step");
  }
  if (!gradient) {
    throw WellInputError("march: no gradient callback given");
  }
  well.pipe.check_covers(well.path.top_md(), well.path.bottom_md());
  check_temperature(well.temperature, well.path);
}

// Ends of pipe sections strictly inside the path, from the top down.
std::vector<double> pipe_changes(const MarchWell& well) {
  std::vector<double> changes;
  if (well.pipe.is_whole_well()) return changes;
  const auto sections = well.pipe.sections();
  for (std::size_t j = 0; j + 1 < sections.size(); ++j) {
    const double md = sections[j].bottom_md;
    if (md > well.path.top_md() && md < well.path.bottom_md()) {
      changes.push_back(md);
    }
  }
  return changes;
}

Plan make_plan(const MarchWell& well, FlowDirection flow,
               const MarchOptions& o) {
  const auto stations = well.path.stations();
  const std::vector<double> changes = pipe_changes(well);
  Plan plan;
  plan.nodes.reserve(stations.size() + changes.size());
  plan.intervals.reserve(stations.size() + changes.size());
  auto add_interval = [&](double from, double to, double fi) {
    const double steps = std::max(1.0, std::ceil((to - from) / o.max_step));
    if (steps > static_cast<double>(o.max_steps - plan.total_steps)) {
      throw WellInputError(
          "march: a maximum step of " + depth_text(o.text, o.max_step) +
          " would need more than " + std::to_string(o.max_steps) +
          " steps for this well");
    }
    const auto n = static_cast<std::size_t>(steps);
    plan.total_steps += n;
    plan.intervals.push_back({fi, well.pipe.at(0.5 * (from + to)), n});
  };

  plan.nodes.push_back(
      {stations[0].md, stations[0].tvd, RowKind::kSurveyStation});
  std::size_t next_change = 0;
  for (std::size_t i = 1; i < stations.size(); ++i) {
    const PathStation& a = stations[i - 1];
    const PathStation& b = stations[i];
    // Every part of a survey interval has its chord's angle, so the
    // gravity head over it is exactly its TVD change.
    const double fi =
        flow_inclination(chord_inclination(b.tvd - a.tvd, b.md - a.md), flow);
    double from = a.md;
    for (; next_change < changes.size() && changes[next_change] < b.md;
         ++next_change) {
      const double md = changes[next_change];
      // A section ending at a station needs no node of its own: the
      // station is already one, and an interval of no length would give
      // a second row there.
      if (!(md > a.md)) continue;
      const double tvd =
          a.tvd + (b.tvd - a.tvd) * ((md - a.md) / (b.md - a.md));
      add_interval(from, md, fi);
      plan.nodes.push_back({md, tvd, RowKind::kPipeChange});
      from = md;
    }
    add_interval(from, b.md, fi);
    plan.nodes.push_back({b.md, b.tvd, RowKind::kSurveyStation});
  }
  return plan;
}

// The march's running state and its result.
class Marcher {
 public:
  Marcher(const MarchWell& well, const GradientFunction& gradient,
          const MarchOptions& options, double sign)
      : well_(well), gradient_(gradient), options_(options), sign_(sign) {}

  MarchResult& result() { return result_; }

  // A row where the march stopped inside an interval: the start of the
  // step that failed, whose pressure is known. The reason stays the one
  // that stopped the march; a point that cannot be evaluated gets no row.
  void stop_row(double md, double tvd, const Interval& interval,
                int iterations) {
    const MarchOutcome outcome = result_.outcome;
    std::string reason = std::move(result_.reason);
    row(md, tvd, interval, RowKind::kStepEnd, iterations);
    result_.outcome = outcome;
    result_.reason = std::move(reason);
  }

  // Evaluates and records a row at (md, tvd) with the pressure reached.
  bool row(double md, double tvd, const Interval& interval, RowKind kind,
           int iterations) {
    PointConditions c;
    if (!conditions(md, tvd, interval, c)) return false;
    c.pressure = pressure_;
    GradientResult r;
    // A row at a step end is there only when asked for: it must not
    // steer the next step's first guess, so asking for more rows never
    // changes the pressures the march finds.
    const double guess = last_gradient_;
    if (!evaluate(c, r)) return false;
    if (kind == RowKind::kStepEnd) last_gradient_ = guess;
    MarchRow& out = result_.rows.emplace_back();
    out.md = md;
    out.tvd = tvd;
    out.fi = c.fi;
    out.diameter = c.diameter;
    out.roughness = c.roughness;
    out.temperature = c.temperature;
    out.pressure = pressure_;
    out.gradient = r.gradient;
    out.holdup = r.holdup;
    out.pattern = r.pattern;
    out.recorded = r.recorded;
    out.kind = kind;
    out.step_iterations = iterations;
    return true;
  }

  // One step from (md_a, tvd_a), where the pressure is known, to
  // (md_b, tvd_b). Returns the evaluations it took, 0 when it stopped the
  // march.
  int step(double md_a, double tvd_a, double md_b, double tvd_b,
           const Interval& interval) {
    const double length = std::fabs(md_b - md_a);
    PointConditions c;
    if (!conditions(0.5 * (md_a + md_b), 0.5 * (tvd_a + tvd_b), interval, c)) {
      return 0;
    }
    const double start = pressure_;
    // The latest gradient (the row just written, or the step before) is a
    // close first guess: a steady gradient settles in one evaluation.
    double end = start + sign_ * last_gradient_ * length;
    double change = 0.0;
    double tolerance = 0.0;
    for (int iteration = 1; iteration <= options_.max_iterations; ++iteration) {
      c.pressure = 0.5 * (start + end);
      // A first guess from a huge gradient: named at the step's start,
      // whose pressure is known, and never handed to the callback.
      if (!std::isfinite(c.pressure)) return end_not_finite(md_a, start);
      if (!(c.pressure > 0.0)) {
        return pressure_gone(md_a, md_b);
      }
      GradientResult r;
      if (!evaluate(c, r)) return 0;
      const double next = start + sign_ * r.gradient * length;
      if (!std::isfinite(next)) return end_not_finite(md_a, start);
      change = std::fabs(next - end);
      tolerance =
          std::max(options_.absolute_tolerance,
                   options_.relative_tolerance * std::fabs(next - start));
      end = next;
      if (change <= tolerance) {
        if (!(end > 0.0)) return pressure_gone(md_a, md_b);
        pressure_ = end;
        result_.last_md = md_b;
        result_.last_tvd = tvd_b;
        result_.last_pressure = end;
        ++result_.steps;
        return iteration;
      }
    }
    return stop(MarchOutcome::kNotConverged,
                "the step from md " + depth(md_a) + " to " + depth(md_b) +
                    " did not settle in " +
                    std::to_string(options_.max_iterations) +
                    " evaluations: its end pressure still moved by " +
                    change_text(options_.text, change) + ", tolerance " +
                    change_text(options_.text, tolerance));
  }

  void start_at(double md, double tvd, double pressure) {
    pressure_ = pressure;
    result_.last_md = md;
    result_.last_tvd = tvd;
    result_.last_pressure = pressure;
  }

 private:
  bool conditions(double md, double tvd, const Interval& interval,
                  PointConditions& c) {
    c.md = md;
    c.tvd = tvd;
    c.fi = interval.fi;
    c.diameter = interval.pipe.diameter;
    c.roughness = interval.pipe.roughness;
    c.temperature = temperature_at(well_.temperature, md, tvd);
    if (!(c.temperature > 0.0) || !std::isfinite(c.temperature)) {
      stop(MarchOutcome::kBadValue,
           at_text(md, pressure_) + "the temperature model gives " +
               temperature_text(options_.text, c.temperature));
      return false;
    }
    return true;
  }

  bool evaluate(const PointConditions& c, GradientResult& r) {
    ++result_.evaluations;
    r = gradient_(c);
    if (!r.ok) {
      stop(MarchOutcome::kCallbackFailed,
           at_text(c.md, c.pressure) + "the gradient callback failed" +
               (r.message.empty() ? std::string() : ": " + r.message));
      return false;
    }
    if (!std::isfinite(r.gradient) || !std::isfinite(r.holdup)) {
      stop(MarchOutcome::kBadValue,
           at_text(c.md, c.pressure) + "the gradient callback returned " +
               (std::isfinite(r.gradient) ? "a holdup" : "a gradient") +
               " that is not a finite number");
      return false;
    }
    last_gradient_ = r.gradient;
    return true;
  }

  int end_not_finite(double md_a, double start) {
    return stop(
        MarchOutcome::kBadValue,
        at_text(md_a, start) + "the pressure at the step's end is not finite");
  }

  int pressure_gone(double md_a, double md_b) {
    return stop(MarchOutcome::kPressureNotPositive,
                "the pressure falls to zero or below between md " +
                    depth(md_a) + " and " + depth(md_b) + ": the " +
                    options_.conduit +
                    " cannot carry this flow from this pressure");
  }

  [[nodiscard]] std::string depth(double md) const {
    return depth_text(options_.text, md);
  }
  [[nodiscard]] std::string at_text(double md, double pressure) const {
    return "at md " + depth(md) + ", pressure " +
           pressure_text(options_.text, pressure) + ": ";
  }

  int stop(MarchOutcome outcome, std::string reason) {
    result_.outcome = outcome;
    result_.reason = std::move(reason);
    return 0;
  }

  const MarchWell& well_;
  const GradientFunction& gradient_;
  const MarchOptions& options_;
  const double sign_;
  double pressure_ = 0.0;
  double last_gradient_ = 0.0;
  MarchResult result_;
};

}  // namespace

MarchResult march(const MarchWell& well, KnownEnd known, double known_pressure,
                  FlowDirection flow, const GradientFunction& gradient,
                  const MarchOptions& options) {
  check_inputs(well, known_pressure, gradient, options);
  const Plan plan = make_plan(well, flow, options);

  const bool downward = known == KnownEnd::kWellhead;
  // Marching with the flow the pressure falls by the gradient; marching
  // against it, it rises.
  const bool with_flow = downward == (flow == FlowDirection::kDownTheWell);
  Marcher marcher(well, gradient, options, with_flow ? -1.0 : 1.0);
  MarchResult& result = marcher.result();
  result.rows.reserve(plan.nodes.size() +
                      (options.rows_at_step_ends ? plan.total_steps : 0));

  const std::size_t intervals = plan.intervals.size();
  // The k-th interval in march order, and its start and end nodes.
  auto interval_at = [&](std::size_t k) -> const Interval& {
    return plan.intervals[downward ? k : intervals - 1 - k];
  };
  auto from_node = [&](std::size_t k) -> const Node& {
    return plan.nodes[downward ? k : intervals - k];
  };
  auto to_node = [&](std::size_t k) -> const Node& {
    return plan.nodes[downward ? k + 1 : intervals - 1 - k];
  };

  const Node& first = from_node(0);
  marcher.start_at(first.md, first.tvd, known_pressure);
  if (!marcher.row(first.md, first.tvd, interval_at(0), first.kind, 0)) {
    return std::move(result);
  }
  for (std::size_t k = 0; k < intervals; ++k) {
    const Interval& interval = interval_at(k);
    const Node& a = from_node(k);
    const Node& b = to_node(k);
    const auto n = static_cast<double>(interval.steps);
    double md = a.md;
    double tvd = a.tvd;
    int previous = 0;  // evaluations of the step that ended at (md, tvd)
    for (std::size_t s = 1; s <= interval.steps; ++s) {
      // From the step count, not a running sum, so the interval ends
      // exactly at its node.
      const bool last = s == interval.steps;
      const double f = static_cast<double>(s) / n;
      const double md_next = last ? b.md : a.md + (b.md - a.md) * f;
      const double tvd_next = last ? b.tvd : a.tvd + (b.tvd - a.tvd) * f;
      const int iterations = marcher.step(md, tvd, md_next, tvd_next, interval);
      if (iterations == 0) {
        // Stopped inside the interval, past its last row.
        if (s > 1 && !options.rows_at_step_ends) {
          marcher.stop_row(md, tvd, interval, previous);
        }
        return std::move(result);
      }
      md = md_next;
      tvd = tvd_next;
      previous = iterations;
      const bool write = last || options.rows_at_step_ends;
      if (write &&
          !marcher.row(md, tvd, interval, last ? b.kind : RowKind::kStepEnd,
                       iterations)) {
        return std::move(result);
      }
    }
  }
  return std::move(result);
}

}  // namespace pipecorr::well
