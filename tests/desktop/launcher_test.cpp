// Each program ties its windows to its own menu entry: the desktop file
// name (a Wayland window's app id) is the entry's file name, and the
// application's name (the class of an X11 window's WM_CLASS) is the
// entry's StartupWMClass and the program its Exec starts.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>

#include <filesystem>
#include <string>

#include "desktop_entry.h"
#include "monitor_app/status_monitor.h"
#include "scanner_app/scanner_application.h"

namespace {

TEST(Launcher, EachProgramNamesItsOwnEntry) {
  const struct {
    const char* program;
    void (*tie)();
    const char* entry;
  } cases[] = {
      {"status monitor", monitor_app::tieToLauncher, "ktr6620lxv-statemonitor.desktop"},
      {"scanner", scanner_app::tieToLauncher, "ktr6620lxv-scanner.desktop"},
  };
  const QString name = QCoreApplication::applicationName();
  const QString desktopFile = QGuiApplication::desktopFileName();
  for (const auto& c : cases) {
    c.tie();
    const std::string file = QGuiApplication::desktopFileName().toStdString() + ".desktop";
    EXPECT_EQ(file, c.entry) << c.program;
    auto entry = desktop_test::desktopEntry(std::string(DESKTOP_ENTRIES) + "/" + file);
    EXPECT_EQ(QCoreApplication::applicationName().toStdString(), entry["StartupWMClass"]) << c.program;
    EXPECT_EQ(QCoreApplication::applicationName().toStdString(), entry["Exec"]) << c.program;
  }
  QCoreApplication::setApplicationName(name);
  QGuiApplication::setDesktopFileName(desktopFile);
}

}  // namespace
