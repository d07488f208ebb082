#include "rf/FileOutput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace vorda::rf {
namespace {

namespace fs = std::filesystem;

// The program's narrow names are UTF-8 on every platform.
fs::path Native(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Read(const std::string& utf8) {
  std::ifstream in(Native(utf8), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class FileOutputTest : public ::testing::Test {
 protected:
  FileOutputTest()
      : folder_(fs::temp_directory_path() /
                ("vorda-output-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(folder_);
  }
  ~FileOutputTest() override { fs::remove_all(folder_); }
  std::string File(const std::string& name) const {
    const std::u8string folder = folder_.u8string();
    return std::string(folder.begin(), folder.end()) +
           static_cast<char>(fs::path::preferred_separator) + name;
  }
  std::size_t Count() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

 private:
  fs::path folder_;
};

// A file written again is replaced whole; no temporary file is left.
TEST_F(FileOutputTest, ReplacesAnExistingFile) {
  for (const std::string name : {"sweep.csv", "R\xc3\xa9seau \xce\xa9.cir"}) {  // "Réseau Ω.cir"
    const std::string path = File(name);
    WriteWholeFile(path, "first\n");
    WriteWholeFile(path, "second, longer\n");
    EXPECT_EQ(Read(path), "second, longer\n") << name;
  }
  EXPECT_EQ(Count(), 2u);
}

TEST_F(FileOutputTest, MissingFolderIsAWriteError) {
  EXPECT_THROW(WriteWholeFile(File("nowhere") + "/x.csv", "x"), WriteError);
  EXPECT_EQ(Count(), 0u);
}

}  // namespace
}  // namespace vorda::rf
