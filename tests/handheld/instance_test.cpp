// One handheld per user and settings folder.  A real second start of the
// program finds the first (this test, holding the lock as the program's
// InitInstance does), asks it to raise its window and ends at once with 0,
// having written nothing.  A first instance that died never blocks the next
// start, and instances with other settings folders run side by side.
#include "tests/handheld/headless_handheld.h"

#include "base/PathBytes.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace handheld_test {
namespace {

namespace device = winapi::device;
namespace fs = std::filesystem;

struct TempFolder {
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tavlin-handheld-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  std::wstring Scope() const { return PathFromBytes(path.string()) + L"/"; }
  fs::path path;
};

// The program's exit code, or -1 when it did not end within `limit` (it is
// killed then).
int RunProgram(const std::vector<std::string>& variables, std::chrono::seconds limit, const fs::path& errors) {
  std::vector<std::string> environment = variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    if (variable.rfind("TAVLIN_", 0) != 0) environment.push_back(variable);
  }
  std::vector<char*> env;
  for (std::string& variable : environment) env.push_back(variable.data());
  env.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  char* argv[] = {const_cast<char*>(TAVLIN_HANDHELD_PROGRAM), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, TAVLIN_HANDHELD_PROGRAM, &actions, nullptr, argv, env.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HandheldInstance, ASecondStartRaisesTheFirstAndEndsHavingMadeNothing) {
  TempFolder settings;
  TempFolder other;
  ASSERT_FALSE(settings.path.empty());
  HeadlessHandheld first(1000, SIZE{240, 320}, settings.Scope());
  ASSERT_TRUE(device::HoldsInstanceLock());

  const fs::path errors = other.path / "stderr.txt";
  const int code = RunProgram({"TAVLIN_HEADLESS=1", "TAVLIN_SETTINGS_DIR=" + settings.path.string(),
                               "TAVLIN_RESOURCES_DIR=" + other.path.string()},
                              std::chrono::seconds(20), errors);
  EXPECT_EQ(code, 0) << "ended at once, with 0";
  EXPECT_TRUE(fs::is_empty(settings.path)) << "no file in the settings folder";
  EXPECT_EQ(fs::file_size(errors), 0u) << "nothing to say";

  // The request waits on the socket until the first one's timer reads it.
  std::size_t answered = 0;
  for (int tries = 0; tries < 100 && answered == 0; ++tries) {
    PaintTimerProc(first.main(), WM_TIMER, handheld::paint_timer_id, 0);
    answered = device::RaisesAnswered();
    if (answered == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(answered, 1u);
  EXPECT_EQ(device::WindowsRaised(), 1u) << "its main window";
}

// Run in a child process: claims the lock for `scope` and tells the parent,
// then waits to be killed.
[[noreturn]] void HoldLockUntilKilled(const std::wstring& scope, int tell) {
  device::SetInstanceScope(scope);
  const bool claimed =
      FindWindowW(handheld::main_window_class, handheld::main_window_title) == nullptr && device::HoldsInstanceLock();
  const char said = claimed ? 'y' : 'n';
  if (write(tell, &said, 1) != 1) _exit(2);
  for (;;) pause();
}

TEST(HandheldInstance, ALockDiesWithItsProcessAndIsPerSettingsFolder) {
  winapi::headless::Reset();
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const std::wstring scope = L"handheld-test-dead-" + std::to_wstring(getpid());
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) HoldLockUntilKilled(scope, pipeEnds[1]);
  char said = 0;
  ASSERT_EQ(read(pipeEnds[0], &said, 1), 1);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  ASSERT_EQ(said, 'y') << "the child holds the lock";

  device::SetInstanceScope(scope);
  const HWND found = FindWindowW(handheld::main_window_class, handheld::main_window_title);
  EXPECT_NE(found, nullptr) << "the other instance is found";
  EXPECT_FALSE(IsWindow(found)) << "and is no window of ours";
  EXPECT_FALSE(device::HoldsInstanceLock());

  winapi::headless::Reset();
  device::SetInstanceScope(scope + L"-elsewhere");
  EXPECT_EQ(FindWindowW(handheld::main_window_class, handheld::main_window_title), nullptr)
      << "another settings folder runs its own instance";
  EXPECT_TRUE(device::HoldsInstanceLock());

  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  winapi::headless::Reset();
  device::SetInstanceScope(scope);
  EXPECT_EQ(FindWindowW(handheld::main_window_class, handheld::main_window_title), nullptr)
      << "the killed instance left nothing behind";
  EXPECT_TRUE(device::HoldsInstanceLock());
  winapi::headless::Reset();
}

// Not about instances, but a real start too: one that cannot load any
// layout (a damaged resource file, no cached copy) names the file in its
// fatal-error box and ends with a failure status.
TEST(HandheldInstance, AStartWithADamagedResourceFileNamesItAndEndsWithAFailure) {
  TempFolder settings;
  TempFolder resources;
  ASSERT_FALSE(settings.path.empty());
  ASSERT_FALSE(resources.path.empty());
  std::ifstream in(TAVLIN_SOURCE_RESOURCES "/resources.dat", std::ios::binary);
  const std::string full{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(full.size(), 1000u);
  const fs::path file = resources.path / "resources.dat";
  std::ofstream(file, std::ios::binary) << full.substr(0, full.size() / 2);

  const fs::path errors = settings.path / "stderr.txt";
  const int code = RunProgram({"TAVLIN_HEADLESS=1", "TAVLIN_SETTINGS_DIR=" + settings.path.string(),
                               "TAVLIN_RESOURCES_DIR=" + resources.path.string()},
                              std::chrono::seconds(30), errors);
  EXPECT_NE(code, -1) << "ended";
  EXPECT_NE(code, 0);
  std::ifstream said(errors, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(said), std::istreambuf_iterator<char>()};
  EXPECT_NE(text.find("The game cannot start: its resource file is damaged.\n\nLooked for:\n" + file.string()),
            std::string::npos)
      << text;
}

// The same for the art: with the resource file whole but an art file
// missing or damaged, the box names that file and the start fails.
TEST(HandheldInstance, AStartWithoutUsableArtNamesTheFileAndEndsWithAFailure) {
  struct Case {
    const char* name;
    const char* file;
    bool cut;  // cut in half, or else removed
    const char* said;
  };
  const Case cases[] = {
      {"the glyphs cut in half", "glyphs.dat", true, "is damaged"},
      {"the value symbols missing", "titular_digits.dat", false, "is missing"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder settings;
    TempFolder resources;
    ASSERT_FALSE(settings.path.empty());
    ASSERT_FALSE(resources.path.empty());
    for (const char* name : {"resources.dat", "glyphs.dat", "titular_digits.dat"})
      fs::copy_file(fs::path(TAVLIN_SOURCE_RESOURCES) / name, resources.path / name);
    const fs::path file = resources.path / c.file;
    std::ifstream in(file, std::ios::binary);
    const std::string full{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    fs::remove(file);
    if (c.cut) std::ofstream(file, std::ios::binary) << full.substr(0, full.size() / 2);

    const fs::path errors = settings.path / "stderr.txt";
    const int code = RunProgram({"TAVLIN_HEADLESS=1", "TAVLIN_SETTINGS_DIR=" + settings.path.string(),
                                 "TAVLIN_RESOURCES_DIR=" + resources.path.string()},
                                std::chrono::seconds(30), errors);
    EXPECT_EQ(code, 1);
    std::ifstream said(errors, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(said), std::istreambuf_iterator<char>()};
    EXPECT_NE(
        text.find(std::string("The game cannot start: its art file ") + c.said + ".\n\nLooked for:\n" + file.string()),
        std::string::npos)
        << text;
  }
}

}  // namespace
}  // namespace handheld_test
