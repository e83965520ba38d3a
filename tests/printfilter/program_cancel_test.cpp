// A termination request (SIGTERM from the print service) between pages: the
// next page is not prepared, "CancelJob?" ends the stream, the page folder goes.

#include <signal.h>

#include "program_common.h"

namespace printfilter_test {
namespace {

std::string pageRaster(unsigned height) { return fixture::rasterBytes({fixture::uniformPage(16, height, 0)}); }

// Raster streams of several pages are one header and then the pages; split
// a two-page stream where the second page begins.
std::pair<std::string, std::string> splitAfterFirstPage() {
  const std::string one = fixture::rasterBytes({fixture::uniformPage(16, 4, 0)});
  const std::string two = fixture::rasterBytes({fixture::uniformPage(16, 4, 0), fixture::uniformPage(16, 6, 0)});
  EXPECT_EQ(two.substr(0, one.size()), one);
  return {one, two.substr(one.size())};
}

struct CancelCase {
  const char* name;
  const char* options;
  const char* waitFor;  // on the log: the first page is done
  std::size_t pagesSent;
};

class Cancel : public testing::TestWithParam<CancelCase> {};

TEST_P(Cancel, TerminationBetweenPagesSendsCancelJobAndCleansUp) {
  const auto [first, rest] = splitAfterFirstPage();
  fixture::TempDir tmp;
  auto command = queueCommand(tmp, GetParam().options);
  command.env["LANG"] = "en_US.UTF-8";
  command.copies = "2";
  fixture::FilterProcess process(command);
  process.write(first);
  ASSERT_TRUE(process.waitForLog(GetParam().waitFor));
  process.signal(SIGTERM);
  ASSERT_TRUE(process.waitForLog("[KTR6620LXV] Set Cancel Job Flag to True"));
  process.write(rest);
  const Printed p = readBack(process.finish());

  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_TRUE(p.job.cancelled);
  EXPECT_FALSE(p.job.ended);
  EXPECT_TRUE(p.run.out.ends_with("CancelJob?"));
  EXPECT_EQ(p.job.pages.size(), GetParam().pagesSent);
  EXPECT_NE(p.run.err.find("INFO:Job Cancelling\n"), std::string::npos);
  EXPECT_NE(p.run.err.find("INFO:Job Cancelled\n"), std::string::npos);
  EXPECT_EQ(p.run.err.find("Finished page 2"), std::string::npos) << "page 2 was prepared";
  EXPECT_TRUE(tmp.entries().empty()) << "page folder left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, Cancel,
    testing::Values(CancelCase{"OneSided", "", "INFO: Start to send page(1) data", 1},
                    // Page 1 waits for its back side, which is never made.
                    CancelCase{"TwoSided", "Duplex=DuplexNoTumble", "INFO:Finished page 1 data transformation", 0}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(CancelAtEnd, TerminationAfterTheLastPageStillCancels) {
  fixture::TempDir tmp;
  fixture::FilterProcess process(queueCommand(tmp));
  process.write(pageRaster(4));
  ASSERT_TRUE(process.waitForOutput("Event=EndOfPage;"));
  process.signal(SIGTERM);
  ASSERT_TRUE(process.waitForLog("Set Cancel Job Flag"));
  const Printed p = readBack(process.finish());
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_TRUE(p.job.cancelled);
  EXPECT_EQ(p.job.pages.size(), 1U);
  EXPECT_TRUE(tmp.entries().empty());
}

}  // namespace
}  // namespace printfilter_test
