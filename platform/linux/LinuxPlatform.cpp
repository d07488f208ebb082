#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "platform/linux/LinuxServices.h"
#include "platform/linux/Subprocess.h"

namespace vorda::platform {

namespace linux_impl {

bool LinuxFiles::FileExists(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const std::size_t slash = path.find_last_of('/');
  const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  return name < path.size() && path[name] != '.';  // hidden files do not count
}

void LinuxProcesses::Launch(const std::string& path) {
  SpawnDetached({path});
}

}  // namespace linux_impl

Services CreateServices() {
  Services s;
  s.shell = std::make_unique<linux_impl::LinuxShell>();
  s.registry = std::make_unique<linux_impl::BuiltInRegistry>();
  s.files = std::make_unique<linux_impl::LinuxFiles>();
  s.processes = std::make_unique<linux_impl::LinuxProcesses>();
  return s;
}

std::string ProgramFolder() {
  std::array<char, 4096> buf{};
  const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return ".";
  std::string exe(buf.data(), static_cast<std::size_t>(n));
  const std::size_t slash = exe.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return exe.substr(0, slash);
}

}  // namespace vorda::platform
