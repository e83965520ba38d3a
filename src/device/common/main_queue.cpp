#include "device/common/main_queue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

#include <utility>

namespace device {

// Every item is a queued call posted to an object of the GUI thread; Qt
// runs one thread's posted calls in the order they were posted, whatever
// their object, so items keep their order also between the two forms.
void onMainQueue(QObject& owner, Work work) {
  QMetaObject::invokeMethod(&owner, std::move(work), Qt::QueuedConnection);
}

void onMainQueue(Work work) {
  if (QCoreApplication* application = QCoreApplication::instance()) {
    onMainQueue(*application, std::move(work));
  }
}

Queue mainQueue() {
  return [](Work work) { onMainQueue(std::move(work)); };
}

}  // namespace device
