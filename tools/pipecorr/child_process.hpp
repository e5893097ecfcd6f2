// Child processes for `pipecorr check`: each job of the battery runs in one,
// so that a plug-in that crashes, traps or hangs takes only that child with
// it. On POSIX systems the program forks (which also works under a user-mode
// emulator, where the program could not start itself again); on Windows it
// starts itself again with the hidden subcommand `__check-child`.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "check/check_run.hpp"

namespace pipecorr::hostkit {

// The folder the children's folders go in: on POSIX systems the first of
// TMPDIR, TMP, TEMP and TEMPDIR that is set and not empty, else /tmp; on
// Windows the system's temporary folder. An Error that says which variable
// to mend when that is not a folder.
[[nodiscard]] std::filesystem::path temporary_base();

// A new, empty folder under temporary_base() for one child to work in; the
// parent removes it when the child has ended.
[[nodiscard]] std::filesystem::path private_folder();

// A runner whose children run in a process group (a job object on
// Windows) of their own, killed as a whole when the child ends. A child
// that writes no record for `silence` is hung (one call or step that does
// not return); one still running at the run's deadline is stopped. The end
// of a child is seen by its exit, not by the end of the record stream,
// which a process it started may hold open.
[[nodiscard]] ChildRunner make_child_runner(std::chrono::milliseconds silence);

// The arguments after the program name that make the hidden subcommand run
// `job` (its token included), writing its records to the inherited handle
// `record_handle`.
[[nodiscard]] std::vector<std::string> child_arguments(
    const ChildJob& job, std::uintptr_t record_handle);

// The child's side of the hidden subcommand: runs the job, writing records
// to the handle (standard output when none), and returns the exit status.
int run_check_child(const ChildJob& job,
                    std::optional<std::uintptr_t> record_handle);

}  // namespace pipecorr::hostkit
