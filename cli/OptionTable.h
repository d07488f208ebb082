// vorda-match's options, each declared once: its name and what it takes,
// the section of the help it stands in and its help, what it needs and
// what it does not go with, and how its value is read into the command.
// The parser (cli/Options.h), the usage line, --help, the manual page's
// options and the help file's command-line page are all made from this
// table (cli/OptionDocs.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace vorda::cli {

enum class Section { kGeneral, kRealParts, kNetworks, kGoals, kLines, kBuilt, kMeasured };
inline constexpr Section kSections[] = {Section::kGeneral, Section::kRealParts, Section::kNetworks,
                                        Section::kGoals,   Section::kLines,     Section::kBuilt,
                                        Section::kMeasured};
// "Options", "Real parts at the frequency", ...
const char* SectionTitle(Section section);

// Options of which at least one must be given (needs), or none (excludes);
// the message, when given, says it better than the one made from the names.
struct Relation {
  std::vector<std::string> options;
  std::string message = {};
};

// A usage error: the message for standard error, before the usage line.
struct UsageError {
  std::string message;
};

// What a reader sees: the command it fills, and which options were given.
struct OptionContext {
  Command& command;
  std::function<bool(const std::string&)> given;
};

struct OptionSpec {
  std::string name;   // "--freq"
  std::string value;  // "F"; empty for a flag; "[...]" when the value may be left out
  Section section;
  std::string help;  // plain text; option names in it are marked up where the format can
  std::vector<Relation> needs;
  std::vector<Relation> excludes;
  // Reads the value (empty for a flag, or a value left out) into the
  // command; throws UsageError for one it cannot take.
  std::function<void(const std::string& value, OptionContext& context)> read;
  // Given more than once: each value read in turn (else once at most).
  bool repeats = false;
  bool Flag() const { return value.empty(); }
  bool OptionalValue() const { return !value.empty() && value.front() == '['; }
};

// Every option in the order of the help; --help and --version last.
const std::vector<OptionSpec>& OptionTable();
const OptionSpec* FindOption(const std::string& name);

// "X needs A", "X needs A or B", "X needs A, B or C"; "X does not go with
// A": the words of a relation that has no message of its own.
std::string NeedsText(const std::string& name, const Relation& relation);
// "A", "A or B", "A, B or C".
std::string Alternatives(const std::vector<std::string>& names);
std::string ExcludesText(const std::string& name, const std::string& other);

}  // namespace vorda::cli
