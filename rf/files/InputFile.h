// Files opened for reading, closed when their handle goes.
#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace vorda::rf {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Why a file could not be opened, in words that name it.
class OpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Why a file could not be read to its end (a disk or network error): a
// reader that took it for the end would work on part of the file.
class ReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Opens a file to read in binary; throws OpenError ("cannot open PATH: No
// such file or directory", "PATH is a folder, not a file").
FileHandle OpenForReading(const std::string& path);

// A whole small file as text; throws OpenError, or ReadError when it
// cannot be read to its end.
std::string ReadWholeFile(const std::string& path);

}  // namespace vorda::rf
