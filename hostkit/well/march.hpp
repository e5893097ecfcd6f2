// The pressure march: from a known pressure at one end of the well to the
// other end, step by step, with the pressure gradient supplied by the
// caller.
//
// The well is straight pipe between survey stations (the TVD of a point
// between two stations lies on the straight line between them), so the
// angle of every step is that of its survey interval's chord and the
// hydrostatic head over the well equals exactly the TVD difference the
// path gives.
//
// Each step runs between two stations (survey stations, and the ends of
// pipe sections) or a part of such an interval no longer than the
// maximum step. Its end pressure satisfies
//
//   p_end = p_start -/+ L * gradient(p at the step's midpoint),
//   p at the midpoint = (p_start + p_end) / 2,
//
// solved by repeating the evaluation until p_end settles: a second-order,
// symmetric rule, so a march down and a march back up the same well meet.
//
// Units: m, Pa (absolute), K; angles in degrees.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "well/inclination.hpp"
#include "well/pipe.hpp"
#include "well/survey.hpp"
#include "well/temperature.hpp"

namespace pipecorr::well {

// Where the known pressure is; the march answers the other end.
enum class KnownEnd {
  kWellhead,    // march down: the answer is the bottom-hole pressure
  kBottomHole,  // march up: the answer is the wellhead pressure
};

// Conditions the caller computes a gradient at.
struct PointConditions {
  double md = 0.0;   // m
  double tvd = 0.0;  // m, positive downward
  // Degrees from horizontal, positive when the fluid flows uphill here;
  // the same whichever way the march goes (inclination.hpp).
  double fi = 0.0;
  double diameter = 0.0;     // inside diameter, m
  double roughness = 0.0;    // m
  double temperature = 0.0;  // K
  double pressure = 0.0;     // Pa, absolute
};

// Numbers the caller wants kept with each row (superficial velocities,
// densities, ...). The march copies them into the row and never reads them.
inline constexpr std::size_t kRecordedSlots = 12;
using RecordedValues = std::array<double, kRecordedSlots>;

struct GradientResult {
  bool ok = true;  // false: no gradient here; `message` says why
  // Pa/m, positive when the pressure falls in the direction of flow.
  double gradient = 0.0;
  double holdup = 0.0;  // liquid holdup, 0 to 1
  int pattern = 0;      // flow-pattern code, the caller's numbering
  std::string message;
  RecordedValues recorded{};
};

using GradientFunction = std::function<GradientResult(const PointConditions&)>;

// How the march's reasons write the quantities they name. Each takes the
// SI value and returns it with its unit; an empty one writes SI ("304.8
// m", "1000000 Pa", "300 K"), so a report in other units passes its own
// and every number of a reason is in the units the report uses.
struct QuantityText {
  std::function<std::string(double)> depth;            // m
  std::function<std::string(double)> pressure;         // Pa, absolute
  std::function<std::string(double)> pressure_change;  // Pa
  std::function<std::string(double)> temperature;      // K
};

// The most steps a march takes, for a well or a pipeline alike: a guard
// against a step far too short, which would otherwise run for hours and
// keep a row for every step.
inline constexpr std::size_t kMaxMarchSteps = 100'000;

struct MarchOptions {
  // Longest step, m (100 ft): short enough that the second-order rule
  // is far more accurate than any correlation.
  double max_step = 30.48;
  // A step has settled when its end pressure moves by no more than the
  // larger of these between two evaluations: 1 Pa, or 1e-4 of the step's
  // pressure change. The value accepted is the last evaluation's, whose
  // own error is smaller still by the factor (step * |d gradient / dp| /
  // 2), usually well under 0.01.
  double absolute_tolerance = 1.0;   // Pa (> 0)
  double relative_tolerance = 1e-4;  // of the step's change (>= 0)
  int max_iterations = 20;           // evaluations per step (>= 1)
  // Rows also at the ends of the steps that subdivide an interval, not
  // only at the stations. They change no pressure the march finds (they
  // only cost an evaluation each).
  bool rows_at_step_ends = false;
  // Refuse wells that would need more steps than this (a step far too
  // short for the well).
  std::size_t max_steps = kMaxMarchSteps;
  QuantityText text;  // for the reasons
  // What the reasons call the path ("the well cannot carry this flow").
  std::string conduit = "well";
};

enum class RowKind {
  kSurveyStation,  // a station of the survey
  kPipeChange,     // the top or bottom of a pipe section between stations
  kStepEnd,        // the end of a step inside an interval (also the
                   // point a march stopped at inside one)
};

// One row of the result, at a point. The gradient, holdup, pattern and
// recorded values come from one evaluation at this point's own pressure,
// with the angle and pipe of the step that ended here (for the first row,
// of the step that starts here).
struct MarchRow {
  double md = 0.0;           // m
  double tvd = 0.0;          // m
  double fi = 0.0;           // degrees from horizontal, uphill along flow
  double diameter = 0.0;     // m
  double roughness = 0.0;    // m
  double temperature = 0.0;  // K
  double pressure = 0.0;     // Pa
  double gradient = 0.0;     // Pa/m, positive when falling along the flow
  double holdup = 0.0;
  int pattern = 0;
  RecordedValues recorded{};
  RowKind kind = RowKind::kSurveyStation;
  int step_iterations = 0;  // evaluations of the step that ended here
};

enum class MarchOutcome {
  kCompleted,
  kCallbackFailed,       // the gradient callback answered not ok
  kBadValue,             // a gradient, holdup, pressure not finite, or a
                         // temperature not positive
  kPressureNotPositive,  // the pressure fell to zero or below
  kNotConverged,         // a step did not settle within max_iterations
};

struct MarchResult {
  MarchOutcome outcome = MarchOutcome::kCompleted;
  // Empty when completed, else where and why it stopped, in the units of
  // options.text.
  std::string reason;
  // From the known end, in the order marched, up to the last point the
  // march reached and could evaluate. A march that stops inside an
  // interval ends with a row where it stopped (when it can evaluate that
  // point), so the rows show how far it came.
  std::vector<MarchRow> rows;
  // The far end when completed (last_pressure is then the answer);
  // otherwise the last point whose pressure is known.
  double last_md = 0.0;         // m
  double last_tvd = 0.0;        // m
  double last_pressure = 0.0;   // Pa
  std::size_t steps = 0;        // steps completed
  std::size_t evaluations = 0;  // calls of the gradient callback

  [[nodiscard]] bool completed() const {
    return outcome == MarchOutcome::kCompleted;
  }
};

// The well to march along. The pipe must cover the path; the temperature
// model must give a positive temperature along it.
struct MarchWell {
  const WellPath& path;
  const PipeSections& pipe;
  const TemperatureModel& temperature;
};

// Marches from `known_pressure` (Pa, absolute, > 0) at the `known` end to
// the other end, for fluid moving in direction `flow`. Throws
// WellInputError for inputs that cannot be marched (a pressure or option
// out of range, pipe or temperature not covering the path, an empty
// callback, more steps than options.max_steps); everything that happens on
// the way ends the march with an outcome and a reason instead. An exception
// thrown by the callback passes through unchanged.
[[nodiscard]] MarchResult march(const MarchWell& well, KnownEnd known,
                                double known_pressure, FlowDirection flow,
                                const GradientFunction& gradient,
                                const MarchOptions& options = {});

}  // namespace pipecorr::well
