#include "Cli.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <optional>

#include "CliView.h"
#include "Compute.h"
#include "Frequency.h"
#include "SectionTypes.h"
#include "Version.h"

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

constexpr const char* kLabels[] = {kLblNormReal,   kLblNormImag,       kLblSecondComponent,
                                   kLblSecondOhms, kLblFirstComponent, kLblFirstOhms};

struct Options {
  std::string z0 = "50";
  std::string type = "1";
  std::string freq;
  bool json = false;
  std::vector<std::string> load;
};

struct TypeRun {
  std::int16_t type_index;
  CliView view;
  ComputeRun run;
};

int Usage(std::ostream& err, const std::string& message) {
  err << "vorda-match: " << message << "\n" << kUsage << "\n";
  return kExitUsage;
}

std::string RegionWords(int region) {
  switch (region) {
    case 1:
      return "inside the unit-conductance circle (left hand circular area)";
    case 2:
      return "inside the unit-resistance circle (right hand circular area)";
    case 3:
      return "upper half of the chart, outside both small circles";
    case 4:
      return "lower half of the chart, outside both small circles";
    default:
      break;
  }
  return "unclassified";
}

nlohmann::ordered_json ComponentJson(const char* name, const std::optional<double>& reactance,
                                     double z0, double hertz) {
  if (!reactance) return nullptr;
  const double ohms = *reactance * z0;
  nlohmann::ordered_json j;
  j["component"] = name;
  j["ohms"] = ohms;
  const ComponentValue v = ValueAt(ohms, hertz);
  if (v.kind == ComponentValue::Kind::kInductor) j["henries"] = v.value;
  if (v.kind == ComponentValue::Kind::kCapacitor) j["farads"] = v.value;
  return j;
}

