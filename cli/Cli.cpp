#include "cli/Cli.h"

#include <algorithm>

#include "cli/Options.h"
#include "cli/Report.h"

namespace vorda::cli {

namespace {

// Computes each type from the same texts, each from blank labels; every box
// a run shows goes to err as "title: prompt", in order.
std::vector<TypeRun> Compute(const Options& opt, std::ostream& err) {
  std::vector<TypeRun> runs;
  runs.reserve(opt.types.size());
  for (std::int16_t t : opt.types) {
    TypeRun& tr = runs.emplace_back(TypeRun{t, CliView(opt.z0, opt.real, opt.imag, t), {}});
    tr.run = cmdCompute_Click(tr.view);
    for (const RecordedBox& box : tr.view.Boxes()) err << box.title << ": " << box.prompt << "\n";
    if (tr.run.fault) err << kAppTitle << ": " << FaultPrompt(*tr.run.fault) << "\n";
  }
  return runs;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Parsed parsed = ParseOptions(args, out, err);
  if (!parsed.options) return parsed.exit_status;
  const Options& opt = *parsed.options;
  const std::vector<TypeRun> runs = Compute(opt, err);
  if (opt.json) {
    PrintJson(runs, opt.hertz, out);
  } else {
    PrintText(runs, opt.hertz, out);
  }
  const bool any_computed = std::any_of(runs.begin(), runs.end(), [](const TypeRun& t) {
    return t.run.outcome == Outcome::kComputed;
  });
  return any_computed ? kExitComputed : kExitNotComputed;
}

}  // namespace vorda::cli
