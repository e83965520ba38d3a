// Each program started from its menu entry, on a private X server with a
// window manager, as a desktop shell sees it (both languages):
// - the launch feedback the entry asks for ends once the program's first
//   window shows, with the "remove" startup message for the launch's ID:
//   when the message arrives the window is there, and it comes once;
// - that window is titled with the entry's name in the user's language,
//   never with the program's file name;
// - its WM_CLASS is the entry's StartupWMClass, so a dock that matches
//   exactly ties the window to its launcher.
// The programs run in a network namespace of their own (their discovery
// broadcasts reach nothing) on an empty simulated USB bus.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "desktop_entry.h"
#include "temp_dir.h"
#include "x_root.h"

namespace {

using namespace std::chrono_literals;

struct Program {
  const char* name;
  const char* path;
  const char* entry;  // its file under data/desktop
};

struct Language {
  const char* name;
  const char* languages;  // LANGUAGE
  const char* nameKey;    // the entry's name in that language
};

const Program kPrograms[] = {
    {"StatusMonitor", MONITOR_PROGRAM, "ktr6620lxv-statemonitor.desktop"},
    {"Scanner", SCANNER_PROGRAM, "ktr6620lxv-scanner.desktop"},
};

const Language kLanguages[] = {
    {"English", "en_GB:en", "Name"},
    {"Chinese", "zh_CN:en", "Name[zh_CN]"},
};

// A program started as a launcher starts it, in a process group of its
// own; ended with the group, and every process of it waited for.
class Launched {
 public:
  Launched(const Program& program, const Language& language, const std::string& startupId,
           const std::string& scratch) {
    // Orphans of the group (the program under umockdev-run) become ours to
    // wait for.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setpgid(0, 0);
      ::setenv("DESKTOP_STARTUP_ID", startupId.c_str(), 1);
      ::setenv("LANG", "C.UTF-8", 1);
      ::setenv("LANGUAGE", language.languages, 1);
      ::unsetenv("LC_ALL");
      ::unsetenv("LC_MESSAGES");
      // umockdev-run's testbed, left behind when it is ended.
      ::setenv("TMPDIR", scratch.c_str(), 1);
      ::setenv("QT_QPA_PLATFORM", "xcb", 1);
      ::execl(PRIVATE_NETWORK, PRIVATE_NETWORK, UMOCKDEV_RUN, "--", program.path, static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::setpgid(pid_, pid_);
  }

  ~Launched() {
    ::kill(-pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    for (;;) {
      const pid_t ended = ::waitpid(-1, nullptr, WNOHANG);
      if (ended < 0) {
        break;  // none left
      }
      if (ended == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
          ::kill(-pid_, SIGKILL);
        }
        std::this_thread::sleep_for(20ms);
      }
    }
  }

  Launched(const Launched&) = delete;
  Launched& operator=(const Launched&) = delete;

  // The exit status of the process started, once it has exited; -1 while
  // it runs.
  int exitStatus() {
    if (status_ < 0) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
    }
    return status_;
  }

 private:
  pid_t pid_ = -1;
  int status_ = -1;
};

std::string described(const std::vector<x_test::ClientWindow>& windows) {
  std::string text;
  for (const auto& window : windows) {
    text += "\n  class \"" + window.instance + "\", \"" + window.wmClass + "\", title \"" + window.title + "\"" +
            (window.viewable ? ", shown" : "");
  }
  return text.empty() ? " none" : text;
}

const x_test::ClientWindow* titled(const std::vector<x_test::ClientWindow>& windows, const std::string& title) {
  for (const auto& window : windows) {
    if (window.title == title) {
      return &window;
    }
  }
  return nullptr;
}

class Launch : public ::testing::TestWithParam<std::tuple<Program, Language>> {};

TEST_P(Launch, ItsWindowIsTheEntrysAndEndsTheLaunchFeedback) {
  const auto& [program, language] = GetParam();
  auto entry = desktop_test::desktopEntry(std::string(DESKTOP_ENTRIES) + "/" + program.entry);
  ASSERT_EQ(entry["StartupNotify"], "true") << program.entry << " asks for no launch feedback";
  const std::string title = entry[language.nameKey];
  ASSERT_FALSE(title.empty()) << program.entry << " has no " << language.nameKey;
  ASSERT_FALSE(entry["StartupWMClass"].empty()) << program.entry << " names no window class";

  x_test::XRoot x;
  if (!x.connected()) {
    GTEST_SKIP() << "needs an X server (run under tests/support/with_xvfb.sh)";
  }
  const test_support::TempDir scratch;
  const std::string id = "ktr6620lxv-launch-" + std::to_string(::getpid()) + "-" + program.name + "-" +
                         language.name + "_TIME0";
  Launched launched(program, language, id, scratch.str());

  // The message that ends the feedback, before a generous bound.
  std::optional<std::string> removed;
  const auto deadline = std::chrono::steady_clock::now() + 90s;
  while (!removed && std::chrono::steady_clock::now() < deadline) {
    const std::optional<std::string> message = x.nextStartupMessage(200ms);
    if (message && message->find(id) != std::string::npos) {
      removed = message;
    } else if (!message && launched.exitStatus() >= 0) {
      if (launched.exitStatus() == 77) {
        GTEST_SKIP() << "no private network namespace here";
      }
      FAIL() << program.path << " ended with status " << launched.exitStatus() << " before its window showed";
    }
  }
  ASSERT_TRUE(removed) << "no startup message for " << id << " within 90 s; windows:" << described(x.clientWindows());
  EXPECT_EQ(*removed, "remove: ID=" + id);

  // The window that ended it is there already, as the server has it now.
  const std::vector<x_test::ClientWindow> windows = x.clientWindows();
  const x_test::ClientWindow* window = titled(windows, title);
  ASSERT_NE(window, nullptr) << "no window titled \"" << title << "\" when the feedback ended; windows:"
                             << described(windows);
  EXPECT_EQ(window->wmClass, entry["StartupWMClass"]);
  const std::string fileName = std::filesystem::path(program.path).filename();
  for (const auto& other : windows) {
    EXPECT_NE(other.title, fileName) << "a window titled with the program's file name";
  }

  // And it shows (the window manager maps it in its own time).
  bool shown = false;
  for (const auto until = std::chrono::steady_clock::now() + 30s; !shown && std::chrono::steady_clock::now() < until;) {
    const std::vector<x_test::ClientWindow> now = x.clientWindows();
    const x_test::ClientWindow* current = titled(now, title);
    shown = current != nullptr && current->viewable;
    if (!shown) {
      std::this_thread::sleep_for(50ms);
    }
  }
  EXPECT_TRUE(shown) << "the window never showed; windows:" << described(x.clientWindows());
  // Once: nothing more for this launch by the time it shows.
  for (std::optional<std::string> more = x.nextStartupMessage(0ms); more; more = x.nextStartupMessage(0ms)) {
    EXPECT_EQ(more->find(id), std::string::npos) << "a second startup message: " << *more;
  }
}

std::string caseName(const ::testing::TestParamInfo<Launch::ParamType>& launch) {
  return std::string(std::get<0>(launch.param).name) + "_" + std::get<1>(launch.param).name;
}

INSTANTIATE_TEST_SUITE_P(BothProgramsBothLanguages, Launch,
                         ::testing::Combine(::testing::ValuesIn(kPrograms), ::testing::ValuesIn(kLanguages)), caseName);

}  // namespace
