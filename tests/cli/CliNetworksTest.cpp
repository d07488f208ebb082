// vorda-match beyond the engine's L-sections: a complex source, Pi and T,
// the band search, and the network as a two-port file and a netlist.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "tests/cli/CliRun.h"

namespace vorda::cli {
namespace {

using testing::Result;
using testing::RunArgs;
using Json = nlohmann::json;

Json JsonOf(const std::vector<std::string>& args) {
  std::vector<std::string> with = args;
  with.insert(with.begin(), "--json");
  const Result r = RunArgs(with);
  EXPECT_EQ(r.status, 0) << r.err;
  return Json::parse(r.out);
}

TEST(CliNetworksTest, ComplexSourceAndLoadedQ) {
  const Json j = JsonOf(
      {"--type", "all", "--z0", "75", "--source", "150+j75", "--freq", "2G", "--", "75", "15"});
  EXPECT_TRUE(j["runs"].empty());  // the engine serves only a source of Z0
  std::vector<int> designed;
  for (const Json& n : j["networks"]) {
    if (n["verdict"] == "designed") designed.push_back(n["type"]);
  }
  EXPECT_EQ(designed, (std::vector<int>{2, 4}));
  // A loaded Q below the least: refused with the least in the reason.
  const Json pi = JsonOf({"--z0", "100", "--freq", "100M", "--loaded-q", "2", "1000", "0"});
  EXPECT_NE(pi["networks"][0]["reason"].get<std::string>().find("3 (sqrt(Rhigh / Rlow - 1))"),
            std::string::npos);
}

TEST(CliNetworksTest, BandSearchRanksAndBounds) {
  const Json j = JsonOf({"--band", "295M:405M", "--band-points", "51", "--", "40",
                         std::to_string(2 * 3.141592653589793 * 350e6 * 120e-9)});
  const Json& band = j["band"];
  ASSERT_FALSE(band["designs"].empty());
  double previous = HUGE_VAL;
  for (const Json& d : band["designs"]) {
    const double worst = d["band"]["worst_return_loss_db"];
    EXPECT_LE(worst, previous);  // ranked
    EXPECT_LE(worst, band["bode_fano"]["worst_return_loss_db"].get<double>() + 0.01);
    previous = worst;
    EXPECT_TRUE(d["elements"][0].contains("henries") || d["elements"][0].contains("farads"));
  }
  EXPECT_EQ(band["bode_fano"]["model"], "series R-L");
}

// The two-port file of a Pi network, read back: S11 is the reflection of
// the input with port 2 closed in its reference, |S21|^2 the transducer
// gain, and a lossless network passes or reflects all the power.
TEST(CliNetworksTest, TwoPortFileReadsBack) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("vorda-s2p-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "pi.s2p").string();
  const Result r =
      RunArgs({"--z0", "100", "--freq", "100M", "--loaded-q", "15", "--topology", "pi-lp",
               "--sweep", "50M:150M:11", "--s2p", file, "--s2p-reference", "load", "1000", "0"});
  ASSERT_EQ(r.status, 0) << r.err;
  int points = 0;
  {  // closed before the folder goes: Windows keeps an open file
    std::ifstream in(file);
    std::string line;
    bool data = false;
    while (std::getline(in, line)) {
      if (line == "[Network Data]") {
        data = true;
        continue;
      }
      if (line == "[End]") break;
      if (!data) {
        EXPECT_TRUE(line.rfind("[Reference]", 0) != 0 || line == "[Reference] 100 1000") << line;
        continue;
      }
      std::istringstream numbers(line);
      double f = 0, v[8];
      numbers >> f;
      for (double& x : v) numbers >> x;
      const std::complex<double> s11(v[0], v[1]), s21(v[2], v[3]), s12(v[4], v[5]);
      EXPECT_NEAR(std::norm(s11) + std::norm(s21), 1.0, 1e-12) << f;
      EXPECT_NEAR(std::abs(s12 - s21), 0.0, 1e-12) << f;  // reciprocal
      EXPECT_TRUE(f != 100e6 || std::abs(s11) < 1e-9);    // matched at the design frequency
      ++points;
    }
  }
  EXPECT_EQ(points, 11);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vorda::cli
