#pragma once
// The status texts as the status panel shows them.

#include <QString>

namespace monitor_app {

// The model's message or advice, looked up in the string table. The message
// of a code the table lacks ("错误码" and the code) has its prefix looked
// up and the code put after it, as the model gives it.
QString shownStatusText(const QString& text);

}  // namespace monitor_app
