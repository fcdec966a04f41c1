// The program itself on the display: its window appears with its title,
// shows "Loading...", and the close box ends it with exit code 0.
#include "x_tools.h"

#include "winapi/sdl/sdl.h"
#include "winapi/windows.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <chrono>
#include <csignal>
#include <thread>

extern char** environ;

namespace display_test {
namespace {

const char* const kTitle = "Tavlin - Kestrel Mill";

// The program as a child process; killed if a test leaves it running.
class Program {
 public:
  Program() {
    char* argv[] = {const_cast<char*>(TAVLIN_PROGRAM), nullptr};
    if (posix_spawn(&pid_, TAVLIN_PROGRAM, nullptr, nullptr, argv, environ) != 0) {
      pid_ = 0;
    }
  }
  ~Program() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool Started() const { return pid_ > 0; }

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

TEST(Program, ShowsItsTitledWindowWithLoadingAndEndsWithTheCloseBox) {
  if (!winapi::sdl::IsActive() || !HaveTools()) {
    GTEST_SKIP() << "no display (or no xdotool and import) to run the program on";
  }
  Program program;
  ASSERT_TRUE(program.Started());
  const unsigned long window = FindWindow(kTitle, 30000);
  ASSERT_NE(window, 0u) << "no window titled " << kTitle;

  const Picture shown = WhenDrawn(window);
  ASSERT_EQ(shown.width, 100);
  ASSERT_EQ(shown.height, 100);
  // "Loading..." in the default font at the top left, on the light grey
  // of an empty back buffer.
  const HDC screen = GetDC(nullptr);
  SIZE text{};
  ASSERT_TRUE(GetTextExtentPoint32W(screen, L"Loading...", 10, &text));
  ReleaseDC(nullptr, screen);
  const int dark = shown.DarkIn(0, 0, 100, 100);
  EXPECT_EQ(shown.DarkIn(10, 10, 10 + text.cx + 1, 10 + text.cy), dark) << "all ink inside the text's box";
  EXPECT_GT(dark, 30);
  EXPECT_GT(shown.DarkIn(10, 10, 10 + text.cx / 4, 10 + text.cy), 5) << "the text begins at the left";
  EXPECT_GT(shown.DarkIn(10 + text.cx * 3 / 4, 10, 10 + text.cx + 1, 10 + text.cy), 0) << "and runs its length";
  EXPECT_EQ(shown.At(50, 70), 0xE1E1E1u);

  PressCloseBox(window);
  EXPECT_EQ(program.WaitForExit(30000), 0);
}

}  // namespace display_test
