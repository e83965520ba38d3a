// The filter against a backend's end of the side channel on descriptor 4:
// answering, saying "not implemented", or never answering (file: queues,
// cupsfilter). None of them may stall the job.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <functional>

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

void expectNothingAsked(const Printed& p) {
  EXPECT_EQ(p.run.err.find("Check Connecttion"), std::string::npos) << p.run.err;
  EXPECT_EQ(p.run.err.find("drain"), std::string::npos) << p.run.err;
}

TEST(SideChannel, WithoutSideChannelNothingIsAsked) {
  fixture::TempDir tmp;
  const Printed p = print(queueCommand(tmp), {fixture::uniformPage(64, 64, 128), fixture::uniformPage(64, 64, 30)});
  expectCompleteJob(p);
  expectNothingAsked(p);
}

struct NotASocketCase {
  const char* name;
  // Sets up descriptor 4 (or leaves it free) for the run.
  std::function<void(fixture::FilterCommand&, const std::string& rasterFile, std::vector<int>& open)> arrange;
};

class NotASocket : public testing::TestWithParam<NotASocketCase> {};

// Only a socket on descriptor 4 is the print service's side channel; run by
// hand, 4 may hold anything.
TEST_P(NotASocket, IsNotTakenForTheSideChannel) {
  fixture::TempDir tmp, files;
  const std::string rasterFile = files.str() + "/job.ras";
  const std::vector<fixture::GreyPage> pages = {fixture::uniformPage(64, 64, 128),
                                                fixture::uniformPage(64, 64, 30)};
  std::ofstream(rasterFile, std::ios::binary) << fixture::rasterBytes(pages);
  auto command = queueCommand(tmp);
  std::vector<int> open;
  GetParam().arrange(command, rasterFile, open);
  const Printed p = print(command, command.extraArgs.empty() ? fixture::rasterBytes(pages) : std::string());
  for (int fd : open) close(fd);
  expectCompleteJob(p);
  expectNothingAsked(p);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, NotASocket,
    testing::Values(
        // Descriptor 3 taken, 4 free: the raster file named on the command
        // line is opened as 4.
        NotASocketCase{"RasterFileOpenedAsFour",
                       [](auto& command, const std::string& file, std::vector<int>& open) {
                         open.push_back(::open("/dev/null", O_RDONLY | O_CLOEXEC));
                         command.backChannel = open.back();
                         command.extraArgs = {file};
                       }},
        NotASocketCase{"DevNull",
                       [](auto& command, const std::string&, std::vector<int>& open) {
                         open.push_back(::open("/dev/null", O_RDWR | O_CLOEXEC));
                         command.sideChannel = open.back();
                       }},
        NotASocketCase{"Pipe",
                       [](auto& command, const std::string&, std::vector<int>& open) {
                         int fds[2];
                         ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
                         open.insert(open.end(), {fds[0], fds[1]});
                         command.sideChannel = fds[1];
                       }}),
    [](const auto& tested) { return std::string(tested.param.name); });

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
