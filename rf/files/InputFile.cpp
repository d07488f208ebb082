#include "rf/files/InputFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace vorda::rf {

FileHandle OpenForReading(const std::string& path) {
  // Some C libraries open a folder and then read nothing from it.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    throw OpenError(path + " is a folder, not a file");
  }
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) throw OpenError("cannot open " + path + ": " + std::strerror(errno));
  return file;
}

std::string ReadWholeFile(const std::string& path) {
  const FileHandle f = OpenForReading(path);
  std::string text;
  char buf[1 << 14];
  for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, f.get())) > 0;) text.append(buf, got);
  if (std::ferror(f.get()) != 0) throw ReadError("cannot read " + path + " to its end");
  return text;
}

}  // namespace vorda::rf
