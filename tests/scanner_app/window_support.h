#pragma once
// Helpers of the window tests: the real window with test seams, its
// controls by name, its alert, small JPEG pages like a scanner's.

#include <QComboBox>
#include <QSize>
#include <QString>
#include <QObject>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scan/conversation/scanner_device.h"
#include "shell.h"
#include "scanner_app/content_view.h"
#include "scanner_app/setting_view.h"
#include "scanner_app/string_table.h"

namespace wintest {

using Bytes = std::vector<std::uint8_t>;

// The scans' time (UTC), and the receive folder and PDF names it gives.
extern const std::chrono::system_clock::time_point kScanTime;
extern const std::string kStamp;

// Screen options for a test: discovery broadcasts on no interface unless
// told where, network reads give up after 3 s, the scans' clock is
// kScanTime, and the folder chooser is `chooser` (none: a test must not
// reach the real dialog).
scanner_app::ScreenOptions screenOptions(scanner_app::FolderChooser chooser = {});

// Processes events until `done` holds or `timeout` ran out.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A small JPEG page of a scanner, one grey level per page number.
Bytes jpegPage(int pageNo, QSize size = QSize(64, 48));

scan::Device networkScanner(const std::string& address);

template <typename T>
T* control(scanner_app::ContentView& window, const char* name) {
  return window.findChild<T*>(QLatin1String(name));
}

// Chooses the picker's row that carries `tag`, as the user does.
void choose(QComboBox* picker, int tag);
int chosenTag(const QComboBox* picker);

// The alert while it is shown; null otherwise.
desktop::Alert* shownAlert(scanner_app::ContentView& window);
// Waits for the alert and presses its "ok" button; false when none came.
bool dismissAlert(scanner_app::ContentView& window);

// The string table's text of a key.
std::string text(const char* key);

// The application's table and Qt's own translations of a language, as the
// program installs them, for as long as this lives (over the English table
// that the tests' main installs). Windows made meanwhile speak that language.
class LanguageTables {
 public:
  explicit LanguageTables(scanner_app::Language language);

  // Both the table and Qt's translations.
  bool loaded() const { return loaded_; }

 private:
  QObject owner_;
  bool loaded_ = false;
};

std::string languageName(scanner_app::Language language);

using test_support::Run;
using test_support::run;

}  // namespace wintest
