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

}  // namespace vorda::rf
