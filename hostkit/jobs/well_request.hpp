// What a face asks of a well job (the traverse of a field case, lift
// curves), checked in one place. The command fills a WellRequest from its
// options, the Python extension from its arguments; both get the prepared
// job back from the same function, refused with the same message, and run
// it with the same study. A face only parses its arguments, prints, and
// turns a refusal into an exit status or an exception.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cases/well_case.hpp"
#include "plugin/correlation.hpp"
#include "studies/lift_curves.hpp"
#include "studies/well_traverse.hpp"

namespace pipecorr::hostkit {

// A case file on disk, or case-file text held in memory with the files it
// names (the Python layer writes a dict case as such text).
struct CaseSource {
  // The case file; for text, the name messages give it (a relative file
  // name in the text is joined to its folder).
  std::filesystem::path path;
  std::optional<std::string> text;  // none: read `path`
  // Files the text names, by the path the reader asks for; any other is
  // read from the disk.
  std::map<std::string, std::string> files;
};

// The correlations asked for: a comma list as the command's -c takes it
// ("BB_3, ORBA_3"), or names one by one. Both are read by one rule: blanks
// around a name dropped, an empty name refused; an empty list (or an empty
// text) asks for the case's `correlation`, else the first callable entry.
using CorrelationNames = std::variant<std::string, std::vector<std::string>>;

struct WellRequest {
  CaseSource source;
  CorrelationNames correlations;
  // Longest march step in the case's length unit (ft in a field case, m in
  // an SI one), as the case's own `step` key; none: the case's.
  std::optional<double> step;
};

// A length in the case's unit (ft in a field case, m in an SI one) in
// metres, and the name of that unit.
[[nodiscard]] double case_length_to_metres(double length, UnitSystem units);
[[nodiscard]] std::string_view case_length_unit(UnitSystem units);

// A traverse ready to march: the case read (with the step asked for in
// place) and the correlations it marches with, in the order named.
struct PreparedTraverse {
  WellCase well_case;
  std::vector<const Correlation*> correlations;
};

// Lift curves ready to compute: one correlation.
struct PreparedLift {
  WellCase well_case;
  const Correlation* correlation = nullptr;
};

// The names asked for, read by the rule above; throws Error naming an
// empty one ("name 2 of the correlation list 'BB_3,' is empty").
[[nodiscard]] std::vector<std::string> requested_names(
    const CorrelationNames& names);

// Reads the field case of the source, as load_well_case reads a file, with
// the files read from the disk in `tables` (inputs no output may replace).
// Throws Error naming file, line and key, or saying that a pipeline case
// (a profile, no survey) is not a field case.
[[nodiscard]] WellCase read_well_case(const CaseSource& source);

// Puts a longest march step asked for, in the case's length unit, in place
// of the case's. Throws Error for one that is not a positive finite length
// or that the well's length cannot take (the limit on steps).
void apply_step(WellCase& well_case, std::optional<double> step);

// The whole check of a request, in this order: the names, the case, the
// step, then the correlations (traverse_correlations; lift_correlation).
// Throws Error (UnknownCorrelation for a name that picks out no entry);
// nothing is computed.
[[nodiscard]] PreparedTraverse prepare_well_traverse(
    const CorrelationSet& correlations, const WellRequest& request);
[[nodiscard]] PreparedLift prepare_lift(const CorrelationSet& correlations,
                                        const WellRequest& request);

// The studies, one traverse per correlation in order; they throw only for
// a case that cannot be marched at all (see traverse_well).
[[nodiscard]] std::vector<WellTraverse> march_traverses(
    const PreparedTraverse& job);
[[nodiscard]] LiftCurves compute_lift_curves(const PreparedLift& job);

// Whether every traverse reached its end; whether every lift point was
// computed. The command's exit status is 0 exactly then.
[[nodiscard]] bool all_completed(const std::vector<WellTraverse>& traverses);
[[nodiscard]] bool all_computed(const LiftCurves& curves);

}  // namespace pipecorr::hostkit
