#include "jobs/well_job.hpp"

#include <algorithm>
#include <vector>

#include "cases/well_case.hpp"
#include "cases/well_limits.hpp"
#include "files/input_file.hpp"
#include "files/output_set.hpp"
#include "jobs/well_request.hpp"
#include "numbers/number_text.hpp"
#include "reports/lift_report.hpp"
#include "reports/well_report.hpp"
#include "studies/lift_curves.hpp"
#include "studies/well_traverse.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

std::string checked_name(std::string_view name, std::size_t position,
                         std::string_view whole) {
  const auto trimmed = trim_blanks(name);
  if (trimmed.empty()) {
    throw Error("name " + std::to_string(position) +
                " of the correlation list '" + for_terminal(whole) +
                "' is empty");
  }
  return std::string(trimmed);
}

std::vector<OutputRequest> requests(const WellJobOptions& options,
                                    std::string_view table,
                                    std::string_view picture) {
  std::vector<OutputRequest> list{{std::nullopt, "table"}};
  if (options.csv) list.push_back({options.csv, table});
  if (options.svg) list.push_back({options.svg, picture});
  return list;
}

std::vector<InputRequest> inputs(const CorrelationSet& correlations,
                                 const WellJobOptions& options,
                                 const WellCase& well_case) {
  std::vector<InputRequest> list{{options.request.source.path, "case file"}};
  for (const auto& library : correlations.library_paths()) {
    list.push_back({library, "plug-in library"});
  }
  for (const auto& table : well_case.tables) list.push_back({table, "table"});
  return list;
}

void write_all(OutputSet& outputs, const WellJobOptions& options,
               const std::string& text, const std::string& csv,
               const std::string& svg) {
  std::size_t next = 0;
  outputs[next++].write(text);
  if (options.csv) outputs[next++].write(csv);
  if (options.svg) outputs[next++].write(svg);
  for (std::size_t k = 0; k < next; ++k) outputs[k].commit();
}

}  // namespace

std::vector<std::string> split_names(std::string_view list) {
  const std::string_view whole = list;
  std::vector<std::string> names;
  if (trim_blanks(list).empty()) return names;
  while (true) {
    const auto comma = list.find(',');
    names.push_back(
        checked_name(list.substr(0, comma), names.size() + 1, whole));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return names;
}

std::vector<std::string> checked_names(const std::vector<std::string>& names) {
  std::string whole;  // the list as the command would be given it
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (k > 0) whole += ",";
    whole += names[k];
  }
  std::vector<std::string> checked;
  for (const auto& name : names) {
    checked.push_back(checked_name(name, checked.size() + 1, whole));
  }
  return checked;
}

std::vector<const Correlation*> traverse_correlations(
    const CorrelationSet& correlations, const std::vector<std::string>& named,
    const WellCase& well_case) {
  std::vector<std::string> names = named;
  if (names.empty()) names = well_case.correlations;
  if (names.empty()) names.emplace_back();  // the first callable one
  // Compared once resolved, so another spelling of a name is caught too.
  std::vector<const Correlation*> out;
  for (const auto& name : names) {
    const Correlation* correlation = &correlations.choose(name);
    if (std::find(out.begin(), out.end(), correlation) != out.end()) {
      throw Error("correlation '" + for_terminal(correlation->name()) +
                  "' is named twice");
    }
    out.push_back(correlation);
  }
  return out;
}

const Correlation& lift_correlation(const CorrelationSet& correlations,
                                    const std::vector<std::string>& named,
                                    const WellCase& well_case) {
  const auto chosen = traverse_correlations(correlations, named, well_case);
  if (chosen.size() != 1) {
    throw Error("lift curves take one correlation at a time");
  }
  return *chosen.front();
}

WellJobOutcome run_well_traverse_job(const CorrelationSet& correlations,
                                     const WellJobOptions& options) {
  check_row_spacing(options.every);
  PreparedTraverse job = prepare_well_traverse(correlations, options.request);
  // Rows at the step ends for the table to pick from; they change no
  // pressure the march finds.
  if (options.every) job.well_case.march.rows_at_step_ends = true;
  const auto list = requests(options, "station table", "traverse picture");
  OutputSet outputs(list, inputs(correlations, options, job.well_case));

  const std::vector<WellTraverse> traverses = march_traverses(job);
  // The CSV and the picture keep the stations, as without `every`.
  std::vector<WellTraverse> stations;
  for (const auto& traverse : traverses) {
    stations.push_back(stations_only(traverse));
  }
  // The spacing is in the case's length unit, as its step.
  std::optional<double> every;
  if (options.every) {
    every = case_length_to_metres(*options.every, job.well_case.units);
  }
  write_all(outputs, options,
            well_traverse_text(job.well_case, traverses, every),
            options.csv ? well_traverse_csv(job.well_case, stations) : "",
            options.svg ? well_traverse_svg(job.well_case, stations) : "");
  return {all_completed(traverses)};
}

WellJobOutcome run_lift_job(const CorrelationSet& correlations,
                            const WellJobOptions& options) {
  if (options.every) {
    throw Error(
        "--every spaces the rows of a traverse's table; lift curves "
        "have none");
  }
  const PreparedLift job = prepare_lift(correlations, options.request);
  const auto list = requests(options, "lift table", "lift picture");
  OutputSet outputs(list, inputs(correlations, options, job.well_case));

  const LiftCurves curves = compute_lift_curves(job);
  write_all(outputs, options, lift_curves_text(job.well_case, curves),
            options.csv ? lift_curves_csv(job.well_case, curves) : "",
            options.svg ? lift_curves_svg(job.well_case, curves) : "");
  return {all_computed(curves)};
}

}  // namespace pipecorr::hostkit
