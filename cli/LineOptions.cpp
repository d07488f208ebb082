#include <algorithm>

#include "cli/OptionReaders.h"
#include "cli/OptionSections.h"
#include "rf/circuit/Limits.h"

namespace vorda::cli {

namespace {

using C = OptionContext;
using S = Section;

// A line's words, commas between them as the command line writes them
// ("12.5mm,vf=0.66").
rf::Line LineValue(const std::string& option, std::string text, bool negative_allowed) {
  std::replace(text.begin(), text.end(), ',', ' ');
  const rf::ReadLineResult read = rf::ReadLine(text, negative_allowed);
  if (!read.line) throw UsageError{option + ": " + read.error};
  return *read.line;
}

}  // namespace

std::vector<OptionSpec> LineOptions() {
  return {
      {"--elements",
       "lumped|lines|both",
       S::kLines,
       "The elements of the designs: lumped parts (default), lines and stubs, or both. With "
       "lines, at F also the single-stub (open and shorted), double-stub and quarter-wave "
       "designs; over a band ladders whose elements may also be series lines and shunt stubs "
       "of --line-z0, lengths searched up to half a wavelength at the band's centre.",
       {kFrequency},
       {kNotEach},
       [](const std::string& v, C& c) {
         Q(c).elements =
             static_cast<rf::Elements>(ChoiceValue("--elements", v, {"lumped", "lines", "both"}));
       }},
      {"--line-z0",
       "Z",
       S::kLines,
       "The characteristic impedance of the designs' lines and stubs (default: Z0).",
       {{{"--elements"}}},
       {},
       [](const std::string& v, C& c) {
         const double z = NumberValue("--line-z0", v, "\u03a9");
         if (auto why = rf::CheckReference(z)) throw UsageError{"--line-z0: " + *why};
         Q(c).line_z0 = z;
       }},
      {"--stub-spacing",
       "LENGTH",
       S::kLines,
       "The spacing of a double stub's two stubs, a length as a line takes it (45deg, the "
       "default, is an eighth wave at F).",
       {{{"--elements"}}},
       {},
       [](const std::string& v, C& c) {
         Q(c).stub_spacing = LineValue("--stub-spacing", v, false);
       }},
      {"--substrate",
       "er=E,h=H[,t=T][,tand=D]",
       S::kLines,
       "The lines as microstrip on a substrate (er=4.3,h=1.6mm,t=35um): each line's width and "
       "physical length at F (Hammerstad-Jensen with Kirschning-Jansen dispersion), and lines "
       "given by their width and length (w=3mm l=10mm) in --network.",
       {kFrequency},
       {kNotEach},
       [](const std::string& v, C& c) {
         const rf::ReadSubstrateResult s = rf::ReadSubstrate(v);
         if (!s.substrate) throw UsageError{"--substrate: " + s.error};
         Q(c).substrate = s.substrate;
       }},
      {"--extend",
       "LENGTH",
       S::kMeasured,
       "Move the measured load's reference plane along a line of the file's reference "
       "impedance (or its own: 50ohm,...) before anything is designed: a delay (40ps), a "
       "length with a velocity factor (12.5mm,vf=0.66) or an electrical length "
       "(30deg@2.4G), optionally lossy (loss=0.1dB@1G); towards the load, or negative back "
       "towards the instrument.",
       {{{"--s1p"}}},
       {},
       [](const std::string& v, C& c) { Q(c).extend = LineValue("--extend", v, true); }},
      {"--deembed",
       "FILE.s2p",
       S::kMeasured,
       "Remove a measured fixture two-port (port 1 at the instrument, port 2 at the load) "
       "from the measurement first; its data must cover the measured frequencies.",
       {{{"--s1p"}}},
       {},
       [](const std::string& v, C& c) {
         if (v.empty()) throw UsageError{"--deembed needs a file name"};
         c.command.deembed = v;
       }},
  };
}

}  // namespace vorda::cli
