// The program itself on the display: its window appears with its title,
// shows the splash, and the close box, or its window destroyed by another
// client, ends it with exit code 0.  Without a display it says so and ends,
// unless running without a window is asked for.
#include "x_tools.h"

#include "winapi/sdl/sdl.h"
#include "winapi/windows.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace display_test {
namespace {

const char* const kTitle = "Tavlin - Kestrel Mill";

// The program as a child process, with what it writes to stderr kept in a
// file; killed if a test leaves it running.  Its environment is this one's
// without the variables named in `unset` and with the "NAME=value" entries of
// `add`.
class Program {
 public:
  explicit Program(const std::vector<std::string>& unset = {}, const std::vector<std::string>& add = {}) {
    char path[] = "/tmp/tavlin_stderr_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
      return;
    }
    close(fd);
    errors_ = path;
    std::vector<std::string> variables = add;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string variable = *entry;
      bool dropped = false;
      for (const std::string& name : unset) {
        dropped = dropped || variable.compare(0, name.size() + 1, name + "=") == 0;
      }
      if (!dropped) {
        variables.push_back(variable);
      }
    }
    std::vector<char*> env;
    for (std::string& variable : variables) {
      env.push_back(variable.data());
    }
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errors_.c_str(), O_WRONLY | O_TRUNC, 0);
    char* argv[] = {const_cast<char*>(TAVLIN_PROGRAM), nullptr};
    if (posix_spawn(&pid_, TAVLIN_PROGRAM, &actions, nullptr, argv, env.data()) != 0) {
      pid_ = 0;
    }
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Program() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (!errors_.empty()) {
      unlink(errors_.c_str());
    }
  }
  bool Started() const { return pid_ > 0; }

  // What the program has written to stderr so far.
  std::string Errors() const {
    std::ifstream file(errors_);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  // The exit status once it has ended within `timeoutMs`, or -1.
  int WaitForExit(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
  }

 private:
  pid_t pid_ = 0;
  std::string errors_;  // the file of its stderr
};

// The picture once the program has drawn into it (ink has appeared).
Picture WhenDrawn(unsigned long window) {
  Picture picture;
  for (int attempt = 0; attempt < 100; ++attempt) {
    picture = Screenshot(window);
    if (picture.width > 0 && picture.DarkIn(0, 0, picture.width, picture.height) > 0) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return picture;
}

}  // namespace

// A private settings folder for one run of the program, removed afterwards.
class SettingsFolder {
 public:
  SettingsFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-display-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~SettingsFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  std::string Variable() const { return "TAVLIN_SETTINGS_DIR=" + path_; }

 private:
  std::string path_;
};

TEST(Program, ShowsItsTitledWindowWithTheSplashAndEndsWithTheCloseBox) {
  if (!winapi::sdl::IsActive() || !HaveTools()) {
    GTEST_SKIP() << "no display (or no xdotool and import) to run the program on";
  }
  const SettingsFolder settings;
  Program program({}, {settings.Variable()});
  ASSERT_TRUE(program.Started());
  const unsigned long window = FindWindow(kTitle, 30000);
  ASSERT_NE(window, 0u) << "no window titled " << kTitle;

  // The window starts small and grows to the screen's size for the splash.
  Picture shown;
  for (int attempt = 0; attempt < 100 && !(shown.width == 480 && shown.DarkIn(0, 0, 480, 640) > 0); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    shown = Screenshot(window);
  }
  ASSERT_EQ(shown.width, 480);
  ASSERT_EQ(shown.height, 640);
  // White, the logo across the middle, "Loading..." at the bottom left and
  // the web address at the bottom right, in the default font.
  const HDC screen = GetDC(nullptr);
  SIZE text{};
  ASSERT_TRUE(GetTextExtentPoint32W(screen, L"Loading...", 10, &text));
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(shown.At(5, 5), 0xFFFFFFu);
  EXPECT_GT(shown.DarkIn(0, 100, 480, 540), 5000) << "the logo";
  EXPECT_GT(shown.DarkIn(0, 640 - text.cy, text.cx + 1, 640), 30) << "Loading...";
  EXPECT_GT(shown.DarkIn(480 - text.cx, 640 - text.cy, 480, 640), 30) << "the address";
  EXPECT_EQ(shown.DarkIn(text.cx + 1, 640 - text.cy, 240, 640), 0) << "two lines apart";

  PressCloseBox(window);
  EXPECT_EQ(program.WaitForExit(30000), 0) << program.Errors();
}

// `xdotool windowclose` destroys the X window itself: SDL's later requests
// about it fail, and the program hears of it only from X.
TEST(Program, TakesItsWindowDestroyedByAnotherClientAsTheCloseBox) {
  if (!winapi::sdl::IsActive() || !HaveTools()) {
    GTEST_SKIP() << "no display (or no xdotool and import) to run the program on";
  }
  const SettingsFolder settings;
  Program program({}, {settings.Variable()});
  ASSERT_TRUE(program.Started());
  const unsigned long window = FindWindow(kTitle, 30000);
  ASSERT_NE(window, 0u) << "no window titled " << kTitle;
  ASSERT_GT(WhenDrawn(window).width, 0);

  display_test::Run("xdotool windowclose " + std::to_string(window) + " 2>&1");
  EXPECT_EQ(program.WaitForExit(30000), 0) << program.Errors();
  EXPECT_EQ(program.Errors().find("X Error"), std::string::npos) << program.Errors();
}

// Needs no display: it takes the program's away.
TEST(Program, WithoutADisplaySaysSoAndEndsUnlessRunningWithoutAWindowIsAsked) {
  const std::vector<std::string> noDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "TAVLIN_HEADLESS"};
  {
    Program program(noDisplay);
    ASSERT_TRUE(program.Started());
    const int status = program.WaitForExit(30000);
    EXPECT_NE(status, -1) << "still running after 30 s without a display";
    EXPECT_NE(status, 0);
    EXPECT_NE(program.Errors().find("tavlin: no display to open a window on (set DISPLAY, or TAVLIN_HEADLESS=1"),
              std::string::npos)
        << program.Errors();
  }
  {
    const SettingsFolder settings;
    Program program(noDisplay, {"TAVLIN_HEADLESS=1", settings.Variable()});
    ASSERT_TRUE(program.Started());
    EXPECT_EQ(program.WaitForExit(3000), -1) << "ended: " << program.Errors();
    EXPECT_EQ(program.Errors().find("no display"), std::string::npos) << program.Errors();
  }
}

}  // namespace display_test
