#include "cli/OptionDocs.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <utility>
#include <vector>

#include "cli/OptionTable.h"

namespace vorda::cli {

namespace {

constexpr std::size_t kWidth = 80;
constexpr std::size_t kHelpColumn = 17;

// Joins words that a line must not split (an option and its value).
constexpr char kKeep = '\x1f';

// Words wrapped to the width, each line after the first indented.
std::string Wrap(const std::string& text, std::size_t first, std::size_t indent) {
  std::istringstream words(text);
  std::string out, word;
  std::size_t column = first;
  bool start = true;
  while (words >> word) {
    if (!start && column + 1 + word.size() > kWidth) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
      start = true;
    }
    if (!start) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    start = false;
  }
  std::replace(out.begin(), out.end(), kKeep, ' ');
  return out;
}

std::string Synopsis(const OptionSpec& o) {
  if (o.Flag()) return o.name;
  return o.name + " " + o.value;
}

// The help, with what the option needs and does not go with.
std::string FullHelp(const OptionSpec& o) {
  std::string s = o.help;
  for (const Relation& r : o.needs) {
    if (r.message.empty()) s += " Needs " + Alternatives(r.options) + ".";
  }
  for (const Relation& r : o.excludes) {
    for (const std::string& other : r.options) {
      if (r.message.empty()) s += " Not with " + other + ".";
    }
  }
  return s;
}

constexpr const char* kIntroduction =
    "Matches a load impedance R + jX (ohms) to the normalizing resistance with an\n"
    "L-section, exactly as the VordaForWin window computes it.\n"
    "\n"
    "R, X and the --z0 text are read like the window's input boxes: the leading\n"
    "number counts (\"50 ohm\" is 50, 5E1 is 50, a text without a number is 0).\n"
    "-- ends the options, so that a negative R or X can follow.\n";

constexpr const char* kClosing =
    "A design refuses what it cannot honour, naming it: Z0 from 1 milliohm to 1\n"
    "megohm, a passive load (R above zero) within a million times Z0 either way,\n"
    "Q from 0.1 to 1e6. A part too small or too large to matter is a short or an\n"
    "open; a load equal to Z0 is already matched.\n"
    "\n"
    "Exit status: 0 when everything asked for was produced (with --type all, at\n"
    "least one type; the default type counts only when no --band, --loaded-q or\n"
    "--network asks for other designs); 1 when a design or a file asked for could\n"
    "not be produced, with a line saying which; 2 for a usage error (also an option\n"
    "that has no effect where it is given), an input a design refuses, or a file\n"
    "that cannot be read or breaks the Touchstone format.\n";

// Where option names ("--freq") and a lone "--" stand in a text, for
// marking them up: each at the text's start or after a blank or "(", as
// (position, length).
std::vector<std::pair<std::size_t, std::size_t>> OptionNames(const std::string& text) {
  const auto name_char = [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); };
  std::vector<std::pair<std::size_t, std::size_t>> names;
  std::size_t i = 0;
  while (i + 1 < text.size()) {
    const bool starts =
        i == 0 || std::isspace(static_cast<unsigned char>(text[i - 1])) != 0 || text[i - 1] == '(';
    if (!starts || text[i] != '-' || text[i + 1] != '-') {
      ++i;
      continue;
    }
    const std::size_t first = i + 2;
    std::size_t last = first;  // one past the name
    while (last < text.size() && (name_char(text[last]) || text[last] == '-')) ++last;
    while (last > first && text[last - 1] == '-') --last;  // a name ends in a letter or digit
    const bool named = last >= first + 2 && name_char(text[first]);
    const std::size_t length = named ? last - i : 2;
    names.emplace_back(i, length);
    i += length;
  }
  return names;
}

std::string Roff(const std::string& text) {
  std::string out;
  for (const char c : text)
    out += c == '-' ? std::string("\\-") : c == '\\' ? "\\e" : std::string(1, c);
  return out;
}

std::string ManText(const std::string& text) {
  // Names in bold, dashes escaped.
  std::string out;
  std::size_t at = 0;
  for (const auto& [name, length] : OptionNames(text)) {
    out += Roff(text.substr(at, name - at)) + "\\fB" + Roff(text.substr(name, length)) + "\\fR";
    at = name + length;
  }
  out += Roff(text.substr(at));
  // A line that would begin with a dot or a quote is a request to roff.
  return Wrap(out, 0, 0);
}

std::string Html(const std::string& text) {
  std::string out;
  for (const unsigned char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out += static_cast<char>(c);
  }
  return out;
}

std::string HtmlText(const std::string& text) {
  std::string out;
  std::size_t at = 0;
  for (const auto& [name, length] : OptionNames(text)) {
    out +=
        Html(text.substr(at, name - at)) + "<code>" + Html(text.substr(name, length)) + "</code>";
    at = name + length;
  }
  return Wrap(out + Html(text.substr(at)), 0, 0);
}

}  // namespace

std::string UsageText() {
  std::string options;
  for (const OptionSpec& o : OptionTable()) {
    if (!options.empty()) options += ", ";
    std::string synopsis = Synopsis(o);
    std::replace(synopsis.begin(), synopsis.end(), ' ', kKeep);
    options += synopsis;
  }
  return "Usage: vorda-match [OPTION]... [--] R X\n"
         "       vorda-match --s1p FILE (--freq F | --band START:STOP | --each) [OPTION]...\n"
         "       vorda-match --project FILE [--json] [--table-csv FILE] [OPTION]...\n"
         "Options: " +
         Wrap(options, 9, 9) + "\n";
}

std::string HelpText() {
  std::string out = std::string("\n") + kIntroduction;
  for (const Section section : kSections) {
    out += std::string("\n") + SectionTitle(section) + ":\n";
    for (const OptionSpec& o : OptionTable()) {
      if (o.section != section) continue;
      const std::string synopsis = "  " + Synopsis(o);
      if (synopsis.size() + 1 < kHelpColumn) {
        out += synopsis + std::string(kHelpColumn - synopsis.size(), ' ');
      } else {
        out += synopsis + "\n" + std::string(kHelpColumn, ' ');
      }
      out += Wrap(FullHelp(o), kHelpColumn, kHelpColumn) + "\n";
    }
  }
  return out + "\n" + kClosing;
}

std::string ManOptions() {
  std::string out;
  for (const Section section : kSections) {
    if (section != Section::kGeneral) out += ".SS \"" + std::string(SectionTitle(section)) + "\"\n";
    for (const OptionSpec& o : OptionTable()) {
      if (o.section != section) continue;
      out += ".TP\n";
      out += o.Flag() ? ".B " + Roff(o.name) + "\n"
                      : ".BI " + Roff(o.name) + " \" " + Roff(o.value) + "\"\n";
      out += ManText(FullHelp(o)) + "\n";
    }
  }
  return out;
}

std::string HtmlOptions() {
  std::string out = "<table summary=\"options\">\n<tr><th>Option</th><th>Meaning</th></tr>\n";
  for (const Section section : kSections) {
    out += "<tr><th colspan=\"2\">" + Html(SectionTitle(section)) + "</th></tr>\n";
    for (const OptionSpec& o : OptionTable()) {
      if (o.section != section) continue;
      out += "<tr><td><a name=\"opt-" + o.name.substr(2) + "\"><code>" + Html(Synopsis(o)) +
             "</code></a></td><td>" + HtmlText(FullHelp(o)) + "</td></tr>\n";
    }
  }
  return out + "</table>\n";
}

}  // namespace vorda::cli
