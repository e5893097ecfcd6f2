// Start and end of a host run: the log switch and the log header.
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

// Selector 2 (and any selector but 1): run setup. Selector 1: run cleanup.
void corr_int(int selector) noexcept;

inline void run_setup() noexcept { corr_int(2); }
inline void run_cleanup() noexcept { corr_int(1); }

}  // namespace pipecorr::exports
