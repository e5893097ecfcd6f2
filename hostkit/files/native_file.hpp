// The few file-system operations the host side's file rules need, each as
// one call over POSIX or over the Windows C runtime (native_file_posix.cpp,
// native_file_windows.cpp). The rules themselves (input_file, output_file,
// debug_log_file) are written once, on top of these.
//
// Descriptors are the C runtime's ints on both. A call that fails returns
// -1 (or false) and leaves the reason in errno, except where it says
// otherwise.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace pipecorr::hostkit::native {

enum class Kind {
  kMissing,  // nothing at the path (errno ENOENT)
  kRegular,
  kDirectory,
  kLink,       // only from entry_kind: a symbolic link or reparse point
  kOther,      // a device, a FIFO, a socket
  kUnreadable  // the question failed for another reason (errno)
};

// Which file a path or a standard stream is: the device and the file's
// number on it. `stream` marks a terminal, a character device or a socket,
// whose reading and writing do not touch one stored content.
struct Identity {
  bool known = false;  // false: nothing there, or the question failed
  bool stream = false;
  unsigned long long device = 0;
  unsigned long long number = 0;
};

// What the path names, following links.
[[nodiscard]] Kind kind_of(const std::filesystem::path& path);
// The file the path names, following links, without opening it.
[[nodiscard]] Identity identity_of(const std::filesystem::path& path);
// The file behind standard input or standard output.
[[nodiscard]] Identity identity_of_standard(bool output);
// The entry itself, not following a link.
[[nodiscard]] Kind entry_kind(const std::filesystem::path& path);
// How many names (hard links) the entry itself has; 0 when unknown.
[[nodiscard]] unsigned long name_count(const std::filesystem::path& path);

// Opens for reading. With `regular_only`, a FIFO swapped in after a check
// neither blocks the open nor passes: the descriptor is checked to be a
// regular file (errno EINVAL otherwise).
[[nodiscard]] int open_for_reading(const std::filesystem::path& path,
                                   bool regular_only);
// Opens an existing file or device for writing, without truncating it.
[[nodiscard]] int open_for_writing(const std::filesystem::path& path);
// Creates a new file exclusively (never through a link), mode 0666 less
// the umask; errno EEXIST when anything is there.
[[nodiscard]] int create_new(const std::filesystem::path& path);
// Gives a new file the permissions of an existing one, where the platform
// has such permissions.
void copy_permissions(int fd, const std::filesystem::path& from);

[[nodiscard]] int standard_input();  // binary on Windows

// Reads or writes up to `size` bytes; interrupted calls are repeated.
[[nodiscard]] long read_some(int fd, char* buffer, std::size_t size);
[[nodiscard]] long write_some(int fd, const char* data, std::size_t size);
int close_file(int fd);

int remove_file(const std::filesystem::path::value_type* path);
// Renames `from` onto `to`, replacing a file there. On failure returns the
// reason as text.
[[nodiscard]] std::string replace_file(const std::filesystem::path& from,
                                       const std::filesystem::path& to);
// Whether two existing paths name one file (a hard link, another spelling).
[[nodiscard]] bool same_file(const std::filesystem::path& a,
                             const std::filesystem::path& b);
// Empty when the user may write the existing file, else why not.
[[nodiscard]] std::string write_refusal(const std::filesystem::path& path);

[[nodiscard]] unsigned long process_id();
// Installs `handler` for every signal that ends a program and that a
// program may catch: from outside (hang-up, Ctrl-C, Ctrl-\\, kill, the
// user signals, an alarm), from its limits (file size, CPU time), from its
// output (a broken pipe) and from its own faults (abort, a crash). Only
// signals still at their default action are taken: one the program was
// started with ignored (nohup) stays ignored, and one a sanitizer or a
// profiler already handles stays theirs. While `handler` runs, the other
// such signals wait.
void on_termination_signals(void (*handler)(int));
// Holds those signals back in the calling thread (true) and lets them
// through again (false), so that creating a file and recording it for
// removal happen as one. A no-op where there are no signal masks.
void hold_termination_signals(bool hold);

// errno as text.
[[nodiscard]] std::string reason(int error);

}  // namespace pipecorr::hostkit::native
