#include "cli/OptionSections.h"

#include "cli/OptionReaders.h"
#include "rf/circuit/Units.h"

namespace vorda::cli {

namespace {

using C = OptionContext;
using S = Section;

// "LOW:HIGH", each a value with an optional multiplier and the unit.
rf::ValueRange RangeValue(const std::string& option, const std::string& text, const char* unit) {
  const std::size_t colon = text.find(':');
  const auto end = [&](std::string_view t) {
    const rf::ReadNumber n = rf::ReadEngineering(t, unit);
    if (!n.value || !(*n.value > 0.0)) {
      throw UsageError{option + " must be LOW:HIGH, two positive values (" +
                       (std::string(unit) == "H" ? "0.1n:10" : "0.01p:1") + "): " + text};
    }
    return *n.value;
  };
  if (colon == std::string::npos) end("");
  const rf::ValueRange r{end(std::string_view(text).substr(0, colon)),
                         end(std::string_view(text).substr(colon + 1))};
  if (!(r.low < r.high)) throw UsageError{option + ": LOW must lie below HIGH: " + text};
  return r;
}

}  // namespace

std::vector<OptionSpec> GoalOptions() {
  return {
      {"--reject",
       "START:STOP[:DB]",
       S::kGoals,
       "A band the network must reject: a transducer gain below -DB there (default 20 dB); "
       "the search makes the worst margin to every goal best, and whether each band is "
       "rejected, by how much, is a figure of every design. Given more than once, or as a "
       "list, for several.",
       {{{"--band"}, "--reject needs --band: a band to match besides the one to reject"}},
       {kNotEach},
       ReadReject,
       true},
      {"--radiation-efficiency",
       "FILE",
       S::kGoals,
       "An antenna's radiation efficiency over frequency (CSV: frequency, efficiency as a "
       "share, a percentage or in dB): the transducer gain over a band becomes the total "
       "efficiency, (1 - |gamma|^2) times the network's times the antenna's, as a figure and as "
       "what the search makes best. Its data must cover every band.",
       {{{"--band"}}},
       {kNotEach},
       [](const std::string& v, C& c) {
         if (v.empty()) throw UsageError{"--radiation-efficiency needs a file"};
         c.command.radiation = v;
       }},
      {"--range-l",
       "LOW:HIGH",
       S::kGoals,
       "The inductors a band design may propose (default 0.5n:1, henries); parts outside it "
       "are never proposed.",
       {{{"--band"}}},
       {},
       [](const std::string& v, C& c) { Q(c).parts.inductors = RangeValue("--range-l", v, "H"); }},
      {"--range-c",
       "LOW:HIGH",
       S::kGoals,
       "The capacitors a band design may propose (default 0.1p:1, farads).",
       {{{"--band"}}},
       {},
       [](const std::string& v, C& c) { Q(c).parts.capacitors = RangeValue("--range-c", v, "F"); }},
  };
}

}  // namespace vorda::cli
