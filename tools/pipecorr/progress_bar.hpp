// A progress bar on standard error, drawn only when that is a terminal so
// that logs and pipes get no control characters.
#pragma once

#include <cstddef>

namespace pipecorr::hostkit {

class ProgressBar {
 public:
  // Drawn only when enabled and standard error is a terminal.
  explicit ProgressBar(bool enabled);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Cheap to call on every row: it redraws only now and then.
  void update(std::size_t done, std::size_t total, std::size_t rows);
  // Ends the bar's line, so that later messages start on their own.
  void finish();

 private:
  bool active_ = false;
  bool drawn_ = false;
  int last_percent_ = -1;
};

}  // namespace pipecorr::hostkit
