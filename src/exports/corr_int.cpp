// Run setup and cleanup: the only place the log switch changes.
#include "exports/corr_int.hpp"

#include <ctime>

#include "log/debug_log.hpp"

namespace pipecorr::exports {
namespace {

Clock g_clock = &system_local_time;

void setup(const char* log_file_name) noexcept {
  dbg::use_file_name(log_file_name);
  dbg::log_switch = dbg::kSwitchOff;
  if (!dbg::log_file_exists()) return;
  dbg::log_switch = dbg::kSwitchOn;
  try {
    // Time and date from one reading, so a run started at midnight is not
    // stamped with the old time and the new date.
    const LocalTime now = g_clock();
    dbg::Block block;
    block.record(" Entering CORR_INT_SETUP");
    block.time_stamp(now.hour, now.minute, now.second, now.day, now.month,
                     now.year);
    block.record(" ");
    // The header replaces whatever the file held before.
    dbg::rewrite_log(block.text());
  } catch (...) {
    // Out of memory for the header: the log stays on, the header is lost.
  }
}

void cleanup() noexcept {
  dbg::trace([](dbg::Block& b) { b.record(" Leaving CORR_INT_CLEANUP"); });
}

}  // namespace

LocalTime system_local_time() noexcept {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return {local.tm_hour, local.tm_min,     local.tm_sec,
          local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

void set_clock(Clock clock) noexcept {
  g_clock = clock != nullptr ? clock : &system_local_time;
}

void corr_int(int selector, const char* log_file_name) noexcept {
  if (selector == 1) {
    cleanup();
  } else {
    setup(log_file_name);
  }
}

}  // namespace pipecorr::exports
