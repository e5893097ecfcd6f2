#include "point_loop.hpp"

#include <algorithm>
#include <system_error>
#include <thread>

namespace pipecorr::python {
namespace {

void run_slice(const hostkit::Correlation& correlation,
               const InputColumns& inputs, std::size_t begin, std::size_t end,
               const OutputColumns& outputs,
               std::vector<PointFailure>& failures) {
  hostkit::FlowInputs point;
  hostkit::FlowResult result;
  const auto fields = point.fields();
  for (std::size_t i = begin; i < end; ++i) {
    for (std::size_t k = 0; k < hostkit::kInputCount; ++k) {
      *fields[k] = inputs[k].data[i * inputs[k].stride];
    }
    correlation.call(point, result);
    outputs.dp[i] = result.dp;
    outputs.holdup[i] = result.holdup;
    outputs.pattern[i] = result.id;
    outputs.ierr[i] = result.ierr;
    if (result.ierr != 0) {
      failures.push_back({i, std::string(result.message())});
    }
  }
}

}  // namespace

std::vector<PointFailure> run_points(const hostkit::Correlation& correlation,
                                     const InputColumns& inputs,
                                     std::size_t count,
                                     const OutputColumns& outputs,
                                     unsigned threads) {
  const std::size_t slices =
      std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(count, 1));
  std::vector<std::vector<PointFailure>> failures(slices);
  const auto begin_of = [&](std::size_t slice) {
    return count / slices * slice + std::min(slice, count % slices);
  };
  {
    std::vector<std::jthread> workers;
    workers.reserve(slices - 1);
    // Slice 0 runs here, while the others run on their own threads.
    for (std::size_t slice = 1; slice < slices; ++slice) {
      auto work = [&, slice] {
        run_slice(correlation, inputs, begin_of(slice), begin_of(slice + 1),
                  outputs, failures[slice]);
      };
      try {
        workers.emplace_back(work);
      } catch (const std::system_error&) {
        work();
      }
    }
    run_slice(correlation, inputs, 0, begin_of(1), outputs, failures[0]);
  }  // the workers join here
  std::vector<PointFailure> all;
  for (auto& part : failures) {
    all.insert(all.end(), std::make_move_iterator(part.begin()),
               std::make_move_iterator(part.end()));
  }
  return all;
}

}  // namespace pipecorr::python
