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

// A new, empty folder under the temporary directory for one child to work
// in; the parent removes it when the child has ended.
[[nodiscard]] std::filesystem::path private_folder();

// A runner whose children are killed after `timeout` without an end.
[[nodiscard]] ChildRunner make_child_runner(std::chrono::milliseconds timeout);

// The arguments after the program name that make the hidden subcommand run
// `job`, writing its records to the inherited handle `record_handle`.
[[nodiscard]] std::vector<std::string> child_arguments(
    const ChildJob& job, std::uintptr_t record_handle);

// The child's side of the hidden subcommand: runs the job, writing records
// to the handle (standard output when none), and returns the exit status.
int run_check_child(const ChildJob& job,
                    std::optional<std::uintptr_t> record_handle);

}  // namespace pipecorr::hostkit
