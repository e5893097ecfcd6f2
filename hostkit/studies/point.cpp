#include "studies/point.hpp"

namespace pipecorr::hostkit {

PointOutcome run_point(const CorrelationSet& correlations,
                       const PointOptions& options) {
  check_finite_inputs(options.inputs, false);
  const Correlation& correlation = correlations.choose(options.correlation);
  PointOutcome outcome;
  outcome.correlation = &correlation;
  correlation.call(options.inputs, outcome.result);
  return outcome;
}

}  // namespace pipecorr::hostkit
