#include "rf/FileOutput.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace vorda::rf {

namespace {

std::string TemporaryBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  return path + ".tmp-" + std::to_string(stamp) + "-" + std::to_string(counter++);
}

[[noreturn]] void Fail(const std::string& path, const std::string& temp, const std::string& why) {
  std::remove(temp.c_str());
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
#ifdef _WIN32
  // Names as fopen reads them (the ANSI code page, UTF-8 for this program);
  // std::filesystem would read a non-ASCII name in another code page.
  if (!::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    Fail(path, temp, std::system_category().message(static_cast<int>(::GetLastError())));
  }
#else
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) Fail(path, temp, ec.message());
#endif
}

}  // namespace vorda::rf
