#include "jobs/well_request.hpp"

#include <cmath>

#include "cases/well_limits.hpp"
#include "files/input_file.hpp"
#include "jobs/well_job.hpp"
#include "numbers/number_text.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"
#include "text/key_value.hpp"
#include "units/quantity.hpp"

namespace pipecorr::hostkit {

std::vector<std::string> requested_names(const CorrelationNames& names) {
  if (const auto* list = std::get_if<std::string>(&names)) {
    return split_names(*list);
  }
  return checked_names(std::get<std::vector<std::string>>(names));
}

namespace {

// Whether a line of the text sets `key` (a case's keys are checked later
// by its reader; this only tells the kind of case).
bool sets_key(std::string_view text, std::string_view key) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = strip_comment(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const auto equals = line.find('=');
    if (equals != std::string_view::npos &&
        trim_blanks(line.substr(0, equals)) == key) {
      return true;
    }
  }
  return false;
}

}  // namespace

WellCase read_well_case(const CaseSource& source) {
  const std::string text = source.text ? *source.text
                                       : read_input(source.path, "case file",
                                                    InputKind::kRegularFile);
  // The field reader would only call `profile` unknown.
  if (!is_well_case(text) && sets_key(text, "profile")) {
    throw Error(for_terminal(source.path.string()) +
                ": a pipeline case (a profile, no survey): `pipecorr "
                "traverse` marches it; lift curves and Python's traverse "
                "take field cases");
  }
  return load_well_case_text(text, source.path, source.files);
}

double case_length_to_metres(double length, UnitSystem units) {
  return units == UnitSystem::kField ? length * 0.3048 : length;
}

std::string_view case_length_unit(UnitSystem units) {
  return units == UnitSystem::kField ? "ft" : "m";
}

void apply_step(WellCase& well_case, std::optional<double> step) {
  if (!step) return;
  const std::string given =
      shortest(*step) + " " + std::string(case_length_unit(well_case.units));
  if (!(*step > 0.0) || !std::isfinite(*step)) {
    throw Error("step must be a positive length in the case's unit, got " +
                given);
  }
  const double metres = case_length_to_metres(*step, well_case.units);
  if (const std::string why = step_trouble(well_case, metres); !why.empty()) {
    throw Error("a step of " + given + " " + why);
  }
  well_case.march.max_step = metres;
}

namespace {

WellCase requested_case(const WellRequest& request,
                        std::vector<std::string>& names) {
  names = requested_names(request.correlations);
  WellCase well_case = read_well_case(request.source);
  apply_step(well_case, request.step);
  return well_case;
}

}  // namespace

PreparedTraverse prepare_well_traverse(const CorrelationSet& correlations,
                                       const WellRequest& request) {
  std::vector<std::string> names;
  PreparedTraverse job{requested_case(request, names), {}};
  job.correlations = traverse_correlations(correlations, names, job.well_case);
  return job;
}

PreparedLift prepare_lift(const CorrelationSet& correlations,
                          const WellRequest& request) {
  std::vector<std::string> names;
  PreparedLift job{requested_case(request, names), nullptr};
  job.correlation = &lift_correlation(correlations, names, job.well_case);
  return job;
}

std::vector<WellTraverse> march_traverses(const PreparedTraverse& job) {
  std::vector<WellTraverse> traverses;
  for (const Correlation* correlation : job.correlations) {
    traverses.push_back(traverse_well(*correlation, job.well_case));
  }
  return traverses;
}

LiftCurves compute_lift_curves(const PreparedLift& job) {
  return compute_lift_curves(*job.correlation, job.well_case);
}

bool all_completed(const std::vector<WellTraverse>& traverses) {
  for (const auto& traverse : traverses) {
    if (!traverse.completed) return false;
  }
  return true;
}

bool all_computed(const LiftCurves& curves) {
  for (const auto& curve : curves.curves) {
    if (!curve.failures.empty()) return false;
  }
  return true;
}

}  // namespace pipecorr::hostkit
