#include "rf/files/Touchstone.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "rf/circuit/Units.h"
#include "rf/files/InputFile.h"

namespace vorda::rf {

ByteSource FileSource(std::FILE* file, const std::string& name) {
  return [file, name](char* buf, std::size_t size) {
    const std::size_t n = std::fread(buf, 1, size, file);
    if (n < size && std::ferror(file) != 0) {
      throw ReadError("cannot read " + name + " to its end: " + std::strerror(errno));
    }
    return n;
  };
}

ByteSource MemorySource(const std::string& bytes) {
  return [&bytes, at = std::size_t{0}](char* buf, std::size_t size) mutable {
    const std::size_t n = std::min(size, bytes.size() - at);
    std::copy_n(bytes.data() + at, n, buf);
    at += n;
    return n;
  };
}

std::string WriteTouchstone(const std::vector<LoadPoint>& points, double reference) {
  std::string out = "! Written by VordaForWin: the load impedance in ohms\n[Version] 2.0\n";
  out += "# Hz Z RI R " + ShortestText(reference) + "\n";
  out += "[Number of Ports] 1\n";
  out += "[Number of Frequencies] " + std::to_string(points.size()) + "\n";
  out += "[Reference] " + ShortestText(reference) + "\n";
  out += "[Network Data]\n";
  for (const LoadPoint& p : points) {
    out += ShortestText(p.hertz) + " " + ShortestText(p.z.real()) + " " + ShortestText(p.z.imag()) +
           "\n";
  }
  out += "[End]\n";
  return out;
}

}  // namespace vorda::rf
