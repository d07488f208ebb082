// Runs a program once with its output discarded and prints what the start-up
// benchmark reads, from the kernel's accounting of that one process: wall
// time and CPU time (user + system) in microseconds and peak resident memory
// in KiB. (/usr/bin/time gives CPU time in hundredths of a second only, the
// size of the difference being measured.) Exits 1 when the program does not
// exit with status 0.
// Usage: process_timer PROGRAM [ARGUMENTS...]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

long long Microseconds(const timeval& t) {
  return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: process_timer PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("process_timer: fork");
    return 1;
  }
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
    }
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) < 0) {
    std::perror("process_timer: wait4");
    return 1;
  }
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "process_timer: %s did not exit with status 0\n", argv[1]);
    return 1;
  }
  const long long wall = std::chrono::duration_cast<std::chrono::microseconds>(end - start).count();
  std::printf("%lld %lld %ld\n", wall, Microseconds(usage.ru_utime) + Microseconds(usage.ru_stime),
              usage.ru_maxrss);
  return 0;
}
