// The queue's PPD passes CUPS's own checker, with the filter it names found
// where CUPS looks for filters.

#include <unistd.h>

#include <filesystem>

#include "program_common.h"

namespace printfilter_test {
namespace {

TEST(Ppd, PassesCupstestppd) {
  if (std::system("command -v cupstestppd > /dev/null") != 0) GTEST_SKIP() << "cupstestppd not installed";
  fixture::TempDir serverBin;
  std::filesystem::create_directory(serverBin.str() + "/filter");
  std::filesystem::create_symlink(PRINTFILTER_BINARY, serverBin.str() + "/filter/printfilter-quktr6620lxv");
  const std::string output = serverBin.str() + "/cupstestppd.txt";
  // cupstestppd also wants the filter owned by root, as an installed one is;
  // a build by another user can only have that checked as a warning.
  const std::string strictness = getuid() == 0 ? "" : "-W filters ";
  const std::string command = "CUPS_SERVERBIN=" + serverBin.str() + " cupstestppd " + strictness + PRINTFILTER_PPD +
                              " > " + output + " 2>&1";
  const int status = std::system(command.c_str());
  const std::string text = fixture::readFile(output);
  EXPECT_EQ(status, 0) << text;
  EXPECT_NE(text.find(": PASS"), std::string::npos) << text;
  EXPECT_EQ(text.find("Missing cupsFilter2 file"), std::string::npos) << text;
}

}  // namespace
}  // namespace printfilter_test
