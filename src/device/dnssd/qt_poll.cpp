#include "device/dnssd/qt_poll.h"

#include <avahi-common/watch.h>
#include <poll.h>
#include <sys/time.h>

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <climits>
#include <memory>

// Avahi declares both types and leaves what they hold to the poll.
struct AvahiWatch {
  int fd = -1;
  AvahiWatchEvent wanted{};
  AvahiWatchCallback callback = nullptr;
  void* userdata = nullptr;
  // Qt's read notifier fires on input, a hang-up or an error; the write
  // notifier on room to write or an error (and a hang-up under Qt's own
  // loop). Each is made when first wanted, and only switched off after.
  std::unique_ptr<QSocketNotifier> read;
  std::unique_ptr<QSocketNotifier> write;
  // During a callback: the events that brought it, and where to say that
  // the callback freed the watch.
  int happened = 0;
  bool* freedInCallback = nullptr;
};

struct AvahiTimeout {
  QTimer timer;
  timeval deadline{};
  AvahiTimeoutCallback callback = nullptr;
  void* userdata = nullptr;
  bool* freedInCallback = nullptr;
};

namespace device::dnssd {
namespace {

// A notifier only says that the descriptor is ready for something; poll(2)
// says for what, so the callback gets the events themselves.
void dispatch(AvahiWatch* watch) {
  pollfd descriptor{watch->fd, static_cast<short>(watch->wanted), 0};
  if (::poll(&descriptor, 1, 0) != 1) {
    return;  // interrupted, or no longer ready: the notifier fires again if it is
  }
  const int happened = descriptor.revents & (watch->wanted | POLLERR | POLLHUP);
  if (happened == 0) {
    return;
  }
  bool freed = false;
  watch->happened = happened;
  watch->freedInCallback = &freed;
  watch->callback(watch, watch->fd, static_cast<AvahiWatchEvent>(happened), watch->userdata);
  if (freed) {
    return;
  }
  watch->happened = 0;
  watch->freedInCallback = nullptr;
}

void listen(AvahiWatch* watch, std::unique_ptr<QSocketNotifier>& notifier, QSocketNotifier::Type type, bool on) {
  if (!on) {
    if (notifier != nullptr) notifier->setEnabled(false);
    return;
  }
  if (notifier == nullptr) {
    notifier = std::make_unique<QSocketNotifier>(watch->fd, type);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [watch] { dispatch(watch); });
  }
  notifier->setEnabled(true);
}

void watchUpdate(AvahiWatch* watch, AvahiWatchEvent events) {
  watch->wanted = events;
  listen(watch, watch->read, QSocketNotifier::Read, (events & AVAHI_WATCH_IN) != 0);
  listen(watch, watch->write, QSocketNotifier::Write, (events & AVAHI_WATCH_OUT) != 0);
}

AvahiWatch* watchNew(const AvahiPoll*, int fd, AvahiWatchEvent events, AvahiWatchCallback callback,
                     void* userdata) {
  auto* watch = new AvahiWatch;
  watch->fd = fd;
  watch->callback = callback;
  watch->userdata = userdata;
  watchUpdate(watch, events);
  return watch;
}

AvahiWatchEvent watchGetEvents(AvahiWatch* watch) { return static_cast<AvahiWatchEvent>(watch->happened); }

void watchFree(AvahiWatch* watch) {
  if (watch->freedInCallback != nullptr) *watch->freedInCallback = true;
  delete watch;
}

// Microseconds from now until `when`, on the clock Avahi's times are read
// from.
long long microsecondsUntil(const timeval& when) {
  timeval now{};
  gettimeofday(&now, nullptr);
  return (static_cast<long long>(when.tv_sec) - now.tv_sec) * 1'000'000 + (when.tv_usec - now.tv_usec);
}

// Rounded up, so that the timer never fires before the time; a wait longer
// than a timer holds is cut, and the timer set again when it fires early.
void arm(AvahiTimeout* timeout) {
  const long long milliseconds = (std::max(microsecondsUntil(timeout->deadline), 0LL) + 999) / 1000;
  timeout->timer.start(std::chrono::milliseconds(std::min<long long>(milliseconds, INT_MAX)));
}

void fire(AvahiTimeout* timeout) {
  if (microsecondsUntil(timeout->deadline) > 0) {
    arm(timeout);
    return;
  }
  bool freed = false;
  timeout->freedInCallback = &freed;
  timeout->callback(timeout, timeout->userdata);
  if (!freed) timeout->freedInCallback = nullptr;
}

void timeoutUpdate(AvahiTimeout* timeout, const timeval* when) {
  if (when == nullptr) {
    timeout->timer.stop();
    return;
  }
  timeout->deadline = *when;
  arm(timeout);
}

AvahiTimeout* timeoutNew(const AvahiPoll*, const timeval* when, AvahiTimeoutCallback callback, void* userdata) {
  auto* timeout = new AvahiTimeout;
  timeout->callback = callback;
  timeout->userdata = userdata;
  timeout->timer.setSingleShot(true);
  timeout->timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timeout->timer, &QTimer::timeout, &timeout->timer, [timeout] { fire(timeout); });
  timeoutUpdate(timeout, when);
  return timeout;
}

void timeoutFree(AvahiTimeout* timeout) {
  if (timeout->freedInCallback != nullptr) *timeout->freedInCallback = true;
  delete timeout;
}

constexpr AvahiPoll kPoll{
    .userdata = nullptr,
    .watch_new = watchNew,
    .watch_update = watchUpdate,
    .watch_get_events = watchGetEvents,
    .watch_free = watchFree,
    .timeout_new = timeoutNew,
    .timeout_update = timeoutUpdate,
    .timeout_free = timeoutFree,
};

}  // namespace

const AvahiPoll* qtPoll() { return &kPoll; }

}  // namespace device::dnssd
