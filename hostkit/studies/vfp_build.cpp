#include "studies/vfp_build.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "studies/well_summary.hpp"
#include "studies/well_traverse.hpp"
#include "text/error.hpp"
#include "units/display_units.hpp"

namespace pipecorr::hostkit {
namespace {

// What one point's traverse gave.
struct PointOutcome {
  bool computed = false;
  double bhp = 0.0;
  std::size_t evaluations = 0;
  std::string cause;   // empty when computed
  std::string detail;  // where and why it stopped
};

std::string cause_of(well::MarchOutcome outcome) {
  switch (outcome) {
    case well::MarchOutcome::kCallbackFailed:
      return "the correlation or the fluid refused a point";
    case well::MarchOutcome::kBadValue:
      return "a value along the march was not finite";
    case well::MarchOutcome::kPressureNotPositive:
      return "the pressure ran out (the well cannot carry the flow)";
    case well::MarchOutcome::kNotConverged:
      return "a march step did not converge";
    case well::MarchOutcome::kCompleted:
      break;
  }
  return "the traverse stopped";
}

Dimension rate_dimension(VfpRateType type) {
  return type == VfpRateType::kGas ? Dimension::kGasRate
                                   : Dimension::kLiquidRate;
}

std::string point_text(const WellCase& c, const VfpAxes& axes, std::size_t t,
                       std::size_t w, std::size_t g, std::size_t r) {
  std::string text =
      shown_with_unit(axes.rates[r], rate_dimension(axes.rate_type), c.units) +
      " " + std::string(vfp_rate_word(axes.rate_type)) + ", THP " +
      shown_with_unit(axes.thp[t], Dimension::kPressure, c.units);
  if (axes.injector) return text;
  const Dimension water = axes.water_type == VfpWaterType::kWaterGasRatio
                              ? Dimension::kLiquidGasRatio
                              : Dimension::kFraction;
  const Dimension gas = axes.gas_type == VfpGasType::kOilGasRatio
                            ? Dimension::kLiquidGasRatio
                            : Dimension::kGasLiquidRatio;
  return text + ", " + std::string(vfp_water_word(axes.water_type)) + " " +
         shown_with_unit(axes.water[w], water, c.units) + ", " +
         std::string(vfp_gas_word(axes.gas_type)) + " " +
         shown_with_unit(axes.gas[g], gas, c.units);
}

double datum_pressure(const WellTraverse& traverse, const VfpDatum& datum) {
  std::vector<double> depths;
  std::vector<double> pressures;
  for (const WellStation& s : traverse.stations) {
    depths.push_back(datum.kind == VfpDatum::Kind::kMd ? s.md : s.tvd);
    pressures.push_back(s.pressure);
  }
  return pressure_at_datum(depths, pressures, datum.depth);
}

PointOutcome march_point(const Correlation& correlation, const WellCase& c,
                         const VfpAxes& axes,
                         const std::optional<VfpDatum>& datum, std::size_t t,
                         std::size_t w, std::size_t g, std::size_t r) {
  PointOutcome out;
  try {
    WellCase point = c;
    point.rates =
        vfp_point_rates(axes, axes.rates[r], axes.water[w], axes.gas[g]);
    point.known_end = well::KnownEnd::kWellhead;
    point.known_pressure = axes.thp[t];
    const WellTraverse traverse = traverse_well(correlation, point);
    out.evaluations = traverse.evaluations;
    if (traverse.completed) {
      out.computed = true;
      out.bhp = datum ? datum_pressure(traverse, *datum) : traverse.answer;
      return out;
    }
    out.cause = cause_of(traverse.outcome);
    out.detail =
        outcome_summary(point, traverse) + ": " +
        (traverse.stopped.empty() ? "no reason given" : traverse.stopped);
  } catch (const Error& error) {
    // The case at this point cannot be marched at all (a rate beyond the
    // fluid's range, ...): the table still needs a value there.
    out.cause = "the point's case was refused";
    out.detail = error.what();
  }
  return out;
}

// Runs every point on `threads` threads.
std::vector<PointOutcome> march_all(const Correlation& correlation,
                                    const WellCase& c, const VfpAxes& axes,
                                    const VfpRunOptions& options,
                                    std::size_t threads) {
  const std::size_t total = axes.size();
  std::vector<PointOutcome> outcomes(total);
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> done{0};
  std::atomic<bool> halt{false};
  std::mutex mutex;
  std::condition_variable finished;
  std::exception_ptr failure;
  std::size_t running = threads;

  const auto work = [&] {
    try {
      for (std::size_t k = next++; k < total && !halt; k = next++) {
        const std::size_t r = k % axes.rates.size();
        std::size_t rest = k / axes.rates.size();
        const std::size_t g = rest % axes.gas.size();
        rest /= axes.gas.size();
        const std::size_t w = rest % axes.water.size();
        const std::size_t t = rest / axes.water.size();
        outcomes[k] =
            march_point(correlation, c, axes, options.datum, t, w, g, r);
        if (!outcomes[k].computed) {
          outcomes[k].detail =
              point_text(c, axes, t, w, g, r) + ": " + outcomes[k].detail;
        }
        ++done;
      }
    } catch (...) {
      const std::lock_guard lock(mutex);
      if (!failure) failure = std::current_exception();
      halt = true;
    }
    const std::lock_guard lock(mutex);
    --running;
    finished.notify_all();
  };

  // The calling thread only watches, so that progress and a stop request
  // are seen however many threads march.
  std::vector<std::thread> pool;
  for (std::size_t k = 0; k < threads; ++k) pool.emplace_back(work);
  {
    std::unique_lock lock(mutex);
    while (running > 0) {
      finished.wait_for(lock, std::chrono::milliseconds(100));
      lock.unlock();
      if (options.progress) options.progress(done, total);
      if (options.stop && options.stop()) halt = true;
      lock.lock();
    }
  }
  for (auto& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
  if (halt) throw Error("interrupted");
  if (options.progress) options.progress(done, total);
  return outcomes;
}

// The straight line through (x0, y0) and (x1, y1) at x.
double line(double x0, double y0, double x1, double y1, double x) {
  return y0 + (y1 - y0) * ((x - x0) / (x1 - x0));
}

// Fills the points of one line of rates that no traverse gave.
void fill_line(std::vector<double>& bhp, const std::vector<bool>& computed,
               const std::vector<double>& rates, std::size_t first,
               bool injector) {
  const std::size_t n = rates.size();
  std::vector<std::size_t> known;
  for (std::size_t r = 0; r < n; ++r) {
    if (computed[first + r]) known.push_back(r);
  }
  for (std::size_t r = 0; r < n; ++r) {
    if (computed[first + r]) continue;
    double value = injector ? kVfpNoInjectionPressure : kVfpNoLiftPressure;
    if (known.size() == 1) {
      value = bhp[first + known.front()];
    } else if (known.size() >= 2) {
      // The two computed neighbours around r, or the nearest two on one
      // side past an end.
      auto above = std::upper_bound(known.begin(), known.end(), r);
      if (above == known.begin()) ++above;
      if (above == known.end()) --above;
      const std::size_t a = *(above - 1);
      const std::size_t b = *above;
      value =
          line(rates[a], bhp[first + a], rates[b], bhp[first + b], rates[r]);
    }
    bhp[first + r] = std::max(value, kVfpNoInjectionPressure);
  }
}

}  // namespace

std::size_t VfpBuild::filled() const {
  return static_cast<std::size_t>(
      std::count(computed.begin(), computed.end(), false));
}

double pressure_at_datum(const std::vector<double>& depths,
                         const std::vector<double>& pressures, double depth) {
  for (std::size_t k = 1; k < depths.size(); ++k) {
    const double a = depths[k - 1];
    const double b = depths[k];
    if ((a <= depth && depth <= b) || (b <= depth && depth <= a)) {
      if (a == b) return pressures[k - 1];
      return line(a, pressures[k - 1], b, pressures[k], depth);
    }
  }
  if (!depths.empty() && depths.front() == depth) return pressures.front();
  throw Error("the datum lies outside the traverse");
}

VfpBuild build_vfp(const Correlation& correlation, const WellCase& c,
                   const VfpRunOptions& options) {
  VfpBuild build;
  build.axes = vfp_axes(c);
  const well::WellPath path = well_path(c);
  build.datum_tvd = path.tvd_at(path.bottom_md());
  if (options.datum) {
    const VfpDatum& datum = *options.datum;
    const bool md = datum.kind == VfpDatum::Kind::kMd;
    const double top = md ? path.top_md() : path.top_tvd();
    const double bottom = md ? path.bottom_md() : path.deepest_tvd();
    if (!(datum.depth >= top && datum.depth <= bottom)) {
      throw Error(c.source.string() + ": the lift table's datum, " +
                  (md ? "md " : "TVD ") +
                  shown_with_unit(datum.depth, Dimension::kDepth, c.units) +
                  ", lies outside the well (" +
                  shown_with_unit(top, Dimension::kDepth, c.units) + " to " +
                  shown_with_unit(bottom, Dimension::kDepth, c.units) + ")");
    }
    build.datum_tvd = md ? path.tvd_at(datum.depth) : datum.depth;
  }

  const std::size_t total = build.axes.size();
  build.threads = std::clamp<std::size_t>(options.threads, 1, total);
  const std::vector<PointOutcome> outcomes =
      march_all(correlation, c, build.axes, options, build.threads);

  build.bhp.resize(total);
  build.computed.resize(total);
  for (std::size_t k = 0; k < total; ++k) {
    const PointOutcome& point = outcomes[k];
    build.evaluations += point.evaluations;
    build.computed[k] = point.computed;
    build.bhp[k] = point.bhp;
    if (point.computed) continue;
    auto cause = std::find_if(
        build.causes.begin(), build.causes.end(),
        [&](const VfpCause& known) { return known.what == point.cause; });
    if (cause == build.causes.end()) {
      build.causes.push_back({point.cause, 0, point.detail});
      cause = build.causes.end() - 1;
    }
    ++cause->count;
  }
  if (build.filled() == total) {
    throw Error(c.source.string() +
                ": no point of the lift table could be computed; the first: " +
                build.causes.front().first);
  }
  for (std::size_t first = 0; first < total; first += build.axes.rates.size()) {
    fill_line(build.bhp, build.computed, build.axes.rates, first,
              build.axes.injector);
  }
  return build;
}

}  // namespace pipecorr::hostkit
