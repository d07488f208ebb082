#include "cli/Options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "cli/OptionsHelp.h"
#include "cli/RealPartOptions.h"
#include "cli/Report.h"
#include "engine/SectionTypes.h"
#include "generated/Version.h"
#include "rf/circuit/Limits.h"
#include "rf/circuit/NetworkText.h"
#include "rf/circuit/Units.h"
#include "rf/synthesis/Topology.h"

namespace vorda::cli {

namespace {

// The command line as typed, before any check.
struct Raw {
  std::string type = "1";
  std::string freq, series, q_l, q_c, sweep, s1p;
  std::string source, loaded_q, intermediate, band, band_points, topology, network, fields;
  std::string s2p_reference, s2p_version, max_parts, best_by;
  std::vector<std::string> load;
  RealPartTexts real;
  bool help = false;
  bool version = false;
};

struct UsageError {
  std::string message;
};

std::vector<std::int16_t> Types(const std::string& text) {
  std::vector<std::int16_t> types;
  if (text == "all") {
    for (std::int16_t t = 1; t <= kTypeCount; ++t) types.push_back(t);
  } else if (text.size() == 1 && FindSectionType(static_cast<std::int16_t>(text[0] - '0'))) {
    types.push_back(static_cast<std::int16_t>(text[0] - '0'));
  } else {
    throw UsageError{"--type must be a number from 1 to 8, or all: " + text};
  }
  return types;
}

double Quality(const std::string& option, const std::string& text) {
  const rf::ReadNumber q = rf::ReadEngineering(text);
  if (!q.value) throw UsageError{option + ": " + q.error};
  if (auto why = rf::CheckQ(*q.value, option)) throw UsageError{*why};
  return *q.value;
}

// A frequency option's value, within what the design accepts.
double Frequency(const std::string& option, const std::string& text) {
  const rf::ReadNumber hertz = rf::ReadFrequency(text);
  if (!hertz.value) throw UsageError{option + ": " + hertz.error};
  if (auto why = rf::CheckFrequency(*hertz.value, option)) throw UsageError{*why};
  return *hertz.value;
}

SweepOption Sweep(const std::string& text, bool file) {
  if (text.empty()) {
    if (!file) throw UsageError{"--sweep needs START:STOP[:N] (or a file given with --s1p)"};
    return SweepOption{{}, true};
  }
  const rf::ReadAxis a = rf::ReadRange(text, rf::kMaxSweepPoints, false);
  if (!a.axis) throw UsageError{"--sweep " + text + ": " + a.error};
  return SweepOption{*a.axis, false};
}

// The figures --jsonl writes: figure keys, "all", or "none".
std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> known;
  std::transform(rf::Figures().begin(), rf::Figures().end(), std::back_inserter(known),
                 [](const rf::Figure& f) { return FigureKey(f); });
  if (text == "all") return known;
  std::vector<std::string> fields;
  if (text == "none") return fields;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    const std::string field = text.substr(at, comma - at);
    if (std::find(known.begin(), known.end(), field) == known.end()) {
      std::string all;
      for (const std::string& k : known) {
        if (!all.empty()) all += ", ";
        all += k;
      }
      std::string message = "--fields: \u201c" + field + "\u201d is not a figure (";
      message += all;
      message += ")";
      throw UsageError{message};
    }
    fields.push_back(field);
    at = comma + 1;
  }
  return fields;
}

