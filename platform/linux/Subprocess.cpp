#include "platform/linux/Subprocess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/Platform.h"

namespace vorda::platform::linux_impl {

namespace {

constexpr std::size_t kMaxCapture = std::size_t{64} * 1024;

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::vector<char*> ArgvPointers(const std::vector<std::string>& argv) {
  std::vector<char*> ptrs;
  ptrs.reserve(argv.size() + 1);
  // cppcheck-suppress useStlAlgorithm ; plainer than transform with a back inserter
  for (const std::string& a : argv) ptrs.push_back(const_cast<char*>(a.c_str()));
  ptrs.push_back(nullptr);
  return ptrs;
}

// Spawn attributes and file actions, released when it goes out of scope.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attr_);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
  posix_spawn_file_actions_t* Actions() { return &actions_; }
  posix_spawnattr_t* Attr() { return &attr_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attr_;
};

}  // namespace

std::optional<std::string> FindInPath(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  const char* env = std::getenv("PATH");
  const std::string path = env != nullptr ? env : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = path.find(':', start);
    const std::string dir =
        path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!dir.empty()) {
      std::string candidate = dir;
      candidate += '/';
      candidate += name;
      if (IsExecutableFile(candidate)) return candidate;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return std::nullopt;
}

Captured RunCapture(const std::vector<std::string>& argv) {
  Captured result;
  if (argv.empty()) return result;
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return result;
  SpawnSetup setup;
  posix_spawn_file_actions_adddup2(setup.Actions(), fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(setup.Actions(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(setup.Actions(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  std::vector<char*> args = ArgvPointers(argv);
  pid_t pid = 0;
  const int rc =
      ::posix_spawn(&pid, argv[0].c_str(), setup.Actions(), setup.Attr(), args.data(), environ);
  ::close(fds[1]);
  if (rc != 0) {
    ::close(fds[0]);
    return result;
  }
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(fds[0], buf, sizeof buf);
    if (n > 0) {
      const std::size_t room = kMaxCapture - result.output.size();
      result.output.append(buf, std::min(static_cast<std::size_t>(n), room));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

void SpawnDetached(const std::vector<std::string>& argv,
                   const std::optional<std::string>& directory) {
  if (argv.empty() || argv[0].empty()) {
    throw PlatformFailure(kFailureLaunch, "no program to start");
  }
  SpawnSetup setup;
  posix_spawnattr_setflags(setup.Attr(), POSIX_SPAWN_SETSID);
  posix_spawn_file_actions_addopen(setup.Actions(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (directory && !directory->empty()) {
    posix_spawn_file_actions_addchdir_np(setup.Actions(), directory->c_str());
  }
  std::vector<char*> args = ArgvPointers(argv);
  pid_t pid = 0;
  const int rc =
      ::posix_spawn(&pid, argv[0].c_str(), setup.Actions(), setup.Attr(), args.data(), environ);
  if (rc != 0) {
    throw PlatformFailure(kFailureLaunch, "cannot start " + argv[0] + ": " + std::strerror(rc));
  }
  // Nobody waits for the program; a thread of its own reaps it when it ends.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace vorda::platform::linux_impl
