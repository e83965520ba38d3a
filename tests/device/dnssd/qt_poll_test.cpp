// Avahi's poll interface on Qt's event loop, without a daemon: watches on
// pipes, timeouts, and callbacks that change or free their own watch or
// timeout. Run with and without GLib's loop under Qt.
#include <avahi-common/watch.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/dnssd/qt_poll.h"
#include "event_loop.h"

namespace device::dnssd {
namespace {

using namespace std::chrono_literals;
using test_support::spinFor;
using test_support::spinUntil;

timeval fromNow(std::chrono::milliseconds offset) {
  timeval now{};
  gettimeofday(&now, nullptr);
  const long long micro = now.tv_sec * 1'000'000LL + now.tv_usec + std::chrono::microseconds(offset).count();
  return {static_cast<time_t>(micro / 1'000'000), static_cast<suseconds_t>(micro % 1'000'000)};
}

class Pipe {
 public:
  Pipe() { EXPECT_EQ(pipe2(ends_, O_CLOEXEC | O_NONBLOCK), 0); }
  ~Pipe() {
    closeReader();
    closeWriter();
  }
  int reader() const { return ends_[0]; }
  int writer() const { return ends_[1]; }
  void writeByte() { EXPECT_EQ(::write(ends_[1], "x", 1), 1); }
  void closeReader() { closeEnd(0); }
  void closeWriter() { closeEnd(1); }

 private:
  void closeEnd(int end) {
    if (ends_[end] >= 0) ::close(ends_[end]);
    ends_[end] = -1;
  }
  int ends_[2]{-1, -1};
};

// What a watch's callbacks saw; each frees its watch once `freeAfter`
// calls are reached, and until then may change what it waits for.
struct WatchRecord {
  const AvahiPoll* poll = qtPoll();
  AvahiWatch* watch = nullptr;
  int freeAfter = 1;
  std::function<void(WatchRecord&)> onCall;
  std::vector<int> events;     // given to the callback
  std::vector<int> gotEvents;  // watch_get_events inside it

