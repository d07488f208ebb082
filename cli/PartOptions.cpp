#include "cli/OptionSections.h"

#include "cli/OptionReaders.h"
#include "rf/circuit/Limits.h"
#include "rf/circuit/Units.h"
#include "rf/synthesis/Ladders.h"

namespace vorda::cli {

namespace {

using R = Relation;
using C = OptionContext;
using S = Section;

}  // namespace

std::vector<OptionSpec> BuiltPartOptions() {
  return {
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
  };
}

}  // namespace vorda::cli
