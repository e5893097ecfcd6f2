#include "check/child_job.hpp"

#include <array>
#include <exception>
#include <new>

#include "check/fp_state.hpp"

namespace pipecorr::hostkit {
namespace {

constexpr std::array<std::string_view, 4> kKindNames{"trap-probe", "catalogue",
                                                     "session", "correlation"};

// Divides zero by zero with the invalid trap enabled: a machine that
// delivers traps ends the process here.
void run_trap_probe(RecordSink& sink) {
  record_step(sink, "dividing 0 by 0 with the invalid trap enabled");
  volatile double zero = 0.0;
  enter_fp_state(host_fp_settings().front().registers);
  volatile double quotient = zero / zero;
  const FpRegisters after = leave_fp_state();
  static_cast<void>(quotient);
  static_cast<void>(after);
  record_value(sink, "trap", "not delivered");
}

// The abort record, if it can still be written: out of memory, even its
// text may not fit.
void give_up(RecordSink& sink, std::string_view cause) noexcept {
  try {
    record_abort(sink, cause);
  } catch (...) {
  }
}

}  // namespace

std::string_view job_kind_name(ChildJobKind kind) {
  return kKindNames[static_cast<std::size_t>(kind)];
}

std::optional<ChildJobKind> job_kind_named(std::string_view name) {
  for (std::size_t k = 0; k < kKindNames.size(); ++k) {
    if (kKindNames[k] == name) return static_cast<ChildJobKind>(k);
  }
  return std::nullopt;
}

bool run_child_job(const ChildJob& job, RecordSink& sink) {
  try {
    switch (job.kind) {
      case ChildJobKind::kTrapProbe:
        run_trap_probe(sink);
        break;
      case ChildJobKind::kCatalogue:
        run_catalogue_job(job, sink);
        break;
      case ChildJobKind::kSession:
        run_session_job(job, sink);
        break;
      case ChildJobKind::kCorrelation:
        run_correlation_job(job, sink);
        break;
    }
  } catch (const std::bad_alloc&) {
    give_up(sink, "out of memory (std::bad_alloc)");
    return false;
  } catch (const std::exception& error) {
    give_up(sink, std::string("a C++ exception: ") + error.what());
    return false;
  } catch (...) {
    give_up(sink, "a C++ exception of an unknown type");
    return false;
  }
  record_end(sink, job.token);
  return true;
}

}  // namespace pipecorr::hostkit
