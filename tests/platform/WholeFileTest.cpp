#include "platform/WholeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vorda::platform {
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

// A read-only file keeps its contents, and the message says why.
TEST_F(FileOutputTest, ReadOnlyFileIsNotReplaced) {
  const std::string path = File("kept.cir");
  WriteWholeFile(path, "old\n");
  fs::permissions(Native(path), fs::perms::owner_read | fs::perms::group_read);
  try {
    WriteWholeFile(path, "new\n");
    ADD_FAILURE() << "a read-only file was replaced";
  } catch (const WriteError& e) {
    EXPECT_NE(std::string(e.what()).find("read-only"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Read(path), "old\n");
  EXPECT_EQ(Count(), 1u);
  fs::permissions(Native(path), fs::perms::owner_all);
}

#ifndef _WIN32
// A folder no one may write in: refused, and nothing left behind. Root may
// write anywhere the permissions forbid, but not in /sys.
TEST_F(FileOutputTest, UnwritableFolderIsAWriteError) {
  std::string folder = File("locked");
  if (::geteuid() == 0) {
    folder = "/sys";
  } else {
    fs::create_directories(Native(folder));
    fs::permissions(Native(folder), fs::perms::owner_read | fs::perms::owner_exec);
  }
  EXPECT_THROW(WriteWholeFile(folder + "/table.csv", "x"), WriteError);
  if (folder != "/sys") {
    EXPECT_EQ(std::distance(fs::directory_iterator(Native(folder)), {}), 0);
    fs::permissions(Native(folder), fs::perms::owner_all);
  }
}

// A link is written through to its file, which keeps its permissions; the
// link stays a link.
TEST_F(FileOutputTest, LinkIsWrittenThroughAndPermissionsKept) {
  const std::string target = File("target.csv");
  const std::string link = File("link.csv");
  WriteWholeFile(target, "old\n");
  fs::permissions(Native(target),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("target.csv", Native(link));
  WriteWholeFile(link, "new\n");
  EXPECT_TRUE(fs::is_symlink(Native(link)));
  EXPECT_EQ(Read(target), "new\n");
  EXPECT_EQ(fs::status(Native(target)).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Count(), 2u);
}
#endif

}  // namespace
}  // namespace vorda::platform
