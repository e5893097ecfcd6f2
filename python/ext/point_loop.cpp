#include "point_loop.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace pipecorr::python {
namespace {

using Clock = std::chrono::steady_clock;

// Each thread computes its points in blocks and looks at the stop flag (and
// the calling thread at the clock) only between blocks. A block grows while
// it takes less than kBlockAtLeast and shrinks when it takes more than
// kBlockAtMost, so that looking costs nothing measurable with a fast
// correlation and a slow plug-in is still stopped within a few calls.
constexpr std::chrono::microseconds kBlockAtLeast{500};
constexpr std::chrono::milliseconds kBlockAtMost{2};
constexpr std::size_t kLargestBlock = std::size_t{1} << 16;
// How often the calling thread asks whether to stop.
constexpr std::chrono::milliseconds kAskEvery{10};

class Pacer {
 public:
  // The points of the next block; `now` is when the last one ended.
  std::size_t next_block(Clock::time_point now) {
    const auto took = now - block_start_;
    block_start_ = now;
    if (took < kBlockAtLeast && block_ < kLargestBlock) {
      block_ *= 2;
    } else if (took > kBlockAtMost && block_ > 1) {
      block_ /= 2;
    }
    return block_;
  }

 private:
  Clock::time_point block_start_ = Clock::now();
  std::size_t block_ = 1;
};

// The stop question as the calling thread asks it: not more often than
// kAskEvery, and never again once it has said yes.
class Asker {
 public:
  explicit Asker(const StopQuestion& question)
      : question_(question), last_ask_(Clock::now()) {}

  [[nodiscard]] bool said_stop() const { return said_stop_; }

  // Whether to stop; asks the question when it is due.
  bool stop_now(Clock::time_point now) {
    if (said_stop_ || !question_) return said_stop_;
    if (now - last_ask_ < kAskEvery) return false;
    last_ask_ = now;
    said_stop_ = question_();
    return said_stop_;
  }

 private:
  const StopQuestion& question_;
  Clock::time_point last_ask_;
  bool said_stop_ = false;
};

// What the threads of one loop share: the stop flag, the first exception,
// and how many workers have finished.
class LoopState {
 public:
  [[nodiscard]] bool stopping() const {
    return stop_.load(std::memory_order_relaxed);
  }
  void stop() { stop_.store(true, std::memory_order_relaxed); }

  // Keeps the first exception met and counts the others; every thread
  // stops before its next block.
  void met(std::exception_ptr exception, std::size_t point) {
    {
      const std::lock_guard guard(mutex_);
      if (exception_) {
        ++other_exceptions_;
      } else {
        exception_ = std::move(exception);
        exception_point_ = point;
      }
    }
    stop();
  }

  void finished() {
    {
      const std::lock_guard guard(mutex_);
      ++finished_;
    }
    done_.notify_one();
  }

  // Until `workers` have finished, the calling thread keeps asking whether
  // to stop, so a user need not wait for a slow worker.
  void wait_for(std::size_t workers, Asker& asker) {
    std::unique_lock lock(mutex_);
    while (finished_ < workers) {
      done_.wait_for(lock, kAskEvery);
      if (finished_ >= workers || asker.said_stop()) continue;
      lock.unlock();
      try {
        if (asker.stop_now(Clock::now())) stop();
      } catch (...) {
        met(std::current_exception(), 0);
      }
      lock.lock();
    }
  }

  // After every thread has ended.
  void report(PointLoopOutcome& outcome) {
    outcome.exception = exception_;
    outcome.exception_point = exception_point_;
    outcome.other_exceptions = other_exceptions_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable done_;
  std::size_t finished_ = 0;
  std::exception_ptr exception_;
  std::size_t exception_point_ = 0;
  std::size_t other_exceptions_ = 0;
};

// One slice, in index order, block by block. `asker` is given on the
// calling thread only. An exception thrown by a call, or by the memory its
// failure list needs, is handed to the state instead of leaving the
// thread: one escaping a worker would end the process.
void run_slice(const hostkit::Correlation& correlation,
               const InputColumns& inputs, std::size_t begin, std::size_t end,
               const OutputColumns& outputs,
               std::vector<PointFailure>& failures, LoopState& state,
               Asker* asker) {
  hostkit::FlowInputs point;
  hostkit::FlowResult result;
  const auto fields = point.fields();
  Pacer pacer;
  std::size_t i = begin;
  try {
    while (i < end) {
      if (state.stopping()) return;
      const auto now = Clock::now();
      if (asker != nullptr && asker->stop_now(now)) {
        state.stop();
        return;
      }
      const std::size_t block_end =
          i + std::min(end - i, pacer.next_block(now));
      for (; i < block_end; ++i) {
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
  } catch (...) {
    state.met(std::current_exception(), i);
  }
}

}  // namespace

PointLoopOutcome run_points(const hostkit::Correlation& correlation,
                            const InputColumns& inputs, std::size_t count,
                            const OutputColumns& outputs, unsigned threads,
                            const StopQuestion& stop_asked) {
  const std::size_t slices =
      std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(count, 1));
  std::vector<std::vector<PointFailure>> failures(slices);
  const auto begin_of = [&](std::size_t slice) {
    return count / slices * slice + std::min(slice, count % slices);
  };
  LoopState state;
  Asker asker(stop_asked);
  {
    std::vector<std::jthread> workers;
    workers.reserve(slices - 1);
    // Slice 0 runs here, while the others run on their own threads.
    for (std::size_t slice = 1; slice < slices; ++slice) {
      auto work = [&, slice] {
        run_slice(correlation, inputs, begin_of(slice), begin_of(slice + 1),
                  outputs, failures[slice], state, nullptr);
        state.finished();
      };
      try {
        workers.emplace_back(work);
      } catch (const std::system_error&) {
        work();
      }
    }
    run_slice(correlation, inputs, 0, begin_of(1), outputs, failures[0], state,
              stop_asked ? &asker : nullptr);
    state.wait_for(slices - 1, asker);
  }  // the workers join here
  PointLoopOutcome outcome;
  outcome.stopped = asker.said_stop();
  state.report(outcome);
  for (auto& part : failures) {
    outcome.failures.insert(outcome.failures.end(),
                            std::make_move_iterator(part.begin()),
                            std::make_move_iterator(part.end()));
  }
  return outcome;
}

}  // namespace pipecorr::python
