#include "platform/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#include <climits>
#include <cstdlib>
#endif

namespace vorda::platform {

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw WriteError("cannot write " + path + ": " + why);
}

std::string Errno() {
  return std::strerror(errno);
}

// A name beside path that no file has yet, made unlikely to be taken.
std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  static const auto seed = std::random_device{}();
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return path + ".tmp-" + std::to_string(seed ^ static_cast<unsigned>(stamp)) + "-" +
         std::to_string(counter++);
}

#ifdef _WIN32

// Names as fopen reads them (the ANSI code page, UTF-8 for this program);
// std::filesystem would read a non-ASCII name in another code page.
std::string Target(const std::string& path) {
  return path;
}

int CreateExclusive(const std::string& temp, int /*mode*/) {
  return ::_open(temp.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

bool ReadOnly(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Write(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30));
    const int n = ::_write(fd, data, chunk);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool FlushAndClose(int fd) {
  const bool flushed = ::_commit(fd) == 0;
  return ::_close(fd) == 0 && flushed;
}

void KeepMode(int /*fd*/, const std::string& /*target*/) {}

void Replace(const std::string& temp, const std::string& target) {
  // Write-through: the rename is on the disk when the call returns.
  if (!::MoveFileExA(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const std::string why = std::system_category().message(static_cast<int>(::GetLastError()));
    std::remove(temp.c_str());
    Fail(target, why);
  }
}

#else

// The file a symbolic link names, followed as far as it goes; path itself
// otherwise.
std::string Target(const std::string& path) {
  std::string target = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n < 0) return target;
    link.resize(static_cast<std::size_t>(n));
    const std::size_t slash = target.rfind('/');
    if (link.front() == '/' || slash == std::string::npos) {
      target = link;
    } else {
      target.resize(slash + 1);  // the link's folder
      target += link;
    }
  }
  Fail(path, "too many levels of symbolic links");
}

int CreateExclusive(const std::string& temp, int mode) {
  return ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}

// A file whose permissions give no one the right to write, or not us. (The
// bits count also for root, who could write anyway.)
bool ReadOnly(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

bool Write(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool FlushAndClose(int fd) {
  const bool flushed = ::fsync(fd) == 0;
  return ::close(fd) == 0 && flushed;
}

// An existing file's permissions (and its owner, where that may be kept).
void KeepMode(int fd, const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return;
  ::fchmod(fd, st.st_mode & 07777);
  if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
    // Only the owner's own files keep their owner; the new one is ours.
  }
}

void Replace(const std::string& temp, const std::string& target) {
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const std::string why = Errno();
    std::remove(temp.c_str());
    Fail(target, why);
  }
  // The rename itself on the disk: the folder's entry.
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const int dir = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

#endif

}  // namespace

void WriteWholeFile(const std::string& path, const std::string& contents) {
  const std::string target = Target(path);
  if (ReadOnly(target)) Fail(path, "the file is read-only");
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TemporaryName(target);
    fd = CreateExclusive(temp, 0666);  // less the umask, for a new file
    if (fd < 0 && errno != EEXIST) Fail(path, Errno());
  }
  if (fd < 0) Fail(path, "no temporary file could be made beside it");
  KeepMode(fd, target);
  const bool written = Write(fd, contents.data(), contents.size());
  const int write_errno = errno;
  if (!FlushAndClose(fd) || !written) {
    const std::string why = std::strerror(written ? errno : write_errno);
    std::remove(temp.c_str());
    Fail(path, why);
  }
  Replace(temp, target);
}

}  // namespace vorda::platform
