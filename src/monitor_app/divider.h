#pragma once
// The thin sunken line that parts the window's sections.

#include <QFrame>

namespace monitor_app {

QFrame* divider();

}  // namespace monitor_app
