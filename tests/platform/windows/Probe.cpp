// Started by the Windows tests in place of a viewer or the System
// Information tool: writes its program folder and then its arguments, a line
// each, to the file that the environment variable VORDA_PROBE_MARKER names.
// The file appears whole, renamed from a part file.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Platform.h"
#include "platform/windows/Win32.h"

int main(int argc, char** argv) {
  const char* marker = std::getenv("VORDA_PROBE_MARKER");
  if (marker == nullptr) return 2;
  std::string text = vorda::platform::ProgramFolder() + "\n";
  for (int i = 1; i < argc; ++i) text += std::string(argv[i]) + "\n";
  const std::string part = std::string(marker) + ".part";
  std::FILE* file = std::fopen(part.c_str(), "wb");
  if (file == nullptr) return 1;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (std::fclose(file) != 0 || !written) return 1;
  return ::MoveFileExA(part.c_str(), marker, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
