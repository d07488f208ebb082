// "N of M points (P %)" on a terminal's standard error, now and then, for
// runs long enough to leave a user wondering; nothing when standard error
// is a file or a pipe, or a stream of a test.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace vorda::cli {

class Progress {
 public:
  // `what`: "points", "networks"; drawn first after `delay`, then at most
  // four times a second.
  Progress(std::size_t total, std::string what, std::ostream& err,
           std::chrono::milliseconds delay = std::chrono::milliseconds(0));
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void Done(std::size_t n);

 private:
  std::size_t total_;
  std::string what_;
  std::ostream& err_;
  bool shown_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point next_;
};

}  // namespace vorda::cli
