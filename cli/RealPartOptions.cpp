#include "cli/RealPartOptions.h"

#include "rf/circuit/Limits.h"
#include "rf/circuit/Units.h"

namespace vorda::cli {

namespace {

struct Bad {
  std::string message;
};

double Hertz(const char* option, const std::string& text) {
  const rf::ReadNumber f = rf::ReadFrequency(text);
  if (!f.value) throw Bad{std::string(option) + ": " + f.error};
  if (auto why = rf::CheckFrequency(*f.value, option)) throw Bad{*why};
  return *f.value;
}

// A whole number from `least` to `most`.
long long Whole(const char* option, const std::string& text, long long least, long long most) {
  std::size_t used = 0;
  long long n = 0;
  try {
    n = std::stoll(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || n < least || n > most) {
    throw Bad{std::string(option) + " must be a whole number from " + std::to_string(least) +
              " to " + std::to_string(most) + ": " + text};
  }
  return n;
}

}  // namespace

void AddRealPartOptions(CLI::App& app, RealPartTexts& t) {
  app.add_option("--package", t.package);
  app.add_option("--srf-l", t.srf_l);
  app.add_option("--srf-c", t.srf_c);
  app.add_option("--q-at", t.q_at);
  app.add_option("--parts", t.parts);
  app.add_option("--tolerance", t.tolerance);
  app.add_option("--builds", t.builds);
  app.add_option("--seed", t.seed);
  app.add_option("--goal-vswr", t.goal_vswr);
}

std::optional<std::string> CheckRealPartOptions(const RealPartTexts& t, const CLI::App& app,
                                                Options& opt) {
  const auto given = [&](const char* name) { return app.count(name) > 0; };
  try {
    for (const char* name : {"--package", "--srf-l", "--srf-c", "--q-at", "--parts", "--tolerance",
                             "--builds", "--seed", "--goal-vswr"}) {
      if (given(name) && !opt.hertz && !opt.each) throw Bad{std::string(name) + " needs --freq"};
    }
    if (given("--package")) {
      opt.model.package = rf::ParsePackage(t.package);
      if (!opt.model.package) {
        throw Bad{"--package must be 0201, 0402, 0603, 0805 or 1206: " + t.package};
      }
    }
    if (given("--srf-l")) opt.model.srf_inductor = Hertz("--srf-l", t.srf_l);
    if (given("--srf-c")) opt.model.srf_capacitor = Hertz("--srf-c", t.srf_c);
    if (given("--q-at")) {
      if (!opt.q_inductor && !opt.q_capacitor) {
        throw Bad{"--q-at says where --q-l and --q-c hold: give one of them"};
      }
      opt.model.q_hertz = Hertz("--q-at", t.q_at);
    }
    if (given("--parts")) {
      if (opt.series) throw Bad{"--parts and --series both choose standard values: give one"};
      if (t.parts.empty()) throw Bad{"--parts needs a folder"};
      opt.parts_dir = t.parts;
    }
    for (const char* name : {"--builds", "--seed", "--goal-vswr"}) {
      if (given(name) && !given("--tolerance")) throw Bad{std::string(name) + " needs --tolerance"};
    }
    if (given("--tolerance")) {
      const rf::ReadToleranceResult read = rf::ReadTolerance(t.tolerance);
      if (!read.tolerance) throw Bad{"--tolerance: " + read.error};
      if (read.tolerance->from_library && opt.parts_dir.empty()) {
        throw Bad{"--tolerance library takes each part's tolerance from --parts: give it"};
      }
      if (opt.each) throw Bad{"--tolerance does not go with --each"};
      rf::YieldRequest y;
      y.tolerance = *read.tolerance;
      if (given("--builds"))
        y.builds = static_cast<int>(Whole("--builds", t.builds, 1, rf::kMostBuilds));
      if (given("--seed")) {
        y.seed = static_cast<std::uint64_t>(Whole("--seed", t.seed, 0, 0x7fffffffffffffffLL));
      }
      if (given("--goal-vswr")) {
        const rf::ReadNumber g = rf::ReadEngineering(t.goal_vswr);
        if (!g.value || !(*g.value > 1.0) || !std::isfinite(*g.value)) {
          throw Bad{"--goal-vswr must be a VSWR above 1: " + t.goal_vswr};
        }
        y.goal_vswr = *g.value;
      }
      opt.yield = y;
    }
  } catch (const Bad& bad) {
    return bad.message;
  }
  return std::nullopt;
}

}  // namespace vorda::cli
