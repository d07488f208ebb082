// The band search as vorda-match runs it: published examples reach their
// figures, a typed load and the same load as a file agree, and what the
// search is asked for (--max-parts, --best-by) is honoured or refused.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <complex>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "rf/circuit/Units.h"
#include "tests/cli/CliRun.h"

namespace vorda::cli::testing {
namespace {

using Json = nlohmann::json;

// The best worst return loss with each number of parts, from --json.
std::vector<double> BestByParts(const std::vector<std::string>& args) {
  const Result r = RunArgs(args);
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<double> best(8, 0.0);
  const Json j = Json::parse(r.out);
  for (const Json& e : j["band"]["best_by_parts"]) {
    best[e["parts"].get<std::size_t>()] = e["worst_return_loss_db"].get<double>();
  }
  return best;
}

// Networks known to reach these worst return losses over their bands (with
// their parts given, vorda-match's own --network agrees): the search finds
// at least as much, to 0.2 dB.
TEST(CliBandTest, PublishedExamplesReachTheirFigures) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::pair<std::size_t, double>> reach;  // parts, worst return loss
  };
  const std::string dipole = VORDA_SOURCE_DIR "/docs/examples/dipole.s1p";
  const Case cases[] = {
      // 40 ohms and 120 nH; the Bode-Fano limit is 13.16 dB.
      {{"--freq", "350M", "--band", "295M:405M", "--", "40", "263.894"},
       {{2, 3.40}, {3, 6.13}, {4, 8.18}}},
      // 111.8 ohms and 11.33 pF in series.
      {{"--freq", "141.42M", "--band", "100M:200M", "--", "111.8", "-99.33"},
       {{3, 17.23}, {4, 19.54}}},
      // Pi low-pass 30.96 dB; two L-sections high-pass 37.84 dB.
      {{"--s1p", dipole, "--band", "14M:14.35M"}, {{3, 30.96}, {4, 37.84}}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), "--json");
    const std::vector<double> best = BestByParts(args);
    for (const auto& [parts, db] : c.reach) {
      EXPECT_GE(best[parts], db - 0.2) << c.args.back() << ", " << parts << " parts";
    }
  }
}

// A capacitive load at 2.4 GHz typed, and the same load measured every 5
// MHz: the band search finds the same match with each number of parts.
TEST(CliBandTest, TypedLoadAndTheSameLoadAsAFileAgree) {
  const double r = 12, c = 1.6e-12;
  std::string text = "# MHz Z RI R 50\n";
  for (int mhz = 2300; mhz <= 2500; mhz += 5) {
    const double x = -1 / (2 * std::numbers::pi * mhz * 1e6 * c);
    text += std::to_string(mhz) + " " + rf::ShortestText(r / 50) + " " + rf::ShortestText(x / 50) +
            "\n";
  }
  const std::string path = ::testing::TempDir() + "/capacitive.s1p";
  std::ofstream(path) << text;
  const std::string x = rf::ShortestText(-1 / (2 * std::numbers::pi * 2.4e9 * c));
  const std::vector<double> typed = BestByParts(
      {"--json", "--freq", "2.4G", "--band", "2.3G:2.5G", "--", rf::ShortestText(r), x});
  const std::vector<double> file =
      BestByParts({"--json", "--freq", "2.4G", "--band", "2.3G:2.5G", "--s1p", path});
  for (std::size_t parts = 1; parts <= 4; ++parts) {
    EXPECT_NEAR(typed[parts], file[parts], 0.2) << parts << " parts";
  }
}

// --best-by orders the band's rows by its figure; --max-parts widens the
// family; both refuse what they cannot take, by name.
TEST(CliBandTest, BestByAndMaxPartsAreHonouredOrRefused) {
  const std::vector<std::string> band = {"--json", "--freq",    "350M",
                                         "--band", "295M:405M", "--q-l",
                                         "30",     "--best-by", "transducer-gain"};
  std::vector<std::string> args = band;
  args.insert(args.end(), {"--", "40", "263.894"});
  const Result ranked = RunArgs(args);
  ASSERT_EQ(ranked.status, 0) << ranked.err;
  double last = 0;
  const Json doc = Json::parse(ranked.out);
  for (const Json& d : doc["band"]["designs"]) {
    const double loss = d["band"]["worst_insertion_loss_db"].get<double>();
    EXPECT_GE(loss, last);
    last = loss;
  }
  const Result six =
      RunArgs({"--json", "--band", "295M:405M", "--max-parts", "6", "--", "40", "263.894"});
  ASSERT_EQ(six.status, 0) << six.err;
  EXPECT_EQ(Json::parse(six.out)["band"]["best_by_parts"].back()["parts"], 6);
  const std::pair<std::vector<std::string>, std::string> refused[] = {
      {{"--band", "1M:2M", "--max-parts", "7", "50", "10"}, "--max-parts must be"},
      {{"--band", "1M:2M", "--max-parts", "1", "50", "10"}, "--max-parts must be"},
      {{"--freq", "1M", "--max-parts", "3", "50", "10"}, "--max-parts needs --band"},
      {{"--freq", "1M", "--best-by", "price", "50", "10"}, "transducer-gain or yield: price"},
      {{"--best-by", "bandwidth", "50", "10"}, "--best-by needs --freq or --band"},
  };
  for (const auto& [a, message] : refused) {
    const Result r = RunArgs(a);
    EXPECT_EQ(r.status, 2) << message;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
  }
}

