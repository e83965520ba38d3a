#pragma once
// The application's main queue: work handed to it runs later, in the order
// handed, on the GUI thread (the thread of the Qt application object), each
// item as one queued call of Qt's event loop between its events; never
// inside the call that hands it over. Safe to call from any thread.

#include <functional>

class QObject;

namespace device {

using Work = std::function<void()>;
using Queue = std::function<void(Work)>;

// Hands work to the main queue. Without an application object there is no
// loop to run it, and it is dropped.
void onMainQueue(Work work);

// The same for work that uses `owner`, an object of the GUI thread: when
// the owner is destroyed before the work runs, the work is dropped.
void onMainQueue(QObject& owner, Work work);

// The main queue, for those that take a queue to post to.
Queue mainQueue();

}  // namespace device
