#include "monitor_app/divider.h"

namespace monitor_app {

QFrame* divider() {
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace monitor_app
