// The jobs the check runs in child processes, so that a plug-in that
// crashes or hangs takes only the child with it: probing whether this
// machine delivers floating-point traps, the catalogue and identification,
// the session protocol, and the battery of one correlation.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/records.hpp"

namespace pipecorr::hostkit {

enum class ChildJobKind { kTrapProbe, kCatalogue, kSession, kCorrelation };

[[nodiscard]] std::string_view job_kind_name(ChildJobKind kind);
[[nodiscard]] std::optional<ChildJobKind> job_kind_named(std::string_view name);

struct ChildJob {
  ChildJobKind kind = ChildJobKind::kCatalogue;
  std::filesystem::path library;  // absolute: children work elsewhere
  std::string correlation;        // kCorrelation: the catalogue name
  std::int32_t link_info = 0;     // kCorrelation: 2 or 3
  std::size_t points = 0;         // ordinary points
  std::uint64_t seed = 0;
  // Points left out because they killed an earlier child of this job.
  std::vector<std::size_t> skip;
  // Chosen afresh by the parent for every child: the end record must carry
  // it (records.hpp).
  std::string token;
};

// Runs the job in the calling process, which is a child of the check and
// may die in the plug-in. Its working directory is a private empty folder
// of its own (the log check creates usercorr.dbg there). Writes records to
// the sink, the last one record_end() when the job completed. An exception
// that reaches the job's top (out of a run setup or cleanup, or the child
// running out of memory) ends the job unfinished: an abort record with the
// cause, no end record, and false.
[[nodiscard]] bool run_child_job(const ChildJob& job, RecordSink& sink);

// The exit status of a child whose job did not complete.
inline constexpr int kUnfinishedJobStatus = 3;

// The jobs, one file each.
void run_catalogue_job(const ChildJob& job, RecordSink& sink);
void run_session_job(const ChildJob& job, RecordSink& sink);
void run_correlation_job(const ChildJob& job, RecordSink& sink);

}  // namespace pipecorr::hostkit
