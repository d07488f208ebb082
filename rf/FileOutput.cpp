#include "rf/FileOutput.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vorda::rf {

namespace {

std::string TemporaryBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return path + ".tmp-" + std::to_string(stamp) + "-" + std::to_string(counter++);
}

[[noreturn]] void Fail(const std::string& path, const std::string& temp, const std::string& why) {
  std::error_code ignored;
  std::filesystem::remove(temp, ignored);
  throw WriteError("cannot write " + path + ": " + why);
}

}  // namespace

void WriteWholeFile(const std::string& path, const std::string& contents) {
  const std::string temp = TemporaryBeside(path);
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (file == nullptr) throw WriteError("cannot write " + path + ": " + std::strerror(errno));
  const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  const int write_errno = errno;
  if (std::fclose(file) != 0 || !written) {
    Fail(path, temp, std::strerror(written ? errno : write_errno));
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) Fail(path, temp, ec.message());
}

}  // namespace vorda::rf
