#pragma once
// Running a shell command from a test, for the real tools that check what
// the code under test wrote (pdfinfo, ImageMagick, ...).

#include <string>

namespace test_support {

struct Run {
  int status = -1;
  std::string output;
};

// Runs the command with sh; its exit status, and its output with standard
// error. Status -1 when it could not run or did not exit.
Run run(const std::string& command);

// The text as one single-quoted shell word.
std::string quoted(const std::string& text);

}  // namespace test_support
