// Touchstone one-port files (.s1p, .z1p, .y1p; version 1.x and 2.0): the
// measured load impedance at each frequency, read as a stream. Two-port
// files are read by rf/files/TwoPortReader.h.
#pragma once

#include <complex>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "rf/circuit/Measurement.h"

namespace vorda::rf {

class TouchstoneParser;

// A line of the file that breaks the format, and what is wrong with it.
class TouchstoneError : public std::runtime_error {
 public:
  TouchstoneError(std::size_t line, const std::string& what)
      : std::runtime_error(what), line_(line) {}
  std::size_t Line() const { return line_; }
  // "FILE:LINE: what is wrong".
  std::string In(const std::string& file) const {
    return file + ":" + std::to_string(line_) + ": " + what();
  }

 private:
  std::size_t line_;
};

// Fills buf with up to size bytes and returns how many; 0 at the end.
using ByteSource = std::function<std::size_t(char* buf, std::size_t size)>;
// A file's bytes; throws ReadError (rf/InputFile.h), naming the file, when
// reading fails before the end.
ByteSource FileSource(std::FILE* file, const std::string& name);
ByteSource MemorySource(const std::string& bytes);

class TouchstoneReader {
 public:
  explicit TouchstoneReader(ByteSource source);
  ~TouchstoneReader();
  TouchstoneReader(const TouchstoneReader&) = delete;
  TouchstoneReader& operator=(const TouchstoneReader&) = delete;

  // The next point; false after the last one, once the rest of the file has
  // been checked. Throws TouchstoneError for a file that breaks the format,
  // at the line where it does. Frequencies are strictly increasing.
  bool Next(LoadPoint& point);

  // Known once the first point has been read (or Next returned false).
  double Reference() const;
  // The number of the last line read.
  std::size_t Line() const;

 private:
  std::unique_ptr<TouchstoneParser> parser_;
};

// A version 2.0 file of Z-parameters in ohms ("# Hz Z RI R <reference>")
// that holds the points exactly: each number reads back as the same double.
std::string WriteTouchstone(const std::vector<LoadPoint>& points, double reference);

}  // namespace vorda::rf
