#include "cli/Progress.h"

#include <iostream>

#ifdef _WIN32
#include <io.h>
#define VORDA_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define VORDA_ISATTY(fd) isatty(fd)
#endif

namespace vorda::cli {

Progress::Progress(std::size_t total, std::string what, std::ostream& err,
                   std::chrono::milliseconds delay)
    : total_(total),
      what_(std::move(what)),
      err_(err),
      shown_(total > 0 && &err == &std::cerr && VORDA_ISATTY(2) != 0),
      next_(std::chrono::steady_clock::now() + delay) {}

Progress::~Progress() {
  if (drawn_) err_ << "\r\033[K" << std::flush;
}

void Progress::Done(std::size_t n) {
  if (!shown_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now < next_) return;
  next_ = now + std::chrono::milliseconds(250);
  drawn_ = true;
  err_ << "\rvorda-match: " << n << " of " << total_ << " " << what_ << " (" << 100 * n / total_
       << " %)" << std::flush;
}

}  // namespace vorda::cli