// Two bands of an antenna in two states and a band to reject: each design
// has each band in each state with its margin, the band rejected or not,
// and the worst margin of them all; the search's own order is by it.
TEST(CliBandTest, SeveralBandsStatesAndABandToReject) {
  const std::string free = VORDA_SOURCE_DIR "/docs/examples/dualband.s1p";
  const std::string hand = VORDA_SOURCE_DIR "/docs/examples/dualband-hand.s1p";
  const Result r = RunArgs({"--json", "--s1p", free, "--s1p", hand, "--band", "791M:862M:rl=6",
                            "--band", "2110M:2170M", "--reject", "1.5G:1.6G:3", "--max-parts", "3",
                            "--band-points", "21"});
  ASSERT_EQ(r.status, 0) << r.err;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(doc["band"]["segments"].size(), 6u);  // 2 bands and 1 to reject, in 2 states
  double last = HUGE_VAL;
  for (const Json& d : doc["band"]["designs"]) {
    ASSERT_EQ(d["bands"].size(), 4u) << d["key"];
    ASSERT_EQ(d["reject"].size(), 2u);
    double worst = HUGE_VAL;
    for (const Json& b : d["bands"]) worst = std::min(worst, b["margin_db"].get<double>());
    for (const Json& b : d["reject"]) worst = std::min(worst, b["margin_db"].get<double>());
    EXPECT_DOUBLE_EQ(d["worst_margin_db"].get<double>(), worst);
    EXPECT_LE(worst, last + 1e-12);
    last = worst;
    EXPECT_EQ(d["bands"][2]["state"], hand);
    EXPECT_NEAR(d["bands"][0]["margin_db"].get<double>(),
                d["bands"][0]["worst_return_loss_db"].get<double>() - 6, 1e-9);
  }
  const std::pair<std::vector<std::string>, std::string> refused[] = {
      {{"--s1p", free, "--s1p", hand, "--freq", "800M"}, "several states, matched by one network"},
      {{"--band", "1M:2M:rl=x", "50", "10"}, "rl=DB (a return loss) or tg=DB"},
      {{"--band", "1M:2M:tg=3", "50", "10"},
       "a transducer gain to reach lies from -100 dB to 0 dB"},
      {{"--reject", "3M:4M", "--freq", "1M", "50", "10"}, "--reject needs --band"},
      {{"--band", "1M:2M", "--reject", "3M:4M:0", "50", "10"}, "the attenuation to reach"},
      {{"--band", "1M:2M", "--range-c", "1p", "50", "10"}, "--range-c must be LOW:HIGH"},
  };
  for (const auto& [a, message] : refused) {
    const Result bad = RunArgs(a);
    EXPECT_EQ(bad.status, 2) << message;
    EXPECT_NE(bad.err.find(message), std::string::npos) << bad.err;
  }
}

// A radiation efficiency makes the transducer gain the total efficiency;
// one whose data do not reach a band is refused, naming its file.
TEST(CliBandTest, ARadiationEfficiencyCoversEveryBand) {
  const std::string free = VORDA_SOURCE_DIR "/docs/examples/dualband.s1p";
  const std::string eff = VORDA_SOURCE_DIR "/docs/examples/dualband-efficiency.csv";
  const Result r = RunArgs({"--json", "--s1p", free, "--radiation-efficiency", eff, "--band",
                            "791M:862M", "--max-parts", "2", "--band-points", "11"});
  ASSERT_EQ(r.status, 0) << r.err;
  const Json doc = Json::parse(r.out);
  EXPECT_EQ(doc["band"]["figure"], "transducer gain");
  for (const Json& d : doc["band"]["designs"]) {
    const double total = d["band"]["worst_total_efficiency"].get<double>();
    const double network = std::pow(10, -d["band"]["worst_insertion_loss_db"].get<double>() / 10);
    EXPECT_LT(total, network);  // the antenna radiates less than it takes
    EXPECT_GT(total, 0.35 * network);
  }
  const std::string low = ::testing::TempDir() + "low-band-efficiency.csv";
  std::ofstream(low) << "700M,0.6\n1G,0.7\n";
  const Result beyond =
      RunArgs({"--s1p", free, "--radiation-efficiency", low, "--band", "2110M:2170M"});
  EXPECT_NE(beyond.status, 0);
  EXPECT_NE(beyond.err.find("radiation efficiency's data, 700 MHz to 1 GHz (" + low + ")"),
            std::string::npos)
      << beyond.err;
}

}  // namespace
}  // namespace vorda::cli::testing
