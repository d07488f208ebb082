// vorda-match with parts at a frequency: standard values, losses, the band,
// the sweep and the files it writes.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "cli/Cli.h"
#include "tests/cli/CliRun.h"

namespace vorda::cli {
namespace {

namespace fs = std::filesystem;

using testing::Result;
using testing::RunArgs;

class TempFolder {
 public:
  TempFolder()
      : path_(fs::temp_directory_path() / ("vorda-cli-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::size_t Count() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
  }

 private:
  fs::path path_;
};

TEST(CliDesignTest, UsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {"--series", "E12", "40", "30"},  // needs --freq
      {"--q-l", "50", "40", "30"},
      {"--sweep", "1M:2M", "40", "30"},
      {"--freq", "1M", "--series", "E7", "40", "30"},
      {"--freq", "1M", "--q-l", "0", "40", "30"},
      {"--freq", "1M", "--q-c", "-3", "40", "30"},
      {"--freq", "1M", "--q-c", "x", "40", "30"},
      {"--freq", "1M", "--sweep", "2M:1M", "40", "30"},
      {"--freq", "1M", "--sweep", "1M", "40", "30"},
      {"--freq", "1M", "--sweep", "1M:2M:1", "40", "30"},
      {"--freq", "1M", "--sweep", "1M:2M:99999999", "40", "30"},
      {"--freq", "1M", "--sweep", "1M:2M:5x", "40", "30"},
      {"--freq", "1M", "--sweep", "0:2M", "40", "30"},
      {"--freq", "1M", "--csv", "x.csv", "40", "30"},  // needs --sweep
      {"--freq", "1M", "--type", "all", "--spice", "x.cir", "40", "30"},
  };
  for (const auto& args : bad) {
    const Result r = RunArgs(args);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
    EXPECT_EQ(r.err.rfind("vorda-match: ", 0), 0u) << r.err;  // the message, then the usage
    EXPECT_NE(r.err.find("\nUsage: vorda-match"), std::string::npos) << r.err;
  }
}

TEST(CliDesignTest, JsonKeysOnlyWhenAskedForAndComputed) {
  const auto plain = nlohmann::json::parse(RunArgs({"--json", "--freq", "14.2M", "40", "30"}).out);
  for (const char* key : {"standard_match", "loss", "bandwidth", "sweep"}) {
    EXPECT_FALSE(plain["runs"][0].contains(key)) << key;
  }
  EXPECT_FALSE(plain["runs"][0]["first"].contains("standard"));

  const Result r = RunArgs({"--json", "--type", "all", "--freq", "14.2M", "--series", "E12",
                            "--q-l", "50", "--sweep", "10M:20M:11", "40", "30"});
  ASSERT_EQ(r.status, 0);
  const auto doc = nlohmann::json::parse(r.out);
  const auto& one = doc["runs"][0];
  EXPECT_TRUE(one["first"]["standard"].contains("henries"));
  EXPECT_TRUE(one["second"]["standard"].contains("farads"));
  EXPECT_EQ(one["standard_match"]["zin"].size(), 2u);
  EXPECT_LT(one["loss"]["efficiency"].get<double>(), 1.0);
  EXPECT_GT(one["loss"]["dissipation_db"].get<double>(), 0.0);
  EXPECT_TRUE(one["bandwidth"]["low"].is_null());  // the match holds down to f / 100
  EXPECT_GT(one["bandwidth"]["high"].get<double>(), 14.2e6);
  EXPECT_EQ(one["sweep"]["frequencies"].size(), 11u);
  EXPECT_EQ(one["sweep"]["vswr"].size(), 11u);
  const auto& refused = doc["runs"][1];  // type 2 refuses region 3
  for (const char* key : {"standard_match", "loss", "bandwidth", "sweep"}) {
    EXPECT_FALSE(refused.contains(key)) << key;
  }
}

TEST(CliDesignTest, TextLines) {
  const Result r = RunArgs(
      {"--freq", "14.2M", "--series", "E12", "--q-c", "200", "--sweep", "1M:100M", "40", "30"});
  EXPECT_NE(r.out.find("  standard E12: first 270 nH, second 220 pF\n    Zin "), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("  with losses (Q of inductors ideal, of capacitors 200):"),
            std::string::npos);
  EXPECT_NE(r.out.find("  VSWR <= 2 band: "), std::string::npos);
}

TEST(CliDesignTest, CsvWrittenWholeAndUnwritablePathIsAnError) {
  TempFolder dir;
  const std::string csv = dir.File("sweep.csv");
  const Result r = RunArgs(
      {"--type", "all", "--freq", "14.2M", "--sweep", "10M:20M:5", "--csv", csv, "40", "30"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::ifstream in(csv);
  std::string header, line;
  std::getline(in, header);
  EXPECT_EQ(header,
            "frequency_hz,type1_return_loss_db,type1_vswr,type4_return_loss_db,type4_vswr,"
            "type5_return_loss_db,type5_vswr,type6_return_loss_db,type6_vswr");
  int rows = 0;
  while (std::getline(in, line)) ++rows;
  EXPECT_EQ(rows, 5);
  EXPECT_EQ(dir.Count(), 1u);  // no temporary file left beside it

  const Result bad = RunArgs({"--freq", "14.2M", "--sweep", "10M:20M", "--csv",
                              dir.File("missing/folder/x.csv"), "40", "30"});
  // The design is still printed; the file asked for is not there, and the
  // status says so.
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("cannot write " + dir.File("missing/folder/x.csv")), std::string::npos);
  EXPECT_NE(bad.out.find("Type 1"), std::string::npos);
  EXPECT_EQ(dir.Count(), 1u);
}

}  // namespace
}  // namespace vorda::cli