void PrintJson(const std::vector<TypeRun>& runs, std::optional<double> hertz, std::ostream& out) {
  nlohmann::ordered_json doc;
  doc["runs"] = nlohmann::ordered_json::array();
  for (const TypeRun& t : runs) {
    nlohmann::ordered_json j;
    j["type"] = t.type_index;
    nlohmann::ordered_json labels;
    for (const char* label : kLabels) {
      const auto caption = t.view.Caption(label);
      labels[label] = caption ? nlohmann::ordered_json(*caption) : nlohmann::ordered_json(nullptr);
    }
    j["labels"] = labels;
    j["messages"] = nlohmann::ordered_json::array();
    for (const RecordedBox& box : t.view.Boxes()) {
      j["messages"].push_back(
          {{"title", box.title}, {"prompt", box.prompt}, {"style", static_cast<int>(box.style)}});
    }
    j["fault"] = t.run.fault ? nlohmann::ordered_json{{"code", t.run.fault->code()}}
                             : nlohmann::ordered_json(nullptr);
    j["region"] =
        t.run.region ? nlohmann::ordered_json(*t.run.region) : nlohmann::ordered_json(nullptr);
    if (hertz) {
      const SectionType& type = kSectionTypes[static_cast<std::size_t>(t.type_index - 1)];
      j["first"] = ComponentJson(type.first_component, t.run.first, t.run.z0, *hertz);
      j["second"] = ComponentJson(type.second_component, t.run.second, t.run.z0, *hertz);
    }
    doc["runs"].push_back(j);
  }
  // Texts from the command line need not be valid UTF-8: replace, never throw.
  out << doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

std::string CaptionOr(const CliView& view, const char* label) {
  return view.Caption(label).value_or("(not computed)");
}

void PrintText(const std::vector<TypeRun>& runs, std::optional<double> hertz, std::ostream& out) {
  const CliView& first_view = runs.front().view;
  if (first_view.Caption(kLblNormReal)) {
    out << "Normalized load: r " << CaptionOr(first_view, kLblNormReal) << ", x "
        << CaptionOr(first_view, kLblNormImag) << "\n";
  }
  if (runs.front().run.region) {
    out << "Region " << *runs.front().run.region << ": " << RegionWords(*runs.front().run.region)
        << "\n";
  }
  for (const TypeRun& t : runs) {
    const SectionType& type = kSectionTypes[static_cast<std::size_t>(t.type_index - 1)];
    out << "\nType " << t.type_index << " (" << type.first_component << ", "
        << type.second_component << "): ";
    switch (t.run.outcome) {
      case Outcome::kComputed:
        out << "computed\n";
        break;
      case Outcome::kRefused:
        out << "refused for region " << t.run.region.value_or(0) << "\n";
        break;
      case Outcome::kOutOfRange:
        out << "type out of range\n";
        break;
      case Outcome::kFault:
        out << "stopped by an arithmetic fault (error code " << t.run.fault->code() << ")\n";
        break;
    }
    auto row = [&](const char* role, const char* name, const char* norm_label,
                   const char* ohms_label, const std::optional<double>& reactance) {
      if (!t.view.Caption(norm_label) && !t.view.Caption(ohms_label)) return;
      out << "  " << role << " " << name << ": " << CaptionOr(t.view, norm_label) << " normalized, "
          << CaptionOr(t.view, ohms_label) << " ohms";
      if (hertz && reactance && t.run.outcome == Outcome::kComputed) {
        out << ", " << Describe(ValueAt(*reactance * t.run.z0, *hertz));
      }
      out << "\n";
    };
    row("first ", type.first_component, kLblFirstComponent, kLblFirstOhms, t.run.first);
    row("second", type.second_component, kLblSecondComponent, kLblSecondOhms, t.run.second);
  }
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options opt;
  bool help = false;
  bool version = false;
  CLI::App app{"vorda-match", "vorda-match"};
  app.set_help_flag();
  app.add_flag("--help,-h", help);
  app.add_flag("--version", version);
  app.add_option("--z0", opt.z0);
  app.add_option("--type", opt.type);
  app.add_option("--freq", opt.freq);
  app.add_flag("--json", opt.json);
  app.add_option("load", opt.load);
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    return Usage(err, e.what());
  }
  if (help) {
    out << kUsage << "\n\n" << kHelp;
    return kExitComputed;
  }
  if (version) {
    out << "VordaForWin " << version::kText << "\n";
    return kExitComputed;
  }
  if (opt.load.size() != 2) {
    return Usage(err, "expected two values, the load resistance R and reactance X, got " +
                          std::to_string(opt.load.size()));
  }

  std::vector<std::int16_t> types;
  if (opt.type == "all") {
    for (std::int16_t t = 1; t <= kTypeCount; ++t) types.push_back(t);
  } else if (opt.type.size() == 1 && opt.type[0] >= '1' && opt.type[0] <= '8') {
    types.push_back(static_cast<std::int16_t>(opt.type[0] - '0'));
  } else {
    return Usage(err, "--type must be a number from 1 to 8, or all: " + opt.type);
  }
  std::optional<double> hertz;
  if (!opt.freq.empty() || app.count("--freq") > 0) {
    hertz = ParseFrequency(opt.freq);
    if (!hertz) return Usage(err, "--freq must be a positive frequency in hertz: " + opt.freq);
  }

  std::vector<TypeRun> runs;
  runs.reserve(types.size());
  bool any_computed = false;
  for (std::int16_t t : types) {
    TypeRun& tr = runs.emplace_back(TypeRun{t, CliView(opt.z0, opt.load[0], opt.load[1], t), {}});
    tr.run = cmdCompute_Click(tr.view);
    for (const RecordedBox& box : tr.view.Boxes()) err << box.title << ": " << box.prompt << "\n";
    if (tr.run.fault) err << kAppTitle << ": " << FaultPrompt(*tr.run.fault) << "\n";
    any_computed = any_computed || tr.run.outcome == Outcome::kComputed;
  }
  if (opt.json) {
    PrintJson(runs, hertz, out);
  } else {
    PrintText(runs, hertz, out);
  }
  return any_computed ? kExitComputed : kExitNotComputed;
}

}  // namespace vorda::cli
