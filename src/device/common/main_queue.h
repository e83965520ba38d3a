#pragma once
// Queues: work handed to one runs later, in the order handed, on the
// queue's thread; never inside the call that hands it over.

#include <functional>

namespace device {

using Work = std::function<void()>;
using Queue = std::function<void(Work)>;

// The application's main queue: the thread that runs GLib's default main
// context. Qt's event loop on Linux is GLib's, and its GUI thread runs that
// context, so this work runs on the GUI thread between its events. Safe to
// call from any thread.
Queue mainQueue();

}  // namespace device
