#include "cli/Cli.h"
#include "tests/cli/CliRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <numbers>
#include <sstream>

namespace vorda::cli {
namespace {

using testing::Result;
using testing::RunArgs;

nlohmann::json Json(std::vector<std::string> args) {
  args.insert(args.begin(), "--json");
  return nlohmann::json::parse(RunArgs(args).out);
}

TEST(CliTest, AllTypesOnTheStartValues) {
  const Result r = RunArgs({"--json", "--type", "all", "--", "40", "30"});
  EXPECT_EQ(r.status, 0);
  const auto doc = nlohmann::json::parse(r.out);
  ASSERT_EQ(doc["runs"].size(), 8u);
  const auto& one = doc["runs"][0];
  EXPECT_EQ(one["type"], 1);
  EXPECT_EQ(one["labels"], (nlohmann::json{{"lblNormReal", ".800"},
                                           {"lblNormImag", ".600"},
                                           {"lblSecondComponent", "-1.000"},
                                           {"lblSecondOhms", "-50.000"},
                                           {"lblFirstComponent", ".500"},
                                           {"lblFirstOhms", "25.000"}}));
  EXPECT_TRUE(one["messages"].empty());
  EXPECT_TRUE(one["fault"].is_null());
  EXPECT_EQ(one["region"], 3);
  for (int type : {2, 3, 7, 8}) {
    const auto& run = doc["runs"][type - 1];
    EXPECT_EQ(run["type"], type);
    ASSERT_EQ(run["messages"].size(), 1u);
    EXPECT_EQ(run["messages"][0]["title"], "Skipping computations");
    EXPECT_EQ(run["messages"][0]["style"], 16);
    EXPECT_TRUE(run["labels"]["lblSecondComponent"].is_null());
    EXPECT_EQ(run["labels"]["lblFirstOhms"], ".000");
  }
  // Every box also reaches standard error, in order.
  EXPECT_NE(r.err.find("Skipping computations: This L-Section type is incorrect"),
            std::string::npos);
}

TEST(CliTest, FaultIsItsOwnEntryAndNotAMessage) {
  const auto doc = Json({"--z0", "0", "40", "30"});
  const auto& run = doc["runs"][0];
  EXPECT_EQ(run["fault"], (nlohmann::json{{"code", 11}}));
  EXPECT_TRUE(run["messages"].empty());
  EXPECT_TRUE(run["region"].is_null());
  EXPECT_TRUE(run["labels"]["lblNormReal"].is_null());
  EXPECT_EQ(RunArgs({"--z0", "0", "40", "30"}).status, 1);
}

TEST(CliTest, TextsAreReadLikeTheWindowsBoxes) {
  const auto doc = Json({"--z0", "5E1", "40 ohm", "&H1E"});
  EXPECT_EQ(doc["runs"][0]["labels"]["lblFirstOhms"], "25.000");
  const auto negative = Json({"--type", "7", "--", "40", "-30"});
  EXPECT_EQ(negative["runs"][0]["labels"]["lblSecondOhms"], "250.000");
}

TEST(CliTest, ExitStatus) {
  EXPECT_EQ(RunArgs({"40", "30"}).status, 0);
  EXPECT_EQ(RunArgs({"--type", "2", "40", "30"}).status, 1);
  EXPECT_EQ(RunArgs({"--type", "all", "50", "0"}).status, 1);  // refused or faulted everywhere
  for (const std::vector<std::string>& bad : {std::vector<std::string>{},
                                              {"40"},
                                              {"40", "30", "20"},
                                              {"--type", "9", "40", "30"},
                                              {"--type", "0", "40", "30"},
                                              {"--type", "x", "40", "30"},
                                              {"--freq", "fast", "1", "2"},
                                              {"--freq", "-5M", "1", "2"},
                                              {"--freq", "0", "1", "2"},
                                              {"--bogus", "1", "2"},
                                              {"--z0"}}) {
    const Result r = RunArgs(bad);
    EXPECT_EQ(r.status, 2) << ::testing::PrintToString(bad);
    EXPECT_NE(r.err.find("Usage: vorda-match"), std::string::npos);
  }
}

TEST(CliTest, HelpAndVersion) {
  const Result version = RunArgs({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "VordaForWin 2.0.0\n");
  const Result help = RunArgs({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--type N|all"), std::string::npos);
}

TEST(CliTest, HumanOutput) {
  const Result r = RunArgs({"--freq", "14.2M", "40", "30"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Normalized load: r .800, x .600"), std::string::npos);
  EXPECT_NE(r.out.find("Region 3: upper half"), std::string::npos);
  EXPECT_NE(r.out.find("Series L: .500 normalized, 25.000 ohms, 280.2 nH"), std::string::npos);
  EXPECT_NE(r.out.find("Shunt C: -1.000 normalized, -50.000 ohms, 224.2 pF"), std::string::npos);
  EXPECT_TRUE(r.err.empty());
}

TEST(CliTest, ComponentValuesInJson) {
  const auto doc = Json({"--freq", "1G", "40", "30"});
  const auto& run = doc["runs"][0];
  EXPECT_EQ(run["first"]["component"], "Series L");
  EXPECT_NEAR(run["first"]["henries"].get<double>(), 25.0 / (2 * std::numbers::pi * 1e9), 1e-20);
  EXPECT_EQ(run["second"]["component"], "Shunt C");
  EXPECT_NEAR(run["second"]["farads"].get<double>(), 1.0 / (2 * std::numbers::pi * 1e9 * 50),
              1e-20);
  const auto refused = Json({"--freq", "1G", "--type", "2", "40", "30"});
  EXPECT_TRUE(refused["runs"][0]["first"].is_null());
}

TEST(CliTest, InvalidUtf8AndHugeTextsDoNotCrash) {
  const std::string bad = "\xff\xfe 40";
  EXPECT_EQ(RunArgs({"--json", "--z0", bad, "40", "30"}).status, 1);
  const Result huge = RunArgs({"--json", std::string(1 << 20, '9'), "0"});
  EXPECT_EQ(huge.status, 1);
  EXPECT_EQ(nlohmann::json::parse(huge.out)["runs"][0]["fault"]["code"], 6);
}

}  // namespace
}  // namespace vorda::cli
