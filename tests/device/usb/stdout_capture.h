#pragma once
// Collects what the code under test writes to standard output.

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

class StdoutCapture {
 public:
  StdoutCapture() : previous_(std::cout.rdbuf(buffer_.rdbuf())) {}
  StdoutCapture(const StdoutCapture&) = delete;
  StdoutCapture& operator=(const StdoutCapture&) = delete;
  ~StdoutCapture() { std::cout.rdbuf(previous_); }

  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    std::istringstream in(buffer_.str());
    for (std::string line; std::getline(in, line);) {
      out.push_back(line);
    }
    return out;
  }

 private:
  std::ostringstream buffer_;
  std::streambuf* previous_;
};
