#include "cli/OptionTable.h"

#include <algorithm>

#include "cli/OptionReaders.h"
#include "rf/circuit/Limits.h"
#include "rf/circuit/Units.h"
#include "rf/synthesis/Ladders.h"

namespace vorda::cli {

namespace {

using R = Relation;
using C = OptionContext;
using S = Section;

// What most options need: a design frequency, from --freq or a band.
const R kFrequency{{"--freq", "--band"}};
// The parts' options also go with a design at each measured point.
const R kFrequencyOrEach{{"--freq", "--band", "--each"}};
const R kNotEach{{"--each"}};

rf::DesignRequest& Q(C& c) {
  return c.command.request;
}

std::vector<OptionSpec> Table() {
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
       {{{"--sweep"}}},
       {kNotEach},
       [](const std::string& v, C& c) { c.command.outputs.csv = v; }},
      {"--table-csv",
       "FILE",
       S::kRealParts,
       "Write the designs as a table, with the inputs, in SI units (the designer's \"Save "
       "Table\"); searches the VSWR <= 2 band.",
       {kFrequency},
       {kNotEach},
       [](const std::string& v, C& c) { c.command.outputs.table_csv = v; }},
      {"--spice",
       "FILE",
       S::kRealParts,
       "Write an ngspice netlist of one network: the single --type, the --topology, the best "
       "of the band or the --network.",
       {kFrequency},
       {kNotEach},
       [](const std::string& v, C& c) { c.command.outputs.spice = v; }},
      // Beyond one frequency and two parts.
      {"--source",
       "R+jX",
       S::kNetworks,
       "The source impedance (default: Z0), matched conjugately: the L-sections for it come "
       "from the design layer, not the engine.",
       {kFrequency},
       {kNotEach},
       [](const std::string& v, C& c) {
         const rf::ReadImpedanceResult z = rf::ReadImpedance(v);
         if (!z.value) throw UsageError{"--source: " + z.error};
         Q(c).source = z.value;
       }},
      {"--loaded-q",
       "Q",
       S::kNetworks,
       "Also Pi and T networks of that loaded Q, and two L-sections in cascade, low-pass and "
       "high-pass.",
       {kFrequency},
       {kNotEach},
       [](const std::string& v, C& c) {
         Q(c).loaded_q = NumberValue("--loaded-q", v);
         Q(c).networks = true;
       }},
      {"--intermediate",
       "R",
       S::kNetworks,
       "The resistance between the two L-sections (default: the geometric mean of the "
       "source's and the load's).",
       {{{"--loaded-q", "--band"},
         "--intermediate needs --loaded-q or --band (it is the resistance between two "
         "L-sections, designed only with one of them)"}},
       {kNotEach},
       [](const std::string& v, C& c) {
         Q(c).intermediate = NumberValue("--intermediate", v, "\u03a9");
       }},
      {"--band",
       "START:STOP",
       S::kNetworks,
       "Every ladder of 2 to --max-parts parts (series or shunt L or C in any order; adjacent "
       "shunt or series parts are resonators), searched for the values that make the worst "
       "return loss over the band best, with standard values and losses, ranked and drawn; the "
       "best for each number of parts, and the Bode-Fano limit of the load. F defaults to the "
       "band's geometric centre.",
       {},
       {kNotEach},
       ReadBand},
      {"--band-points",
       "N",
       S::kNetworks,
       "Points evaluated across the band (default 201, at most 100000); every measured point "
       "inside it counts too.",
       {{{"--band"}}},
       {},
       [](const std::string& v, C& c) {
         const rf::ReadCount n = rf::ReadPointCount(v, rf::kMaxBandPoints);
         if (!n.count) throw UsageError{"--band-points: " + n.error};
         Q(c).band->points = *n.count;
       }},
      {"--max-parts",
       "N",
       S::kNetworks,
       "The largest ladders searched, 2 to 6 (default 4).",
       {{{"--band"}}},
       {},
       [](const std::string& v, C& c) {
         Q(c).max_parts = static_cast<int>(WholeValue("--max-parts", v, 2, rf::kMostParts));
       }},
      {"--best-by",
       "KEY",
       S::kNetworks,
       "What ranks first, at F and over the band: return-loss (default), dissipation, "
       "bandwidth, low-pass-first, transducer-gain (the worst insertion loss: mismatch and "
       "dissipation together) or yield (with --tolerance).",
       {kFrequency},
       {kNotEach},
       [](const std::string& v, C& c) {
         std::vector<std::string> keys;
         for (std::size_t k = 0; k < rf::kRankingCount; ++k) {
           keys.emplace_back(rf::RankingKey(static_cast<rf::Ranking>(k)));
         }
         Q(c).ranking = static_cast<rf::Ranking>(ChoiceValue("--best-by", v, keys));
       }},
      {"--topology",
       "KEY",
       S::kNetworks,
       "The network --spice and --s2p write: l1 ... l8, pi-lp, pi-hp, t-lp, t-hp, 2l-lp, "
       "2l-hp, given or a ladder's code (sL-pLC-sC) (default: the --type, or the best of the "
       "band).",
       {kFrequency,
        {{"--spice", "--s2p"},
         "--topology picks the network that --spice and --s2p write: give one of "
         "them"}},
       {kNotEach},
       ReadTopology},
      {"--s2p",
       "FILE",
       S::kNetworks,
       "Write that network as a Touchstone two-port, both ports referred to Z0 (version 1.1, "
       "which every simulator reads).",
       {kFrequency},
       {kNotEach},
       [](const std::string& v, C& c) { c.command.outputs.s2p = v; }},
      {"--s2p-reference",
       "z0|load",
       S::kNetworks,
       "load: port 2 referred to the load's resistance at F (a version 2.0 file).",
       {{{"--s2p"}}},
       {},
       [](const std::string& v, C& c) {
         c.command.outputs.s2p_load_reference =
             ChoiceValue("--s2p-reference", v, {"z0", "load"}) == 1;
       }},
      {"--s2p-version",
       "1.1|2.0",
       S::kNetworks,
       "The Touchstone version of --s2p (default 1.1).",
       {{{"--s2p"}}},
       {},
       [](const std::string& v, C& c) {
         c.command.outputs.s2p_version2 = ChoiceValue("--s2p-version", v, {"1.1", "2.0"}) == 1;
       }},
      {"--network",
       "PARTS",
       S::kNetworks,
       "Also a network of given parts, source side first (\"series 270nH, shunt 220pF\"; short "
       "and open too): a design tuned by hand in the designer, figures and files alike "
       "(topology given).",
       {kFrequency},
       {kNotEach},
       ReadNetwork},
      // Parts as built.
      {"--package",
       "P",
       S::kBuilt,
       "0201, 0402, 0603, 0805 or 1206: the parasitics of chip parts of that size (a "
       "capacitor's series inductance, an inductor's parallel capacitance); the values "
       "designed at F are compensated for them.",
       {kFrequencyOrEach},
       {},
       [](const std::string& v, C& c) {
         Q(c).parts.model.package = rf::ParsePackage(v);
         if (!Q(c).parts.model.package) {
           throw UsageError{"--package must be 0201, 0402, 0603, 0805 or 1206: " + v};
         }
       }},
      {"--srf-l",
       "F",
       S::kBuilt,
       "Every inductor resonates at F instead.",
       {kFrequencyOrEach},
       {},
       [](const std::string& v, C& c) {
         Q(c).parts.model.srf_inductor = FrequencyValue("--srf-l", v);
       }},
      {"--srf-c",
       "F",
       S::kBuilt,
       "Every capacitor resonates at F instead.",
       {kFrequencyOrEach},
       {},
       [](const std::string& v, C& c) {
         Q(c).parts.model.srf_capacitor = FrequencyValue("--srf-c", v);
       }},
      {"--q-at",
       "F",
       S::kBuilt,
       "--q-l and --q-c hold at F: an inductor's resistance grows with the square root of the "
       "frequency, a capacitor's stays.",
       {kFrequencyOrEach,
        {{"--q-l", "--q-c"}, "--q-at says where --q-l and --q-c hold: give one of them"}},
       {},
       [](const std::string& v, C& c) { Q(c).parts.model.q_hertz = FrequencyValue("--q-at", v); }},
      {"--parts",
       "DIR",
       S::kBuilt,
       "Standard values from a library of measured parts: DIR holds index.csv "
       "(kind,value,tolerance,package,file) and a Touchstone two-port file for each part.",
       {kFrequencyOrEach},
       {{{"--series"}, "--parts and --series both choose standard values: give one"}},
       [](const std::string& v, C& c) {
         if (v.empty()) throw UsageError{"--parts needs a folder"};
         c.command.parts_dir = v;
       }},
      {"--tolerance",
       "T",
       S::kBuilt,
       "5%, L=2%,C=5% or library: --builds builds drawn within the tolerances from --seed; the "
       "yield (VSWR at most --goal-vswr, at F or over the band), the corners, the spread of "
       "the return loss and the most sensitive part.",
       {kFrequency},
       {kNotEach},
       ReadTolerance},
      {"--builds",
       "N",
       S::kBuilt,
       "The builds of --tolerance (default 1000, at most 1000000).",
       {{{"--tolerance"}}},
       {},
       [](const std::string& v, C& c) {
         Q(c).yield->builds = static_cast<int>(WholeValue("--builds", v, 1, rf::kMostBuilds));
       }},
      {"--seed",
       "S",
       S::kBuilt,
       "Where the builds are drawn from (default 1): the same builds "
       "for the same seed.",
       {{{"--tolerance"}}},
       {},
       [](const std::string& v, C& c) {
         Q(c).yield->seed =
             static_cast<std::uint64_t>(WholeValue("--seed", v, 0, 0x7fffffffffffffffLL));
       }},
      {"--goal-vswr",
       "V",
       S::kBuilt,
       "The VSWR a build must not exceed (default 2).",
       {{{"--tolerance"}}},
       {},
       [](const std::string& v, C& c) {
         const rf::ReadNumber g = rf::ReadEngineering(v);
         if (!g.value || !(*g.value > 1.0) || !std::isfinite(*g.value)) {
           throw UsageError{"--goal-vswr must be a VSWR above 1: " + v};
         }
         Q(c).yield->goal_vswr = *g.value;
       }},
      // A measured load.
      {"--s1p",
       "FILE",
       S::kMeasured,
       "A Touchstone one-port file (- for standard input) instead of R and X: the load at F, "
       "interpolated between measured points; the sweep and the band use the measured load.",
       {{{"--freq", "--band", "--each"}, "--s1p needs --freq F, --band or --each"}},
       {},
       [](const std::string& v, C& c) {
         if (v.empty()) throw UsageError{"--s1p needs a file name, or - for standard input"};
         c.command.s1p = v;
       }},
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
  static const std::vector<OptionSpec> table = Table();
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
