#include "cli/OptionTable.h"

#include <algorithm>
#include <iterator>

#include "cli/OptionReaders.h"
#include "cli/OptionSections.h"
#include "rf/circuit/Limits.h"
#include "rf/circuit/Units.h"
#include "rf/synthesis/Ladders.h"

namespace vorda::cli {

namespace {

using R = Relation;
using C = OptionContext;
using S = Section;

}  // namespace

rf::DesignRequest& Q(OptionContext& c) {
  return c.command.request;
}

namespace {}  // namespace

const R kFrequency{{"--freq", "--band"}};
const R kFrequencyOrProject{{"--freq", "--band", "--project"}};
const R kFrequencyOrEach{{"--freq", "--band", "--each"}};
const R kNotEach{{"--each"}};

namespace {

std::vector<OptionSpec> FirstOptions() {
  return {
      // General.
      {"--z0",
       "TEXT",
       S::kGeneral,
       "The normalizing resistance, read like the window's input box (default \"50\").",
       {},
       {},
       [](const std::string& v, C& c) { c.command.z0 = v; }},
      {"--type",
       "N|all",
       S::kGeneral,
       "The L-section type 1 to 8 (default 1); all runs the eight types, each from blank labels.",
       {},
       {},
       [](const std::string& v, C& c) { Q(c).types = TypesValue(v); }},
      {"--freq",
       "F",
       S::kGeneral,
       "Design at F hertz, 1 Hz to 1 THz (14.2M, 433 kHz, 7.1 mhz): the parts that realise "
       "each type's reactances, with every figure of the design.",
       {},
       {},
       [](const std::string& v, C& c) { Q(c).hertz = FrequencyValue("--freq", v); }},
      {"--json",
       "",
       S::kGeneral,
       "Print one JSON document instead of text.",
       {},
       {},
       [](const std::string&, C& c) { c.command.outputs.json = true; }},
      {"--project",
       "FILE",
       S::kGeneral,
       "Every input from a project of the designer (File > Save Project): its fields, choices, "
       "measurement, load states, fixture and parts library (paths relative to the file), and "
       "its tuned or given network as --network gives one; the designs and the --table-csv of "
       "the designer's window for it. Goes with the options that say what to write alone: "
       "--json, --table-csv, --csv, --spice, --s2p, --s2p-reference, --s2p-version and "
       "--topology.",
       {},
       // Every option that gives an input, filled in below from the table.
       {{{}, "--project gives the inputs of the design: leave out {}"}},
       [](const std::string& v, C& c) {
         if (v.empty()) throw UsageError{"--project needs a file name"};
         c.command.project = v;
       }},
      // Real parts at the frequency.
      {"--series",
       "S",
       S::kRealParts,
       "Standard values from E6, E12, E24, E48, E96 or E192: of the values next to the ideal "
       "ones, those with the best return loss at F.",
       {kFrequencyOrEach},
       {},
       [](const std::string& v, C& c) {
         Q(c).parts.series = rf::ParseSeries(v);
         if (!Q(c).parts.series) {
           throw UsageError{"--series must be E6, E12, E24, E48, E96 or E192: " + v};
         }
       }},
      {"--q-l",
       "Q",
       S::kRealParts,
       "The quality factor of the inductors, 0.1 to 1e6 (default: ideal).",
       {kFrequencyOrEach},
       {},
       [](const std::string& v, C& c) { Q(c).parts.q_inductor = QualityValue("--q-l", v); }},
      {"--q-c",
       "Q",
       S::kRealParts,
       "The quality factor of the capacitors, 0.1 to 1e6 (default: ideal).",
       {kFrequencyOrEach},
       {},
       [](const std::string& v, C& c) { Q(c).parts.q_capacitor = QualityValue("--q-c", v); }},
      {"--sweep",
       "[START:STOP[:N]]",
       S::kRealParts,
       "N frequencies from START to STOP (default 201), and the VSWR <= 2 band around F; "
       "without a range, a measured load's own frequencies.",
       {kFrequency},
       {kNotEach},
       ReadSweep},
      {"--csv",
       "FILE",
       S::kRealParts,
       "Write the sweep as a table.",
       {{{"--sweep", "--project"}}},
       {kNotEach},
       [](const std::string& v, C& c) { c.command.outputs.csv = v; }},
      {"--table-csv",
       "FILE",
       S::kRealParts,
       "Write the designs as a table, with the inputs, in SI units (the designer's \"Save "
       "Table\"); searches the VSWR <= 2 band.",
       {kFrequencyOrProject},
       {kNotEach},
       [](const std::string& v, C& c) { c.command.outputs.table_csv = v; }},
      {"--spice",
       "FILE",
       S::kRealParts,
       "Write an ngspice netlist of one network: the single --type, the --topology, the best "
       "of the band or the --network.",
       {kFrequencyOrProject},
       {kNotEach},
       [](const std::string& v, C& c) { c.command.outputs.spice = v; }},
  };
}

std::vector<OptionSpec> MeasuredOptions() {
  return {
      // A measured load.
      {"--s1p",
       "FILE",
       S::kMeasured,
       "A Touchstone one-port file (- for standard input) instead of R and X: the load at F, "
       "interpolated between measured points; the sweep and the band use the measured load. "
       "Given more than once, the load's states (an antenna in free space and in a hand): one "
       "network is searched over the band for all of them, with the figures of each.",
       {{{"--freq", "--band", "--each"}, "--s1p needs --freq F, --band or --each"}},
       {},
       [](const std::string& v, C& c) {
         if (v.empty()) throw UsageError{"--s1p needs a file name, or - for standard input"};
         if (c.command.s1p.empty()) {
           c.command.s1p = v;
         } else {
           c.command.states.push_back(v);
         }
       },
       true},
      {"--each",
       "",
       S::kMeasured,
       "Design at every measured point instead of at one frequency.",
       {{{"--s1p"}, "--each needs a file given with --s1p"}},
       {{{"--freq"}, "--each designs at every measured point: leave out --freq"}},
       [](const std::string&, C& c) { c.command.mode = Command::Mode::kEach; }},
      {"--jsonl",
       "",
       S::kMeasured,
       "One compact JSON object per line per point, with the keys of --json's points, written "
       "as each point is designed.",
       {{{"--each"}}},
       {{{"--json"}, "--json and --jsonl: give one"}},
       [](const std::string&, C& c) { c.command.outputs.jsonl = true; }},
      {"--fields",
       "LIST",
       S::kMeasured,
       "The figures each line of --jsonl carries, by their keys (match_return_loss_db, ...), "
       "all or none (default: match_return_loss_db,match_vswr,loss_dissipation_db).",
       {{{"--jsonl"}}},
       {},
       [](const std::string& v, C& c) { c.command.outputs.fields = FieldsValue(v); }},
      // Last, as the help ends.
      {"--help", "", S::kGeneral, "Show this help.", {}, {}, [](const std::string&, C&) {}},
      {"--version", "", S::kGeneral, "Show the version.", {}, {}, [](const std::string&, C&) {}},
  };
}

}  // namespace

std::string Alternatives(const std::vector<std::string>& names) {
  std::string s;
  for (std::size_t k = 0; k < names.size(); ++k) {
    s += (k == 0 ? "" : k + 1 == names.size() ? " or " : ", ") + names[k];
  }
  return s;
}

const char* SectionTitle(Section section) {
  switch (section) {
    case Section::kRealParts:
      return "Real parts at the frequency";
    case Section::kNetworks:
      return "Beyond one frequency and two parts";
    case Section::kGoals:
      return "Several bands, goals and load states";
    case Section::kLines:
      return "Lines and stubs";
    case Section::kBuilt:
      return "Parts as built";
    case Section::kMeasured:
      return "A measured load";
    case Section::kGeneral:
      break;
  }
  return "Options";
}

const std::vector<OptionSpec>& OptionTable() {
  static const std::vector<OptionSpec> table = [] {
    std::vector<OptionSpec> t;
    for (auto part : {FirstOptions, NetworkOptions, GoalOptions, LineOptions, BuiltPartOptions,
                      MeasuredOptions}) {
      std::vector<OptionSpec> more = part();
      std::move(more.begin(), more.end(), std::back_inserter(t));
    }
    // --project gives every input: it goes only with the options that say
    // what to write (and --help, --version).
    const std::vector<std::string> outputs = {
        "--project",       "--json",        "--table-csv", "--csv",  "--spice",  "--s2p",
        "--s2p-reference", "--s2p-version", "--topology",  "--help", "--version"};
    const auto project =
        std::find_if(t.begin(), t.end(), [](const OptionSpec& o) { return o.name == "--project"; });
    for (const OptionSpec& o : t) {
      if (std::find(outputs.begin(), outputs.end(), o.name) == outputs.end()) {
        project->excludes.front().options.push_back(o.name);
      }
    }
    return t;
  }();
  return table;
}

const OptionSpec* FindOption(const std::string& name) {
  const auto& t = OptionTable();
  const auto at =
      std::find_if(t.begin(), t.end(), [&](const OptionSpec& o) { return o.name == name; });
  return at == t.end() ? nullptr : &*at;
}

std::string NeedsText(const std::string& name, const Relation& r) {
  return r.message.empty() ? name + " needs " + Alternatives(r.options) : r.message;
}

std::string ExcludesText(const std::string& name, const std::string& other) {
  return name + " does not go with " + other;
}

}  // namespace vorda::cli