// --topology KEY: a network that some option makes vorda-match design, for
// --spice or --s2p to write.
std::string Topology(const std::string& key, const CLI::App& app, const Options& opt) {
  const auto kind = rf::ParseKind(key);
  if (!kind) {
    throw UsageError{
        "--topology must be l1 ... l8, pi-lp, pi-hp, t-lp, t-hp, 2l-lp, 2l-hp, "
        "given or a ladder's code such as sL-pLC-sC: " +
        key};
  }
  if (app.count("--spice") == 0 && app.count("--s2p") == 0) {
    throw UsageError{"--topology picks the network that --spice and --s2p write: give one of them"};
  }
  const bool designed =
      kind->topology == rf::Topology::kGiven ? opt.network.has_value()
      : opt.band                             ? true  // every other topology is searched over it
      : kind->topology == rf::Topology::kL
          ? std::find(opt.types.begin(), opt.types.end(), kind->type) != opt.types.end()
          : opt.loaded_q.has_value();
  if (!designed) {
    throw UsageError{"--topology " + key + " is not designed with these options (" +
                     (kind->topology == rf::Topology::kGiven ? std::string("give --network")
                      : kind->topology == rf::Topology::kL
                          ? "give --type " + key.substr(1) + " or all"
                          : std::string("give --loaded-q, or --band")) +
                     ")"};
  }
  return key;
}

// The options beyond one frequency and two parts.
void CheckNetworkOptions(const Raw& raw, const CLI::App& app, Options& opt) {
  if (app.count("--source") > 0) {
    const rf::ReadImpedanceResult z = rf::ReadImpedance(raw.source);
    if (!z.value) throw UsageError{"--source: " + z.error};
    opt.source = z.value;
  }
  if (app.count("--loaded-q") > 0) {
    const rf::ReadNumber q = rf::ReadEngineering(raw.loaded_q);
    if (!q.value) throw UsageError{"--loaded-q: " + q.error};
    opt.loaded_q = q.value;
  }
  if (app.count("--intermediate") > 0) {
    const rf::ReadNumber r = rf::ReadEngineering(raw.intermediate, "\u03a9");
    if (!r.value) throw UsageError{"--intermediate: " + r.error};
    opt.intermediate = r.value;
  }
  if (app.count("--band") > 0) {
    if (opt.each) throw UsageError{"--band does not go with --each"};
    const rf::ReadAxis a = rf::ReadRange(raw.band, 0, true);
    if (!a.axis) throw UsageError{"--band " + raw.band + ": " + a.error};
    opt.band = a.axis;
    // Without --freq the band's geometric centre is the design frequency.
    if (!opt.hertz) opt.hertz = std::sqrt(opt.band->start * opt.band->stop);
  }
  if (app.count("--band-points") > 0) {
    if (!opt.band) throw UsageError{"--band-points needs --band"};
    const rf::ReadCount n = rf::ReadPointCount(raw.band_points, rf::kMaxBandPoints);
    if (!n.count) throw UsageError{"--band-points: " + n.error};
    opt.band->points = *n.count;
  }
  if (app.count("--max-parts") > 0) {
    if (!opt.band) throw UsageError{"--max-parts needs --band"};
    const std::string& t = raw.max_parts;
    if (t.size() != 1 || t[0] < '2' || t[0] > '0' + rf::kMostParts) {
      throw UsageError{"--max-parts must be a number from 2 to " + std::to_string(rf::kMostParts) +
                       ": " + t};
    }
    opt.max_parts = t[0] - '0';
  }
  if (app.count("--best-by") > 0) {
    const auto ranking = rf::ParseRanking(raw.best_by);
    if (!ranking) {
      std::string keys;
      for (std::size_t k = 0; k < rf::kRankingCount; ++k) {
        keys += std::string(k == 0                       ? ""
                            : k + 1 == rf::kRankingCount ? " or "
                                                         : ", ") +
                rf::RankingKey(static_cast<rf::Ranking>(k));
      }
      throw UsageError{"--best-by must be " + keys + ": " + raw.best_by};
    }
    opt.ranking = *ranking;
  }
  if (app.count("--network") > 0) {
    const rf::ParsedNetwork n = rf::ParseNetwork(raw.network);
    if (!n.network) throw UsageError{"--network: " + n.error};
    opt.network = n.network;
  }
  if (app.count("--topology") > 0) opt.topology = Topology(raw.topology, app, opt);
  // An option that would change nothing is a mistake to point out.
  if (opt.intermediate && !opt.loaded_q && !opt.band) {
    throw UsageError{
        "--intermediate needs --loaded-q or --band (it is the resistance between "
        "two L-sections, designed only with one of them)"};
  }
  for (const char* name : {"--source", "--loaded-q", "--intermediate", "--topology", "--s2p",
                           "--network", "--best-by"}) {
    if (app.count(name) > 0 && !opt.hertz) {
      throw UsageError{std::string(name) + " needs --freq or --band"};
    }
    if (app.count(name) > 0 && opt.each) {
      throw UsageError{std::string(name) + " does not go with --each"};
    }
  }
  if ((app.count("--s2p-reference") > 0 || app.count("--s2p-version") > 0) &&
      opt.s2p_path.empty()) {
    throw UsageError{"--s2p-reference and --s2p-version go with --s2p"};
  }
  if (app.count("--s2p-reference") > 0) {
    if (raw.s2p_reference != "z0" && raw.s2p_reference != "load") {
      throw UsageError{"--s2p-reference must be z0 or load: " + raw.s2p_reference};
    }
    opt.s2p_load_reference = raw.s2p_reference == "load";
  }
  if (app.count("--s2p-version") > 0) {
    if (raw.s2p_version != "1.1" && raw.s2p_version != "2.0") {
      throw UsageError{"--s2p-version must be 1.1 or 2.0: " + raw.s2p_version};
    }
    opt.s2p_version2 = raw.s2p_version == "2.0";
    if (!opt.s2p_version2 && opt.s2p_load_reference) {
      throw UsageError{
          "--s2p-version 1.1 has one reference for both ports: --s2p-reference load "
          "needs 2.0"};
    }
  }
  if (!opt.s2p_path.empty() && !opt.topology && opt.types.size() != 1 && !opt.band &&
      !opt.network) {
    throw UsageError{"--s2p needs a single --type, a --topology, a --band or a --network"};
  }
}

