#include "jobs/traverse_job.hpp"

#include <array>
#include <cmath>
#include <vector>

#include "files/output_set.hpp"
#include "numbers/number_text.hpp"
#include "reports/traverse_report.hpp"
#include "studies/traverse.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr double kTableRows = 20.0;

// The next 1, 2 or 5 times a power of ten: row spacings people read easily.
double round_spacing(double raw) {
  if (!(raw > 0.0) || !std::isfinite(raw)) return 1.0;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * magnitude >= raw) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

}  // namespace

TraverseOutcome run_traverse_job(const CorrelationSet& correlations,
                                 const TraverseOptions& options) {
  check_row_spacing(options.every);
  const TraverseCase pipe = load_case(options.case_file);
  const Correlation& correlation = correlations.choose(options.correlation);
  std::vector<OutputRequest> requests{{std::nullopt, "table"}};
  if (options.csv) requests.push_back({options.csv, "station table"});
  if (options.svg) requests.push_back({options.svg, "traverse picture"});
  std::vector<InputRequest> inputs{{options.case_file, "case file"},
                                   {pipe.profile_path, "profile"}};
  for (const auto& library : correlations.library_paths()) {
    inputs.push_back({library, "plug-in library"});
  }
  OutputSet outputs(requests, inputs);

  const WellTraverse traverse = run_traverse(correlation, pipe, options.step);
  const TraverseHeading heading{pipe.title, options.case_file.string(),
                                correlation.name(), options.step};
  const double every =
      options.every.value_or(round_spacing(pipe.total_length() / kTableRows));
  std::size_t next = 0;
  outputs[next++].write(traverse_text(heading, pipe, traverse, every));
  if (options.csv) outputs[next++].write(traverse_csv(pipe, traverse));
  if (options.svg) outputs[next++].write(traverse_svg(heading, pipe, traverse));
  for (std::size_t k = 0; k < requests.size(); ++k) outputs[k].commit();
  if (traverse.completed) return {};
  return {traverse.stopped.empty() ? "(no reason given)" : traverse.stopped};
}

}  // namespace pipecorr::hostkit