  void watchFd(int fd, AvahiWatchEvent wanted) {
    watch = poll->watch_new(
        poll, fd, wanted,
        [](AvahiWatch* self, int, AvahiWatchEvent event, void* data) {
          auto& record = *static_cast<WatchRecord*>(data);
          record.events.push_back(event);
          record.gotEvents.push_back(record.poll->watch_get_events(self));
          if (record.onCall) record.onCall(record);
          if (static_cast<int>(record.events.size()) == record.freeAfter) {
            record.poll->watch_free(self);
            record.watch = nullptr;
          }
        },
        this);
  }
  ~WatchRecord() {
    if (watch != nullptr) poll->watch_free(watch);
  }
};

TEST(QtPollWatch, TellsTheCallbackWhatHappenedOnTheNextTurnAndStopsOnceTheCallbackFreesIt) {
  struct Case {
    std::string what;
    bool onWriter;  // else on the reader
    AvahiWatchEvent wanted;
    std::function<void(Pipe&)> happen;
    int expected;
  };
  const std::vector<Case> cases{
      {"input", false, AVAHI_WATCH_IN, [](Pipe& pipe) { pipe.writeByte(); }, AVAHI_WATCH_IN},
      {"the writer gone", false, AVAHI_WATCH_IN, [](Pipe& pipe) { pipe.closeWriter(); }, AVAHI_WATCH_HUP},
      {"room to write", true, AVAHI_WATCH_OUT, [](Pipe&) {}, AVAHI_WATCH_OUT},
      {"the reader gone", true, AVAHI_WATCH_OUT, [](Pipe& pipe) { pipe.closeReader(); },
       AVAHI_WATCH_OUT | AVAHI_WATCH_ERR},
      {"input, waited for with output", false, static_cast<AvahiWatchEvent>(AVAHI_WATCH_IN | AVAHI_WATCH_OUT),
       [](Pipe& pipe) { pipe.writeByte(); }, AVAHI_WATCH_IN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Pipe pipe;
    c.happen(pipe);
    WatchRecord record;
    record.watchFd(c.onWriter ? pipe.writer() : pipe.reader(), c.wanted);
    EXPECT_TRUE(record.events.empty()) << "called back inside watch_new";
    EXPECT_EQ(record.poll->watch_get_events(record.watch), 0) << "events outside a callback";

    ASSERT_TRUE(spinUntil([&] { return !record.events.empty(); }));
    // The descriptor stays ready: a freed watch that still listened would
    // be called again.
    spinFor(100ms);
    EXPECT_EQ(record.events, std::vector<int>{c.expected});
    EXPECT_EQ(record.gotEvents, std::vector<int>{c.expected});
  }
}

TEST(QtPollWatch, ACallbackThatStopsWaitingForInputHearsNoMoreUntilItWaitsAgain) {
  Pipe pipe;
  pipe.writeByte();
  WatchRecord record;
  record.freeAfter = 2;
  record.onCall = [](WatchRecord& self) {
    if (self.events.size() == 1) self.poll->watch_update(self.watch, AVAHI_WATCH_OUT);
  };
  record.watchFd(pipe.reader(), AVAHI_WATCH_IN);
  ASSERT_TRUE(spinUntil([&] { return !record.events.empty(); }));
  spinFor(100ms);
  ASSERT_EQ(record.events, std::vector<int>{AVAHI_WATCH_IN}) << "a pipe's reader never has room to write";
  EXPECT_EQ(record.poll->watch_get_events(record.watch), 0) << "events after the callback";

  record.poll->watch_update(record.watch, AVAHI_WATCH_IN);
  ASSERT_TRUE(spinUntil([&] { return record.events.size() == 2; }));
  EXPECT_EQ(record.events, (std::vector<int>{AVAHI_WATCH_IN, AVAHI_WATCH_IN}));
}

// What a timeout's callbacks saw; each sets the timeout again for a
// moment later, `rearms` times, then frees it.
struct TimeoutRecord {
  const AvahiPoll* poll = qtPoll();
  AvahiTimeout* timeout = nullptr;
  int calls = 0;
  int rearms = 0;

  void start(const timeval* when) {
    timeout = poll->timeout_new(
        poll, when,
        [](AvahiTimeout* self, void* data) {
          auto& record = *static_cast<TimeoutRecord*>(data);
          if (record.calls++ < record.rearms) {
            const timeval soon = fromNow(1ms);
            record.poll->timeout_update(self, &soon);
            return;
          }
          record.poll->timeout_free(self);
          record.timeout = nullptr;
        },
        this);
  }
  ~TimeoutRecord() {
    if (timeout != nullptr) poll->timeout_free(timeout);
  }
};

TEST(QtPollTimeout, FiresOnTheNextTurnOnceItsTimeHasComeAndNeverWithoutATime) {
  struct Case {
    std::string what;
    std::optional<std::chrono::milliseconds> when;  // from now; none: no time
    bool switchedOff;                               // given no time before the loop runs
    int rearms;
    int expectedCalls;
  };
  const std::vector<Case> cases{
      {"a past time", -1s, false, 0, 1},
      {"now", 0ms, false, 0, 1},
      {"soon", 30ms, false, 0, 1},
      {"set again by its callback", 0ms, false, 2, 3},
      {"no time", std::nullopt, false, 0, 0},
      {"switched off", 0ms, true, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TimeoutRecord record;
    record.rearms = c.rearms;
    const timeval when = fromNow(c.when.value_or(0ms));
    record.start(c.when ? &when : nullptr);
    if (c.switchedOff) record.poll->timeout_update(record.timeout, nullptr);
    EXPECT_EQ(record.calls, 0) << "called back inside timeout_new";

    if (c.expectedCalls > 0) {
      ASSERT_TRUE(spinUntil([&] { return record.calls == c.expectedCalls; }));
    }
    spinFor(100ms);
    EXPECT_EQ(record.calls, c.expectedCalls);
  }
}

}  // namespace
}  // namespace device::dnssd