// The frequency options, which all need --freq (or --each, for the parts).
void CheckFrequencyOptions(const Raw& raw, const CLI::App& app, Options& opt) {
  for (const char* name : {"--series", "--q-l", "--q-c"}) {
    if (app.count(name) > 0 && !opt.hertz && !opt.each) {
      throw UsageError{std::string(name) + " needs --freq or --each"};
    }
  }
  for (const char* name : {"--sweep", "--csv", "--table-csv", "--spice"}) {
    if (app.count(name) > 0 && opt.each)
      throw UsageError{std::string(name) + " does not go with --each"};
    if (app.count(name) > 0 && !opt.hertz) throw UsageError{std::string(name) + " needs --freq"};
  }
  if (app.count("--series") > 0) {
    opt.series = rf::ParseSeries(raw.series);
    if (!opt.series)
      throw UsageError{"--series must be E6, E12, E24, E48, E96 or E192: " + raw.series};
  }
  if (app.count("--q-l") > 0) opt.q_inductor = Quality("--q-l", raw.q_l);
  if (app.count("--q-c") > 0) opt.q_capacitor = Quality("--q-c", raw.q_c);
  if (app.count("--sweep") > 0) opt.sweep = Sweep(raw.sweep, !opt.s1p_path.empty());
  if (app.count("--csv") > 0 && !opt.sweep) throw UsageError{"--csv needs --sweep"};
  if (app.count("--spice") > 0 && opt.types.size() != 1 && !opt.topology && !opt.band &&
      !opt.network) {
    throw UsageError{"--spice needs a single --type, a --topology, a --band or a --network"};
  }
}

