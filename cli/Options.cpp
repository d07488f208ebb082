#include "cli/Options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <map>

#include "cli/OptionDocs.h"
#include "cli/OptionTable.h"
#include "generated/Version.h"

namespace vorda::cli {

namespace {

// The command line as CLI11 split it: each option given, with its value.
struct Split {
  std::map<std::string, std::vector<std::string>> values;
  std::vector<std::string> load;  // R and X
  bool Given(const std::string& name) const { return values.contains(name); }
};

Split SplitArguments(const std::vector<std::string>& args) {
  CLI::App app{"vorda-match", "vorda-match"};
  app.set_help_flag();
  std::map<std::string, std::string> texts;
  std::map<std::string, std::vector<std::string>> repeated;
  std::map<std::string, CLI::Option*> options;
  bool help = false;
  for (const OptionSpec& o : OptionTable()) {
    if (o.name == "--help") {
      options[o.name] = app.add_flag("--help,-h", help);
    } else if (o.Flag()) {
      options[o.name] = app.add_flag(o.name);
    } else if (o.repeats) {
      options[o.name] = app.add_option(o.name, repeated[o.name])->expected(1)->take_all();
    } else {
      options[o.name] = app.add_option(o.name, texts[o.name]);
      if (o.OptionalValue()) options[o.name]->expected(0, 1);
    }
  }
  Split split;
  app.add_option("load", split.load);
  // CLI11 takes a vector of arguments last one first: it consumes them
  // from the back.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  app.parse(reversed);
  for (const auto& [name, option] : options) {
    if (option->count() == 0) continue;
    const auto many = repeated.find(name);
    split.values[name] = many != repeated.end() ? many->second : std::vector{texts[name]};
  }
  return split;
}

// The relations of every option given: what it needs, what it does not go
// with.
void CheckRelations(const Split& s) {
  for (const OptionSpec& o : OptionTable()) {
    if (!s.Given(o.name)) continue;
    for (const Relation& r : o.needs) {
      if (std::none_of(r.options.begin(), r.options.end(),
                       [&](const std::string& n) { return s.Given(n); })) {
        throw UsageError{NeedsText(o.name, r)};
      }
    }
    for (const Relation& r : o.excludes) {
      const auto other = std::find_if(r.options.begin(), r.options.end(),
                                      [&](const std::string& n) { return s.Given(n); });
      if (other == r.options.end()) continue;
      if (r.message.empty()) throw UsageError{ExcludesText(o.name, *other)};
      std::string message = r.message;
      if (const std::size_t at = message.find("{}"); at != std::string::npos) {
        message.replace(at, 2, *other);
      }
      throw UsageError{message};
    }
  }
}

// Whether the network --topology names is designed with these options.
void CheckTopology(const Command& c) {
  const rf::NetworkKind& kind = *c.outputs.topology;
  const rf::DesignRequest& r = c.request;
  const auto& types = r.types;
  const bool line_design = kind.topology >= rf::Topology::kSingleStubOpen;
  const bool designed = kind.topology == rf::Topology::kGiven ? r.given.has_value()
                        : line_design                         ? r.elements != rf::Elements::kLumped
                        : r.Band() != nullptr ? true  // every other topology is searched over it
                        : kind.topology == rf::Topology::kL
                            ? std::find(types.begin(), types.end(), kind.type) != types.end()
                            : r.loaded_q.has_value();
  if (designed) return;
  const std::string& key = c.outputs.topology_key;
  throw UsageError{"--topology " + key + " is not designed with these options (" +
                   (kind.topology == rf::Topology::kGiven ? std::string("give --network")
                    : line_design ? std::string("give --elements lines or both")
                    : kind.topology == rf::Topology::kL
                        ? "give --type " + key.substr(1) + " or all"
                        : std::string("give --loaded-q, or --band")) +
                   ")"};
}

}  // namespace

void CheckNetworkFiles(const Command& c) {
  const rf::DesignRequest& r = c.request;
  if (c.outputs.topology) CheckTopology(c);
  const bool one = c.outputs.topology || r.types.size() == 1 || r.Band() != nullptr || r.given;
  if (!c.outputs.spice.empty() && !one) {
    throw UsageError{"--spice needs a single --type, a --topology, a --band or a --network"};
  }
  if (!c.outputs.s2p.empty() && !one) {
    throw UsageError{"--s2p needs a single --type, a --topology, a --band or a --network"};
  }
}

namespace {

// What the options say together, once each has been read.
void Finish(Command& c, const Split& s) {
  rf::DesignRequest& r = c.request;
  const auto versions = [&] {
    if (s.Given("--s2p-version") && !c.outputs.s2p_version2 && c.outputs.s2p_load_reference) {
      throw UsageError{
          "--s2p-version 1.1 has one reference for both ports: --s2p-reference load needs 2.0"};
    }
  };
  if (s.Given("--project")) {
    versions();
    // The project's request is made once the file is read: what the
    // network files need of it is checked then.
    if (!s.load.empty()) {
      throw UsageError{"--project gives the inputs of the design: leave out R and X"};
    }
    return;
  }
  if (s.Given("--s1p")) {
    if (!s.load.empty()) throw UsageError{"--s1p replaces R and X: give one or the other"};
  } else if (s.load.size() != 2) {
    throw UsageError{"expected two values, the load resistance R and reactance X, got " +
                     std::to_string(s.load.size())};
  } else {
    c.real = s.load[0];
    c.imag = s.load[1];
  }
  if (!c.states.empty() && (c.mode == Command::Mode::kEach || r.bands.empty())) {
    throw UsageError{
        "--s1p given more than once is the load in several states, matched by one network "
        "over a band: give --band (and not --each)"};
  }
  if (c.mode != Command::Mode::kEach && (s.Given("--freq") || r.Band() != nullptr)) {
    c.mode = Command::Mode::kDesign;
  }
  c.hertz_given = s.Given("--freq");
  if (s.Given("--package") && s.Given("--srf-l") && s.Given("--srf-c")) {
    throw UsageError{
        "--package has no effect with both --srf-l and --srf-c (every part resonates where they "
        "say): leave one of the three out"};
  }
  // Without --freq the band's geometric centre is the design frequency.
  if (!s.Given("--freq") && r.Band() != nullptr)
    r.hertz = std::sqrt(r.Band()->start * r.Band()->stop);
  // The default type counts only when nothing else is asked for.
  r.types_asked =
      c.mode == Command::Mode::kEngine || s.Given("--type") ||
      !(r.Band() != nullptr || r.loaded_q || r.given || r.elements != rf::Elements::kLumped);
  r.bandwidth = s.Given("--sweep") || s.Given("--table-csv");
  CheckNetworkFiles(c);
  versions();
  if (c.outputs.jsonl && !s.Given("--fields")) {
    c.outputs.fields = {"match_return_loss_db", "match_vswr", "loss_dissipation_db"};
  }
}

Command Read(const Split& s) {
  CheckRelations(s);
  Command c;
  c.request.types = {1};
  OptionContext context{c, [&s](const std::string& name) { return s.Given(name); }};
  for (const OptionSpec& o : OptionTable()) {
    const auto values = s.values.find(o.name);
    if (values == s.values.end()) continue;
    for (const std::string& v : values->second) o.read(v, context);
  }
  Finish(c, s);
  return c;
}

}  // namespace

Parsed ParseOptions(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const Split split = SplitArguments(args);
    if (split.Given("--help")) {
      out << UsageText() << "\n" << HelpText();
      return {std::nullopt, kExitComputed};
    }
    if (split.Given("--version")) {
      out << "VordaForWin " << version::kText << "\n";
      return {std::nullopt, kExitComputed};
    }
    return {Read(split), kExitComputed};
  } catch (const CLI::ParseError& e) {
    err << "vorda-match: " << e.what() << "\n" << UsageText();
  } catch (const UsageError& e) {
    err << "vorda-match: " << e.message << "\n" << UsageText();
  }
  return {std::nullopt, kExitUsage};
}

}  // namespace vorda::cli
