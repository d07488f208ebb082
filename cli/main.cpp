#include <iostream>

#include "cli/Cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // Byte for byte the output of every platform: no "\r" before each "\n";
  // and a Touchstone file read from standard input as it is.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  return vorda::cli::RunCli(args, std::cout, std::cerr);
}
