#pragma once
// Avahi's poll interface served by Qt's event loop: a watch listens with
// socket notifiers, a timeout with a timer, both of the thread that makes
// them. Qt's own loop serves them as well as GLib's does, so Avahi's
// callbacks come whichever loop Qt runs (also with QT_NO_GLIB=1).
//
// As Avahi's consumers expect: a callback may update or free its own watch
// or timeout. During a callback, watch_get_events gives the events that
// brought it, outside one nothing. A watch waiting for input also hears a
// hang-up or an error (Qt wakes a read notifier on both), one waiting only
// for output an error. A timeout given no time is off; one whose time is
// past fires on the next turn of the loop, never inside the call that sets
// it. Make, update and free each watch and timeout on one thread, which
// runs a Qt event loop.

struct AvahiPoll;

namespace device::dnssd {

const AvahiPoll* qtPoll();

}  // namespace device::dnssd
