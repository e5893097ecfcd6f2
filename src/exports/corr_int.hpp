// Start and end of a host run: the log's file, its switch and its header.
#pragma once

namespace pipecorr::exports {

struct LocalTime {
  int hour;
  int minute;
  int second;
  int day;
  int month;
  int year;
};

using Clock = LocalTime (*)();

// The operating system's local time. Tests substitute their own clock.
LocalTime system_local_time() noexcept;
void set_clock(Clock clock) noexcept;

// Selector 2 (and any selector but 1): run setup, which names the log
// file `log_file_name` (the plug-in's own, a text of static lifetime) and
// switches the log on when that file exists. Selector 1: run cleanup, in
// the log its run setup named (`log_file_name` is not read).
void corr_int(int selector, const char* log_file_name) noexcept;

inline void run_setup(const char* log_file_name) noexcept {
  corr_int(2, log_file_name);
}
inline void run_cleanup() noexcept { corr_int(1, nullptr); }

}  // namespace pipecorr::exports
