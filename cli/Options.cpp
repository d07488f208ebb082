#include "cli/Options.h"

#include <CLI/CLI.hpp>

#include "cli/Frequency.h"
#include "engine/SectionTypes.h"
#include "generated/Version.h"

namespace vorda::cli {

namespace {

constexpr const char* kUsage =
    "Usage: vorda-match [--z0 TEXT] [--type N|all] [--freq F] [--json] [--] R X";

constexpr const char* kHelp =
    "Matches a load impedance R + jX (ohms) to the normalizing resistance with an\n"
    "L-section, exactly as the VordaForWin window computes it.\n"
    "\n"
    "R, X and the --z0 text are read like the window's input boxes: the leading\n"
    "number counts (\"50 ohm\" is 50, 5E1 is 50, a text without a number is 0).\n"
    "\n"
    "Options:\n"
    "  --z0 TEXT      normalizing resistance (default \"50\")\n"
    "  --type N|all   L-section type 1 to 8 (default 1); all runs the eight types\n"
    "  --freq F       also give the component values at F hertz (k, M, G accepted)\n"
    "  --json         print one JSON document instead of text\n"
    "  --             end of the options, so that a negative R or X can follow\n"
    "  --help         show this help\n"
    "  --version      show the version\n"
    "\n"
    "Exit status: 0 when the section was computed (with all: at least one type),\n"
    "1 when the type was refused or an arithmetic fault stopped the run, 2 for a\n"
    "usage error.\n";

Parsed Usage(std::ostream& err, const std::string& message) {
  err << "vorda-match: " << message << "\n" << kUsage << "\n";
  return {std::nullopt, kExitUsage};
}

std::optional<std::vector<std::int16_t>> Types(const std::string& text) {
  std::vector<std::int16_t> types;
  if (text == "all") {
    for (std::int16_t t = 1; t <= kTypeCount; ++t) types.push_back(t);
  } else if (text.size() == 1 && FindSectionType(static_cast<std::int16_t>(text[0] - '0'))) {
    types.push_back(static_cast<std::int16_t>(text[0] - '0'));
  } else {
    return std::nullopt;
  }
  return types;
}

}  // namespace

Parsed ParseOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options opt;
  std::string type = "1";
  std::string freq;
  std::vector<std::string> load;
  bool help = false;
  bool version = false;
  CLI::App app{"vorda-match", "vorda-match"};
  app.set_help_flag();
  app.add_flag("--help,-h", help);
  app.add_flag("--version", version);
  app.add_option("--z0", opt.z0);
  app.add_option("--type", type);
  app.add_option("--freq", freq);
  app.add_flag("--json", opt.json);
  app.add_option("load", load);
  try {
    // CLI11 takes a vector of arguments last one first: it consumes them
    // from the back.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    return Usage(err, e.what());
  }
  if (help) {
    out << kUsage << "\n\n" << kHelp;
    return {std::nullopt, kExitComputed};
  }
  if (version) {
    out << "VordaForWin " << version::kText << "\n";
    return {std::nullopt, kExitComputed};
  }
  if (load.size() != 2) {
    return Usage(err, "expected two values, the load resistance R and reactance X, got " +
                          std::to_string(load.size()));
  }
  opt.real = load[0];
  opt.imag = load[1];
  const auto types = Types(type);
  if (!types) return Usage(err, "--type must be a number from 1 to 8, or all: " + type);
  opt.types = *types;
  if (app.count("--freq") > 0) {
    opt.hertz = ParseFrequency(freq);
    if (!opt.hertz) return Usage(err, "--freq must be a positive frequency in hertz: " + freq);
  }
  return {opt, kExitComputed};
}

}  // namespace vorda::cli
