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

std::vector<OptionSpec> NetworkOptions() {
  return {
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
       "START:STOP[:GOAL]",
       S::kNetworks,
       "Every ladder of 2 to --max-parts parts (series or shunt L or C in any order; adjacent "
       "shunt or series parts are resonators), searched for the values that make the worst "
       "return loss over the band best (or the figure of --best-by), with standard values and "
       "losses, ranked and drawn; the best for each number of parts, and the Bode-Fano limit "
       "of the load. Given more than once, or as a list (698M:960M,1710M:2690M), several bands "
       "matched by one network; a GOAL rl=DB or tg=DB is the return loss or transducer gain a "
       "band must reach, and the search makes the worst margin to the goals best. F defaults "
       "to the first band's geometric centre.",
       {},
       {kNotEach},
       ReadBand,
       true},
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
         for (rf::PassBand& b : Q(c).bands) b.axis.points = *n.count;
         for (rf::RejectBand& b : Q(c).rejects) b.axis.points = *n.count;
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
       "What ranks first, at F and over the band, and what the band search makes best: "
       "return-loss (mismatch only), transducer-gain (mismatch and dissipation: the default as "
       "soon as a part has a Q, parasitics or measured data, or with a radiation efficiency), "
       "yield (with --tolerance: the best designs' values centred for the share of builds "
       "meeting every goal), or dissipation, bandwidth, low-pass-first (ranked only).",
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
       {kFrequencyOrProject,
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
       {kFrequencyOrProject},
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
  };
}

}  // namespace vorda::cli
