// The filter against a backend's end of the side channel on descriptor 4:
// answering, saying "not implemented", or never answering (file: queues,
// cupsfilter). None of them may stall the job.

#include <algorithm>
#include <signal.h>

#include "program_common.h"
#include "side_channel_peer.h"

namespace printfilter_test {
namespace {

using fixture::PeerAnswer;

struct Questions {
  std::size_t connected = 0;
  std::size_t drains = 0;
};

Questions tally(const std::vector<cups_sc_command_t>& asked) {
  Questions q;
  for (auto command : asked) {
    if (command == CUPS_SC_CMD_GET_CONNECTED) ++q.connected;
    if (command == CUPS_SC_CMD_DRAIN_OUTPUT) ++q.drains;
  }
  return q;
}

// Writes the filter makes: StartOfJob, job header, per page its header, its
// records and EndOfPage, EndOfJob.
std::size_t writesOf(const jobstream::Job& job) {
  std::size_t writes = 3;
  for (const auto& page : job.pages) writes += 2 + page.recordSizes.size();
  return writes;
}

struct PeerRun {
  Printed printed;
  Questions questions;
};

PeerRun runWithPeer(PeerAnswer answer) {
  fixture::SideChannelPeer peer(answer);
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  command.sideChannel = peer.filterEnd();
  fixture::FilterProcess process(command);
  peer.releaseFilterEnd();
  process.write(fixture::rasterBytes({fixture::uniformPage(64, 64, 128), fixture::uniformPage(64, 64, 30)}));
  PeerRun run{readBack(process.finish()), tally(peer.questions())};
  EXPECT_TRUE(tmp.entries().empty());
  return run;
}

void expectCompleteJob(const Printed& p) {
  EXPECT_EQ(p.run.exitCode, 0) << p.run.err;
  EXPECT_FALSE(p.run.timedOut);
  EXPECT_TRUE(p.job.ended);
  EXPECT_FALSE(p.job.cancelled);
  EXPECT_EQ(p.pages.size(), 2U);
}

TEST(SideChannel, AnsweringBackendIsAskedToDrainAfterEveryWrite) {
  const PeerRun run = runWithPeer(PeerAnswer::Ok);
  expectCompleteJob(run.printed);
  EXPECT_EQ(run.questions.connected, 1U);
  EXPECT_EQ(run.questions.drains, writesOf(run.printed.job));
}

TEST(SideChannel, NotImplementedEndsTheWaitAndDrainsGoOn) {
  const PeerRun run = runWithPeer(PeerAnswer::NotImplemented);
  expectCompleteJob(run.printed);
  EXPECT_EQ(run.questions.connected, 1U);
  EXPECT_EQ(run.questions.drains, writesOf(run.printed.job));
}

TEST(SideChannel, SilentBackendIsGivenUpAfterAFewQuestionsAndOneDrain) {
  const PeerRun run = runWithPeer(PeerAnswer::Nothing);
  expectCompleteJob(run.printed);
  EXPECT_EQ(run.questions.connected, 3U);
  EXPECT_EQ(run.questions.drains, 1U);
  EXPECT_NE(run.printed.run.err.find("DEBUG:[KTR6620LXV] Check Connecttion CUPS Stauts = 3 \n"), std::string::npos);
}

TEST(SideChannel, WithoutSideChannelNothingIsAsked) {
  fixture::TempDir tmp;
  const Printed p = print(queueCommand(tmp), {fixture::uniformPage(64, 64, 128), fixture::uniformPage(64, 64, 30)});
  expectCompleteJob(p);
  EXPECT_EQ(p.run.err.find("Check Connecttion"), std::string::npos);
  EXPECT_EQ(p.run.err.find("drain"), std::string::npos);
}

TEST(SideChannel, TerminationDuringTheConnectionWaitCancelsAtTheFirstPage) {
  fixture::SideChannelPeer peer(PeerAnswer::Nothing);
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  command.sideChannel = peer.filterEnd();
  fixture::FilterProcess process(command);
  peer.releaseFilterEnd();
  ASSERT_TRUE(process.waitForLog("Check Connecttion CUPS Stauts = 3"));
  process.signal(SIGTERM);
  process.write(fixture::rasterBytes({fixture::uniformPage(16, 4, 0)}));
  const Printed p = readBack(process.finish());
  const Questions q = tally(peer.questions());
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_TRUE(p.job.started);
  EXPECT_EQ(p.job.header.size(), 7U);
  EXPECT_TRUE(p.job.pages.empty());
  EXPECT_TRUE(p.job.cancelled);
  EXPECT_LT(q.connected, 3U);  // the wait ended before it would have given up
}

}  // namespace
}  // namespace printfilter_test
