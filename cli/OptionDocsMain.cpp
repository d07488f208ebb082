// vorda-option-docs man|html|help: what vorda-match says about its options,
// in the form of the manual page, the help file or --help.
#include <iostream>
#include <string>

#include "cli/OptionDocs.h"

int main(int argc, char** argv) {
  const std::string form = argc == 2 ? argv[1] : "";
  if (form == "man") {
    std::cout << vorda::cli::ManOptions();
  } else if (form == "html") {
    std::cout << vorda::cli::HtmlOptions();
  } else if (form == "help") {
    std::cout << vorda::cli::UsageText() << vorda::cli::HelpText();
  } else {
    std::cerr << "usage: vorda-option-docs man|html|help\n";
    return 2;
  }
  return 0;
}
