// The folder scans go to at first: the desktop folder, or home without one.
#include <gtest/gtest.h>

#include <QDir>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>
#include <fstream>
#include <string>

#include "scanner_app/save_folder.h"
#include "temp_dir.h"

namespace scanner_app {
namespace {

namespace fs = std::filesystem;

// A home folder of the test's own, with no desktop settings of the user's.
class SaveFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    remember("HOME");
    remember("XDG_CONFIG_HOME");
    ::setenv("HOME", home.str().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home.path() / ".config").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
  }
  void remember(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  QString path(const fs::path& p) const { return QDir::cleanPath(QString::fromStdString(p.string())); }

  test_support::TempDir home;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(SaveFolder, IsTheDesktopFolderWhenItExists) {
  fs::create_directory(home.path() / "Desktop");
  EXPECT_EQ(QDir::cleanPath(defaultSaveDir()), path(home.path() / "Desktop"));
}

TEST_F(SaveFolder, IsTheDesktopTheUsersSettingsName) {
  fs::create_directories(home.path() / ".config");
  fs::create_directory(home.path() / "Schreibtisch");
  std::ofstream(home.path() / ".config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
  EXPECT_EQ(QDir::cleanPath(defaultSaveDir()), path(home.path() / "Schreibtisch"));
}

TEST_F(SaveFolder, IsHomeWithoutADesktopFolder) {
  EXPECT_EQ(QDir::cleanPath(defaultSaveDir()), path(home.path()));
}

TEST_F(SaveFolder, IsHomeWhenTheDesktopIsAFile) {
  std::ofstream(home.path() / "Desktop") << "not a folder";
  EXPECT_EQ(QDir::cleanPath(defaultSaveDir()), path(home.path()));
}

}  // namespace
}  // namespace scanner_app
