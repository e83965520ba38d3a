#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "printfilter/side_channel.h"

namespace printfilter {
namespace {

// Answers from a script; the last answer repeats for ever.
class ScriptedChannel final : public SideChannel {
 public:
  explicit ScriptedChannel(std::deque<cups_sc_status_t> answers) : answers_(std::move(answers)) {}
  cups_sc_status_t request(cups_sc_command_t command, double timeout) override {
    asked.push_back(command);
    EXPECT_EQ(timeout, 1.0);
    const cups_sc_status_t answer = answers_.front();
    if (answers_.size() > 1) answers_.pop_front();
    return answer;
  }
  std::vector<cups_sc_command_t> asked;

 private:
  std::deque<cups_sc_status_t> answers_;
};

struct Wait {
  std::vector<cups_sc_command_t> asked;
  int pauses = 0;
  bool terminated = false;
};

Wait waitWith(std::deque<cups_sc_status_t> answers, bool flagBefore = false, bool flagDuringPause = false) {
  ScriptedChannel channel(std::move(answers));
  Log log(stderr, ProgressLanguage::None);
  volatile std::sig_atomic_t flag = flagBefore ? 1 : 0;
  Wait result;
  PrinterLink link(&channel, log, [&](std::chrono::milliseconds duration, const volatile std::sig_atomic_t&) {
    EXPECT_EQ(duration.count(), 1000);
    ++result.pauses;
    if (flagDuringPause) flag = 1;
  });
  link.waitForConnection(flag, [&] {
    result.terminated = true;
    flag = 1;
  });
  result.asked = channel.asked;
  return result;
}

TEST(ConnectionWait, OkEndsTheWait) {
  const Wait w = waitWith({CUPS_SC_STATUS_OK});
  EXPECT_EQ(w.asked, std::vector<cups_sc_command_t>{CUPS_SC_CMD_GET_CONNECTED});
  EXPECT_FALSE(w.terminated);
}

TEST(ConnectionWait, NotImplementedEndsTheWait) {
  const Wait w = waitWith({CUPS_SC_STATUS_NOT_IMPLEMENTED});
  EXPECT_EQ(w.asked.size(), 1U);
  EXPECT_FALSE(w.terminated);
}

TEST(ConnectionWait, AskedAgainOnceASecondUntilAnswered) {
  const Wait w = waitWith({CUPS_SC_STATUS_BAD_MESSAGE, CUPS_SC_STATUS_OK});
  EXPECT_EQ(w.asked.size(), 2U);
  EXPECT_EQ(w.pauses, 1);
}

TEST(ConnectionWait, ChannelThatNeverAnswersIsGivenUpAfterAFewQuestions) {
  // Each time-out has waited its second already: no pause on top.
  const Wait w = waitWith({CUPS_SC_STATUS_TIMEOUT});
  EXPECT_EQ(w.asked.size(), static_cast<std::size_t>(PrinterLink::kMaxUnansweredQuestions));
  EXPECT_EQ(w.pauses, 0);
  EXPECT_FALSE(w.terminated);
}

TEST(ConnectionWait, GarbledAnswersAreGivenUpAfterAFewQuestions) {
  const Wait w = waitWith({CUPS_SC_STATUS_BAD_MESSAGE});
  EXPECT_EQ(w.asked.size(), static_cast<std::size_t>(PrinterLink::kMaxUnansweredQuestions));
  EXPECT_EQ(w.pauses, PrinterLink::kMaxUnansweredQuestions - 1);
}

TEST(ConnectionWait, NoResponseOrIoErrorCancelsTheJobAndEndsTheWait) {
  for (cups_sc_status_t status : {CUPS_SC_STATUS_NO_RESPONSE, CUPS_SC_STATUS_IO_ERROR}) {
    const Wait w = waitWith({status});
    EXPECT_EQ(w.asked.size(), 1U) << status;
    EXPECT_TRUE(w.terminated) << status;
  }
}

TEST(ConnectionWait, TerminationRequestEndsTheWait) {
  EXPECT_TRUE(waitWith({CUPS_SC_STATUS_BAD_MESSAGE}, true).asked.empty());
  const Wait w = waitWith({CUPS_SC_STATUS_BAD_MESSAGE}, false, true);
  EXPECT_EQ(w.asked.size(), 1U);
}

TEST(ConnectionWait, WithoutSideChannelNothingIsAsked) {
  Log log(stderr, ProgressLanguage::None);
  volatile std::sig_atomic_t flag = 0;
  PrinterLink link(nullptr, log, [](auto, const auto&) { ADD_FAILURE() << "paused"; });
  link.waitForConnection(flag, [] { ADD_FAILURE() << "terminated"; });
  EXPECT_EQ(link.drain(), CUPS_SC_STATUS_NONE);
  EXPECT_FALSE(link.drainsEnabled());
}

TEST(Drain, AskedAfterEveryWriteWhileAnswered) {
  ScriptedChannel channel({CUPS_SC_STATUS_OK});
  Log log(stderr, ProgressLanguage::None);
  PrinterLink link(&channel, log);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(link.drain(), CUPS_SC_STATUS_OK);
  EXPECT_EQ(channel.asked, std::vector<cups_sc_command_t>(5, CUPS_SC_CMD_DRAIN_OUTPUT));
}

TEST(Drain, NoMoreDrainsAfterOneTimesOut) {
  ScriptedChannel channel({CUPS_SC_STATUS_OK, CUPS_SC_STATUS_TIMEOUT, CUPS_SC_STATUS_OK});
  Log log(stderr, ProgressLanguage::None);
  PrinterLink link(&channel, log);
  EXPECT_EQ(link.drain(), CUPS_SC_STATUS_OK);
  EXPECT_EQ(link.drain(), CUPS_SC_STATUS_TIMEOUT);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(link.drain(), CUPS_SC_STATUS_NONE);
  EXPECT_EQ(channel.asked.size(), 2U);
}

TEST(Drain, OtherFailuresKeepDraining) {
  ScriptedChannel channel({CUPS_SC_STATUS_IO_ERROR, CUPS_SC_STATUS_NO_RESPONSE, CUPS_SC_STATUS_OK});
  Log log(stderr, ProgressLanguage::None);
  PrinterLink link(&channel, log);
  EXPECT_EQ(link.drain(), CUPS_SC_STATUS_IO_ERROR);
  EXPECT_EQ(link.drain(), CUPS_SC_STATUS_NO_RESPONSE);
  EXPECT_EQ(link.drain(), CUPS_SC_STATUS_OK);
  EXPECT_TRUE(link.drainsEnabled());
}

}  // namespace
}  // namespace printfilter
