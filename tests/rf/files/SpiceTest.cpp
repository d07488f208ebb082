// The netlist vorda-match writes, run through ngspice: the simulator finds
// the input impedance that vorda-match reports.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <complex>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "cli/Cli.h"

namespace vorda::cli {
namespace {

std::string RunNgspice(const std::string& netlist) {
  const std::string command = "ngspice -b '" + netlist + "' 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string out;
  char buf[4096];
  while (std::fgets(buf, sizeof buf, pipe) != nullptr) out += buf;
  ::pclose(pipe);
  return out;
}

// The number ngspice prints as "name = number".
std::optional<double> Printed(const std::string& out, const std::string& name) {
  const std::size_t at = out.find(name + " = ");
  if (at == std::string::npos) return std::nullopt;
  return std::strtod(out.c_str() + at + name.size() + 3, nullptr);
}

TEST(SpiceTest, NgspiceFindsTheReportedInputImpedance) {
  struct Case {
    std::vector<std::string> args;
    const char* zin_key;  // where vorda-match reports the impedance; null: ideal, Z0 = 50
  };
  const Case cases[] = {
      {{"--type", "1", "--freq", "14.2M", "40", "30"}, nullptr},
      {{"--type", "4", "--freq", "14.2M", "--series", "E12", "--q-l", "50", "--q-c", "200", "40",
        "30"},
       "match"},
      {{"--type", "2", "--freq", "433M", "--q-l", "30", "--sweep", "400M:470M:8", "10", "-20"},
       "match"},
      {{"--type", "7", "--freq", "2.4G", "--series", "E24", "--", "30", "-80"}, "standard_match"},
      {{"--type", "3", "--z0", "75", "--freq", "1M", "--series", "E6", "--q-c", "20", "300", "-90"},
       "match"},
      {{"--type", "6", "--freq", "100k", "--q-l", "80", "--q-c", "500", "25", "40"}, "match"},
      // Parasitics: a package's, Q held at 1 GHz; self-resonances given.
      {{"--type", "2", "--freq", "2.4G", "--package", "0603", "--q-l", "40", "--q-at", "1G",
        "--q-c", "300", "--", "20", "-30"},
       "match"},
      {{"--type", "3", "--freq", "900M", "--srf-c", "3G", "--srf-l", "5G", "--", "80", "-40"},
       "match"},
  };
  const auto dir = std::filesystem::temp_directory_path() /
                   ("vorda-spice-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  int n = 0;
  for (const Case& c : cases) {
    const std::string netlist = (dir / ("case" + std::to_string(n++) + ".cir")).string();
    std::vector<std::string> args = {"--json", "--spice", netlist};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::ostringstream out, err;
    ASSERT_EQ(RunCli(args, out, err), 0) << err.str();
    const auto run = nlohmann::json::parse(out.str())["runs"][0];
    const std::complex<double> ours =
        c.zin_key == nullptr
            ? std::complex<double>(50, 0)  // ideal parts match the default Z0
            : std::complex<double>(run[c.zin_key]["zin"][0], run[c.zin_key]["zin"][1]);
    const std::string printed = RunNgspice(netlist);
    const auto re = Printed(printed, "real(zin)");
    const auto im = Printed(printed, "imag(zin)");
    ASSERT_TRUE(re && im) << printed;
    const std::complex<double> spice(*re, *im);
    EXPECT_LT(std::abs(spice - ours), 1e-6 * std::abs(ours))
        << testing::PrintToString(c.args) << ": ngspice " << spice << ", vorda-match " << ours;
  }
  std::filesystem::remove_all(dir);
}

// Every type, with ideal and lossy parts, for inductive and capacitive loads
// where its region has them: ngspice runs the netlist without a warning or
// an error, prints the sweep, and finds the reported input impedance.
TEST(SpiceTest, EveryTypeRunsCleanly) {
  struct Load {
    std::vector<std::int16_t> types;  // that admit it
    const char* r;
    const char* x;
  };
  const Load loads[] = {
      {{2, 4}, "20", "10"},       {{2, 4}, "20", "-10"},        // region 1
      {{1, 3}, "100", "50"},      {{1, 3}, "100", "-50"},       // region 2
      {{1, 4, 5, 6}, "40", "30"}, {{2, 3, 7, 8}, "40", "-30"},  // regions 3 and 4
  };
  const auto dir = std::filesystem::temp_directory_path() /
                   ("vorda-spice-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  int runs = 0;
  for (const Load& load : loads) {
    for (const std::int16_t type : load.types) {
      for (const bool lossy : {false, true}) {
        const std::string netlist = (dir / ("t" + std::to_string(runs++) + ".cir")).string();
        std::vector<std::string> args = {
            "--json", "--type", std::to_string(type), "--freq", "14.2M", "--spice", netlist};
        if (lossy) args.insert(args.end(), {"--q-l", "40", "--q-c", "300"});
        args.insert(args.end(), {"--", load.r, load.x});
        std::ostringstream out, err;
        ASSERT_EQ(RunCli(args, out, err), 0) << err.str();
        const std::string printed = RunNgspice(netlist);
        const std::string where = "type " + std::to_string(type) + " load " + load.r + " " +
                                  load.x + (lossy ? " lossy" : "");
        std::string lower = printed;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const char* complaint : {"warning", "error", "singular", "failed"}) {
          EXPECT_EQ(lower.find(complaint), std::string::npos) << where << ": " << printed;
        }
        EXPECT_NE(printed.find("real(zsweep)"), std::string::npos) << where;
        const auto run = nlohmann::json::parse(out.str())["runs"][0];
        const std::complex<double> ours =
            lossy ? std::complex<double>(run["match"]["zin"][0], run["match"]["zin"][1]) : 50.0;
        const std::complex<double> spice(*Printed(printed, "real(zin)"),
                                         *Printed(printed, "imag(zin)"));
        EXPECT_LT(std::abs(spice - ours), 1e-6 * std::abs(ours)) << where;
      }
    }
  }
  std::filesystem::remove_all(dir);
}

// Every network of three and four parts, lossy, from a complex source: the
// netlist runs cleanly and ngspice finds the input impedance reported.
TEST(SpiceTest, EveryNetworkRunsCleanly) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("vorda-spice-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  for (const char* key : {"pi-lp", "pi-hp", "t-lp", "t-hp", "2l-lp", "2l-hp"}) {
    const std::string netlist = (dir / (std::string(key) + ".cir")).string();
    std::ostringstream out, err;
    ASSERT_EQ(
        RunCli({"--json", "--freq", "100M", "--source", "30-j10", "--loaded-q", "8", "--q-l", "60",
                "--q-c", "400", "--topology", key, "--spice", netlist, "--", "200", "-60"},
               out, err),
        0)
        << err.str();
    nlohmann::json row;
    const nlohmann::json doc = nlohmann::json::parse(out.str());
    for (const auto& n : doc["networks"]) {
      if (n["key"] == key) row = n;
    }
    ASSERT_EQ(row["verdict"], "designed") << key;
    const std::complex<double> ours(row["match"]["zin"][0], row["match"]["zin"][1]);
    const std::string printed = RunNgspice(netlist);
    ASSERT_TRUE(Printed(printed, "real(zin)")) << printed;
    const std::complex<double> spice(*Printed(printed, "real(zin)"),
                                     *Printed(printed, "imag(zin)"));
    EXPECT_LT(std::abs(spice - ours), 1e-6 * std::abs(ours)) << key;
    EXPECT_EQ(printed.find("rror"), std::string::npos) << key << printed;
    EXPECT_EQ(printed.find("arning"), std::string::npos) << key << printed;
  }
  std::filesystem::remove_all(dir);
}

// The designs with lines and a given network of lines and stubs: ngspice's
// lossless lines find the input impedance reported; a lossy line, whose
// ngspice model takes the loss as a series resistance (its impedance then
// complex by about the ratio of its attenuation to its phase, here 0.0115
// Np to 1.44 rad), within four times that ratio.
TEST(SpiceTest, LinesAndStubsAreNgspicesLines) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("vorda-spice-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  const std::string given =
      "shunt stub short 100ohm 40ps, series 3.3nH, series line 35ohm 20mm vf=0.7, shunt stub "
      "open 50ohm 30deg@2.4G";
  struct Case {
    std::string key;
    std::string network;
    double tolerance;
  };
  const Case cases[] = {{"stub-open", given, 1e-6},
                        {"stub-short", given, 1e-6},
                        {"2stub-open", given, 1e-6},
                        {"2stub-short", given, 1e-6},
                        {"qw", given, 1e-6},
                        {"given", given, 1e-6},
                        {"given", given + " loss=0.1dB@2.4G", 4 * 0.0115 / 1.44}};
  int n = 0;
  for (const Case& c : cases) {
    const std::string netlist = (dir / ("l" + std::to_string(n++) + ".cir")).string();
    std::ostringstream out, err;
    ASSERT_EQ(
        RunCli({"--json", "--freq", "2.4G", "--elements", "lines", "--line-z0", "60", "--network",
                c.network, "--topology", c.key, "--spice", netlist, "--", "40", "30"},
               out, err),
        0)
        << c.key << err.str();
    nlohmann::json row;
    const nlohmann::json doc = nlohmann::json::parse(out.str());
    for (const auto& r : doc["networks"]) {
      if (r["key"] == c.key && row.is_null()) row = r;
    }
    ASSERT_EQ(row["verdict"], "designed") << c.key;
    const std::complex<double> ours(row["match"]["zin"][0], row["match"]["zin"][1]);
    const std::string printed = RunNgspice(netlist);
    ASSERT_TRUE(Printed(printed, "real(zin)")) << printed;
    const std::complex<double> spice(*Printed(printed, "real(zin)"),
                                     *Printed(printed, "imag(zin)"));
    EXPECT_LT(std::abs(spice - ours), c.tolerance * std::abs(ours)) << c.key << " " << c.network;
    EXPECT_EQ(printed.find("rror"), std::string::npos) << c.key << printed;
  }
  std::filesystem::remove_all(dir);
}

// A complex source has one model in every output: the sweep's return loss
// in the CSV is that of ngspice's input impedance against the source the
// netlist draws (R in series with an inductor), at every frequency.
TEST(SpiceTest, OneSourceModelInTheSweepAndTheNetlist) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("vorda-source-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  const std::string csv = (dir / "s.csv").string(), netlist = (dir / "s.cir").string();
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"--z0", "75", "--freq", "2G", "--source", "150+75j", "--type", "2", "--sweep",
                    "1G:3G:5", "--csv", csv, "--spice", netlist, "75", "15"},
                   out, err),
            0)
      << err.str();
  std::ifstream text(netlist);
  double r = 0, l = 0;
  for (std::string line; std::getline(text, line);) {
    std::istringstream words(line);
    std::string name, a, b;
    double v = 0;
    words >> name >> a >> b >> v;
    if (name == "RSRC") r = v;
    if (name == "LSRC") l = v;
  }
  ASSERT_GT(l, 0);
  std::istringstream printed(RunNgspice(netlist));
  std::ifstream table(csv);
  std::string row;
  std::getline(table, row);  // the header
  int checked = 0;
  for (std::string line; std::getline(printed, line);) {
    std::istringstream cells(line);
    int index = -1;
    double hz = 0, re = 0, im = 0;
    if (!(cells >> index >> hz >> re >> im) || line.find("zin") != std::string::npos) continue;
    ASSERT_TRUE(std::getline(table, row));
    const std::complex<double> zin(re, im), zs(r, 2 * 3.141592653589793 * hz * l);
    const double gamma = std::abs(zin - std::conj(zs)) / std::abs(zin + zs);
    const double ours = std::strtod(row.substr(row.find(',') + 1).c_str(), nullptr);
    if (gamma > 1e-6) {
      EXPECT_NEAR(ours, -20 * std::log10(gamma), 1e-6) << hz;
    }
    ++checked;
  }
  EXPECT_EQ(checked, 5);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vorda::cli
