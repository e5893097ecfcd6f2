#include "progress_bar.hpp"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define PIPECORR_ISATTY _isatty
#define PIPECORR_FILENO _fileno
#else
#include <unistd.h>
#define PIPECORR_ISATTY isatty
#define PIPECORR_FILENO fileno
#endif

namespace pipecorr::hostkit {

ProgressBar::ProgressBar(bool enabled)
    : active_(enabled && PIPECORR_ISATTY(PIPECORR_FILENO(stderr)) != 0) {}

ProgressBar::~ProgressBar() { finish(); }

void ProgressBar::finish() {
  if (drawn_) std::fputs("\n", stderr);
  drawn_ = false;
}

void ProgressBar::update(std::size_t done, std::size_t total,
                         std::size_t rows) {
  if (!active_ || total == 0) return;
  const int percent = static_cast<int>(done * 100 / total);
  if (percent == last_percent_) return;
  last_percent_ = percent;
  constexpr int kWidth = 40;
  char bar[kWidth + 1];
  const int filled = percent * kWidth / 100;
  for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
  bar[kWidth] = '\0';
  std::fprintf(stderr, "\r[%s] %3d%%  %zu rows", bar, percent, rows);
  std::fflush(stderr);
  drawn_ = true;
}

}  // namespace pipecorr::hostkit
