// The tests' main on Windows: GoogleTest's own, with standard output in
// binary mode. In text mode every line would end in "\r\n", and CTest reads
// the list of tests from this output.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>

#include <cstdio>

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
