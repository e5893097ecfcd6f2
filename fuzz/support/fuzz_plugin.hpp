// The plug-in the fuzz targets' traverses call: the project's own, from
// the build tree, loaded once per fuzzing process with its run set up, as
// a host does before its first call.
#pragma once

#include "plugin/correlation.hpp"

namespace pipecorr::fuzz {

[[nodiscard]] const hostkit::CorrelationSet& fuzz_correlations();

}  // namespace pipecorr::fuzz
