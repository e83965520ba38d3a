#pragma once
// The folder scans are saved in until the user chooses another.

#include <QString>

namespace scanner_app {

// The user's desktop folder. Many Linux desktops have none, and a scan into
// a missing folder could only fail, so the home folder stands in for it.
QString defaultSaveDir();

}  // namespace scanner_app