// R and X, or a file that stands for them.
void CheckLoad(const Raw& raw, const CLI::App& app, Options& opt) {
  if (app.count("--s1p") > 0) {
    if (raw.s1p.empty()) throw UsageError{"--s1p needs a file name, or - for standard input"};
    if (!raw.load.empty()) throw UsageError{"--s1p replaces R and X: give one or the other"};
    opt.s1p_path = raw.s1p;
    if (opt.jsonl && !opt.each) throw UsageError{"--jsonl goes with --each"};
    if (app.count("--fields") > 0 && !opt.jsonl) throw UsageError{"--fields goes with --jsonl"};
    if (opt.jsonl && opt.json) throw UsageError{"--json and --jsonl: give one"};
    if (opt.each && app.count("--freq") > 0) {
      throw UsageError{"--each designs at every measured point: leave out --freq"};
    }
    if (!opt.each && app.count("--freq") == 0 && app.count("--band") == 0) {
      throw UsageError{"--s1p needs --freq F, --band or --each"};
    }
    return;
  }
  if (opt.each) throw UsageError{"--each needs a file given with --s1p"};
  if (opt.jsonl) throw UsageError{"--jsonl goes with --each"};
  if (app.count("--fields") > 0) throw UsageError{"--fields goes with --jsonl"};
  if (raw.load.size() != 2) {
    throw UsageError{"expected two values, the load resistance R and reactance X, got " +
                     std::to_string(raw.load.size())};
  }
  opt.real = raw.load[0];
  opt.imag = raw.load[1];
}

Options Check(const Raw& raw, const CLI::App& app, Options opt) {
  CheckLoad(raw, app, opt);
  opt.types = Types(raw.type);
  opt.types_given = app.count("--type") > 0;
  if (app.count("--freq") > 0) opt.hertz = Frequency("--freq", raw.freq);
  CheckNetworkOptions(raw, app, opt);
  CheckFrequencyOptions(raw, app, opt);
  if (auto why = CheckRealPartOptions(raw.real, app, opt)) throw UsageError{*why};
  opt.fields = Fields(raw.fields.empty() ? "match_return_loss_db,match_vswr,loss_dissipation_db"
                                         : raw.fields);
  return opt;
}

}  // namespace

Parsed ParseOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options opt;
  Raw raw;
  CLI::App app{"vorda-match", "vorda-match"};
  app.set_help_flag();
  app.add_flag("--help,-h", raw.help);
  app.add_flag("--version", raw.version);
  app.add_option("--z0", opt.z0);
  app.add_option("--type", raw.type);
  app.add_option("--freq", raw.freq);
  app.add_option("--series", raw.series);
  app.add_option("--q-l", raw.q_l);
  app.add_option("--q-c", raw.q_c);
  app.add_option("--sweep", raw.sweep)->expected(0, 1);
  app.add_option("--s1p", raw.s1p);
  app.add_flag("--each", opt.each);
  app.add_option("--csv", opt.csv_path);
  app.add_option("--table-csv", opt.table_csv_path);
  app.add_option("--source", raw.source);
  app.add_option("--loaded-q", raw.loaded_q);
  app.add_option("--intermediate", raw.intermediate);
  app.add_option("--band", raw.band);
  app.add_option("--band-points", raw.band_points);
  app.add_option("--max-parts", raw.max_parts);
  app.add_option("--best-by", raw.best_by);
  app.add_option("--topology", raw.topology);
  app.add_option("--s2p", opt.s2p_path);
  app.add_option("--s2p-reference", raw.s2p_reference);
  app.add_option("--s2p-version", raw.s2p_version);
  app.add_option("--network", raw.network);
  app.add_option("--spice", opt.spice_path);
  app.add_flag("--json", opt.json);
  app.add_flag("--jsonl", opt.jsonl);
  app.add_option("--fields", raw.fields);
  AddRealPartOptions(app, raw.real);
  app.add_option("load", raw.load);
  try {
    // CLI11 takes a vector of arguments last one first: it consumes them
    // from the back.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
    if (raw.help) {
      out << kUsage << "\n\n" << kHelp;
      return {std::nullopt, kExitComputed};
    }
    if (raw.version) {
      out << "VordaForWin " << version::kText << "\n";
      return {std::nullopt, kExitComputed};
    }
    return {Check(raw, app, opt), kExitComputed};
  } catch (const CLI::ParseError& e) {
    err << "vorda-match: " << e.what() << "\n" << kUsage << "\n";
  } catch (const UsageError& e) {
    err << "vorda-match: " << e.message << "\n" << kUsage << "\n";
  }
  return {std::nullopt, kExitUsage};
}

}  // namespace vorda::cli
