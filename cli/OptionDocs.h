// What vorda-match says about its options, made from their declaration
// (cli/OptionTable.h): the usage line after a usage error, --help, the
// options of the manual page and of the help file's command-line page.
// scripts/make-option-docs writes the last two into their files, and a test
// fails when they differ from what is made here.
#pragma once

#include <string>

namespace vorda::cli {

// "Usage: vorda-match ..." and every option with what it takes, wrapped.
std::string UsageText();
// The help after the usage: what the program does, each option by section
// with its help and what it needs, what a design refuses, the exit status.
std::string HelpText();
// The manual page's options, in roff, between its markers.
std::string ManOptions();
// The help file's table of options, in HTML, between its markers.
std::string HtmlOptions();

}  // namespace vorda::cli
