// Ways a session ends other than the close box, with the real programs as
// child processes: SIGTERM, SIGINT and SIGHUP close the program as the close
// box does, saving the player's options and the game, and a display whose X
// server goes away, or a window that another client destroys, ends it
// promptly with a non-zero code, saved all the same.  Whichever way it ends,
// a file chooser it started goes with it.
#include "x_tools.h"

#include "tests/support/ChildProcess.h"

#include "app/ResourceManager.h"
#include "app/Users.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace display_test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kOptionsFile = "UserSettings0.xml";
constexpr const char* kStoredOptions =
    "<root version=\"1\"><options><autoPencilMarks value=\"false\" /></options><statistics /></root>";

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A settings folder with one player and that player's stored options, and,
// when asked, the English texts cached as an earlier run leaves them (so no
// language question comes up); no saved game.  Removed afterwards.
class Folder {
 public:
  explicit Folder(bool cachedTexts) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-ending-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    data_objects::users users;
    AddUser(users, L"Player 1");
    std::ofstream(path_ / "users.txt", std::ios::binary) << SerializeUsers(users);
    std::ofstream(path_ / kOptionsFile, std::ios::binary) << kStoredOptions;
    ready_ = !cachedTexts || LoadResourceStrings((path_ / "cached_resources.dat").wstring(),
                                                 TAVLIN_SOURCE_RESOURCES L"/resources.dat", L"en", 480, 640);
  }
  ~Folder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  bool Ready() const { return ready_; }
  const std::filesystem::path& Path() const { return path_; }
  std::string Read(const char* name) const { return ReadFile(path_ / name); }

  // What a shutdown leaves: the options written out in full, and a game.
  void ExpectSaved() const {
    ExpectOptionsSaved();
    const std::string game = Read("current_game.xml");
    EXPECT_NE(game.find("<cell "), std::string::npos) << "no game saved";
  }
  void ExpectOptionsSaved() const {
    const std::string options = Read(kOptionsFile);
    EXPECT_NE(options, kStoredOptions) << "the options were not saved";
    EXPECT_NE(options.find("autoPencilMarks"), std::string::npos) << options;
  }

 private:
  std::filesystem::path path_;
  bool ready_ = false;
};

using test_support::ChildProcess;
using test_support::WithoutLeakCheck;

// A program as a child process with this environment and the "NAME=value"
// entries of `add` in place of the variables they name, its stderr kept in
// a file; killed if a test leaves it running.  It starts with the signals in
// `ignored` ignored, as `nohup` starts it.
ChildProcess Start(const std::string& program, const std::vector<std::string>& add,
                   const std::vector<int>& ignored = {}) {
  std::vector<std::string> names;
  for (const std::string& variable : add) names.push_back(variable.substr(0, variable.find('=') + 1));
  test_support::ChildOptions options;
  options.ignoredSignals = ignored;
  return ChildProcess(program, test_support::EnvironmentWith(add, names), options);
}

// Whether the signal is in one of the sets /proc/<pid>/status shows
// ("SigCgt:" caught, "SigIgn:" ignored).
bool InSignalSet(const ChildProcess& child, const char* set, int signal) {
  std::istringstream status(ReadFile("/proc/" + std::to_string(child.Pid()) + "/status"));
  const std::string name = set;
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(name, 0) == 0) return (std::stoull(line.substr(name.size()), nullptr, 16) >> (signal - 1) & 1) != 0;
  }
  return false;
}

// Whether it has a handler of its own for SIGTERM, waiting up to
// `timeoutMs`: the program has got past its very first steps.
bool CatchesTerminationWithin(const ChildProcess& child, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    if (InSignalSet(child, "SigCgt:", SIGTERM)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (Clock::now() < deadline);
  return false;
}

// How soon a program must end, started WithoutLeakCheck: the program's own
// closing.
constexpr int kPromptMs = 3000;

}  // namespace

// Both programs, without a window, each signal: started at once in parallel,
// each given time to reach its game, then signalled.
TEST(SessionEnd, TerminationSignalsCloseBothProgramsAsTheCloseBoxDoesAndSave) {
  struct Case {
    const char* program;
    int signal;
  };
  const std::vector<Case> cases = {{TAVLIN_PROGRAM, SIGTERM},         {TAVLIN_PROGRAM, SIGINT},
                                   {TAVLIN_PROGRAM, SIGHUP},          {TAVLIN_HANDHELD_PROGRAM, SIGTERM},
                                   {TAVLIN_HANDHELD_PROGRAM, SIGINT}, {TAVLIN_HANDHELD_PROGRAM, SIGHUP}};
  std::vector<std::unique_ptr<Folder>> folders;
  std::vector<std::unique_ptr<ChildProcess>> children;
  for (const Case& c : cases) {
    folders.push_back(std::make_unique<Folder>(true));
    ASSERT_TRUE(folders.back()->Ready());
    children.push_back(std::make_unique<ChildProcess>(
        Start(c.program,
              {"TAVLIN_HEADLESS=1", "TAVLIN_SETTINGS_DIR=" + folders.back()->Path().string(), WithoutLeakCheck()})));
    ASSERT_TRUE(children.back()->Started());
  }
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(std::string(cases[i].program) + " signal " + std::to_string(cases[i].signal));
    ChildProcess& child = *children[i];
    // Past its first steps, and a little more, to be well inside its run.
    ASSERT_TRUE(CatchesTerminationWithin(child, 20000)) << "no handler of its own for SIGTERM";
    std::this_thread::sleep_for(std::chrono::milliseconds(i == 0 ? 3000 : 200));
    ASSERT_EQ(kill(child.Pid(), cases[i].signal), 0);
    EXPECT_EQ(child.WaitForExit(kPromptMs), 0) << child.Errors();
    folders[i]->ExpectSaved();
  }
}

// The first start's language question is a dialog's own loop: a signal ends
// it, and each step and loop after it, and the shutdown saves the options.
// The first puzzle, made while the program closes, is dropped at the
// generator's first report unless it was complete by then: the saved game,
// if any, is a whole one, with a solution for every cell.
TEST(SessionEnd, ATerminationSignalDuringTheLanguageQuestionClosesAndSaves) {
  const Folder folder(false);
  ASSERT_TRUE(folder.Ready());
  ChildProcess child =
      Start(TAVLIN_PROGRAM, {"TAVLIN_HEADLESS=1", "TAVLIN_SETTINGS_DIR=" + folder.Path().string(), WithoutLeakCheck()});
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(CatchesTerminationWithin(child, 20000)) << "no handler of its own for SIGTERM";
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  ASSERT_EQ(kill(child.Pid(), SIGTERM), 0);
  EXPECT_EQ(child.WaitForExit(kPromptMs), 0) << child.Errors();
  folder.ExpectOptionsSaved();
  const std::string game = folder.Read("current_game.xml");
  if (!game.empty()) {
    EXPECT_EQ(game.find("fixed_value=\"-1\""), std::string::npos) << "a cell without its solution";
    EXPECT_NE(game.find("titular_value=\"false\""), std::string::npos) << "no open cell";
  }
}

// Started with SIGHUP and SIGINT ignored, as `nohup` and a shell's
// background job start it, the program keeps them ignored and lives on when
// they come (the terminal closing); SIGTERM still closes it and saves.
TEST(SessionEnd, ASignalIgnoredAtTheStartStaysIgnoredAndTheOthersStillClose) {
  const Folder folder(true);
  ASSERT_TRUE(folder.Ready());
  ChildProcess child =
      Start(TAVLIN_PROGRAM, {"TAVLIN_HEADLESS=1", "TAVLIN_SETTINGS_DIR=" + folder.Path().string(), WithoutLeakCheck()},
            {SIGHUP, SIGINT});
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(CatchesTerminationWithin(child, 20000)) << child.Errors();
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  for (const int signal : {SIGHUP, SIGINT}) {
    EXPECT_TRUE(InSignalSet(child, "SigIgn:", signal)) << "signal " << signal;
    EXPECT_FALSE(InSignalSet(child, "SigCgt:", signal)) << "signal " << signal;
    ASSERT_EQ(kill(child.Pid(), signal), 0);
  }
  ASSERT_EQ(child.WaitForExit(kPromptMs), -1) << "ended by a signal it was started to ignore\n" << child.Errors();
  ASSERT_EQ(kill(child.Pid(), SIGTERM), 0);
  EXPECT_EQ(child.WaitForExit(kPromptMs), 0) << child.Errors();
  folder.ExpectSaved();
}

namespace {

// An X server of the test's own, stopped with the test unless the test
// stopped it first.  The server picks a free display number itself and names
// it once it takes connections, so that tests run side by side (other
// programs' too) never share a server or ask one that is not ready.  It does
// not reset when its last client leaves: a program connecting while it
// resets (after the test's own tools looked, or the program before ended)
// would find no display.
class OwnXServer {
 public:
  OwnXServer() {
    int ready[2];
    if (pipe(ready) != 0) return;
    char* argv[] = {const_cast<char*>("Xvfb"),      const_cast<char*>("-displayfd"),
                    const_cast<char*>("3"),         const_cast<char*>("-screen"),
                    const_cast<char*>("0"),         const_cast<char*>("1024x768x24"),
                    const_cast<char*>("-nolisten"), const_cast<char*>("tcp"),
                    const_cast<char*>("-noreset"),  nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    pid_t pid = 0;
    const bool spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    std::string number;
    pollfd named{ready[0], POLLIN, 0};
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (spawned && Clock::now() < deadline && (number.empty() || number.back() != '\n')) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      char c = 0;
      if (poll(&named, 1, static_cast<int>(std::max<long long>(left, 0))) <= 0 || read(ready[0], &c, 1) != 1) break;
      number += c;
    }
    close(ready[0]);
    if (!spawned) return;
    if (number.size() > 1 && number.back() == '\n') {
      pid_ = pid;
      display_ = ":" + number.substr(0, number.size() - 1);
    } else {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  ~OwnXServer() { Stop(); }
  bool Running() const { return pid_ > 0; }
  const std::string& Display() const { return display_; }
  void Stop() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = 0;
    }
  }

 private:
  pid_t pid_ = 0;
  std::string display_;
};

// The window of the program `pid` on `display` once it shows the game form
// (the tab bar's light colour under Options, where the splash is white), or
// 0 when that did not come within 30 s.  The window may have any size (the
// handheld fills the screen): the layouts scale from 480 by 640.
unsigned long GameWindowOn(const std::string& display, pid_t pid) {
  const std::string on = "DISPLAY=" + display + " ";
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  do {
    std::istringstream found(Run(on + "xdotool search --pid " + std::to_string(pid) + " 2>/dev/null"));
    unsigned long window = 0;
    if (found >> window) {
      const std::string id = std::to_string(window);
      std::istringstream geometry(Run(on + "xdotool getwindowgeometry --shell " + id + " 2>/dev/null"));
      int width = 0;
      int height = 0;
      for (std::string line; std::getline(geometry, line);) {
        if (line.rfind("WIDTH=", 0) == 0) width = std::atoi(line.c_str() + 6);
        if (line.rfind("HEIGHT=", 0) == 0) height = std::atoi(line.c_str() + 7);
      }
      const std::string ppm = Run(on + "import -window " + id + " -crop 1x1+" + std::to_string(width * 400 / 480) +
                                  "+" + std::to_string(height * 620 / 640) + " -depth 8 ppm:- 2>/dev/null");
      // The last three bytes are the pixel's red, green and blue.
      if (width > 0 && ppm.size() >= 3) {
        const auto r = static_cast<unsigned char>(ppm[ppm.size() - 3]);
        const auto g = static_cast<unsigned char>(ppm[ppm.size() - 2]);
        const auto b = static_cast<unsigned char>(ppm[ppm.size() - 1]);
        const bool light = r >= 128 && g >= 128 && b >= 128;
        const bool white = r == 255 && g == 255 && b == 255;
        const bool fresh = r == 225 && g == 225 && b == 225;
        if (light && !white && !fresh) return window;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (Clock::now() < deadline);
  return 0;
}

// A window manager (openbox) on `display`, ended with the object; Running()
// once it has taken the display over.
class WindowManager {
 public:
  explicit WindowManager(const std::string& display) {
    std::string path = Run("command -v openbox");
    while (!path.empty() && path.back() == '\n') path.pop_back();
    manager_ = std::make_unique<ChildProcess>(Start(path, {"DISPLAY=" + display}));
    for (int attempt = 0; attempt < 100 && !running_; ++attempt) {
      running_ = WindowManagerRuns(display);
      if (!running_) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  bool Running() const { return running_; }

 private:
  std::unique_ptr<ChildProcess> manager_;
  bool running_ = false;
};

}  // namespace

TEST(SessionEnd, ALostDisplaySavesSaysSoAndEndsPromptlyWithAFailure) {
  if (!HaveTools() || std::system("command -v Xvfb >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "no Xvfb, xdotool or import";
  }
  OwnXServer server;
  ASSERT_TRUE(server.Running()) << "no free display number for an X server of the test's own";
  const Folder folder(true);
  ASSERT_TRUE(folder.Ready());
  ChildProcess child =
      Start(TAVLIN_PROGRAM, {"DISPLAY=" + server.Display(), "TAVLIN_SETTINGS_DIR=" + folder.Path().string()});
  ASSERT_TRUE(child.Started());
  ASSERT_NE(GameWindowOn(server.Display(), child.Pid()), 0u) << child.Errors();

  server.Stop();
  const int status = child.WaitForExit(kPromptMs);
  EXPECT_NE(status, -1) << "still running after the display went";
  EXPECT_NE(status, 0);
  EXPECT_LT(status, 128) << "ended by a signal";
  const std::string errors = child.Errors();
  EXPECT_NE(errors.find("tavlin: lost the connection to the display;"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("X Error"), std::string::npos) << errors;
  folder.ExpectSaved();
}

// Any X client can destroy another's window (`xdotool windowclose`).  The
// program must not go on without it, nor take it down once more through SDL,
// which could wait for ever: it saves, says so and ends promptly with a
// failure.  Both programs, twice each, on a bare X server and under a window
// manager (where the teardown hung in about one run of three).
TEST(SessionEnd, AWindowDestroyedByAnotherClientSavesSaysSoAndEndsPromptlyWithAFailure) {
  if (!HaveTools() || std::system("command -v Xvfb >/dev/null 2>&1 && command -v openbox >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "no Xvfb, openbox, xdotool or import";
  }
  struct Case {
    const char* program;
    const char* name;
  };
  const std::vector<Case> cases = {{TAVLIN_PROGRAM, "tavlin"},
                                   {TAVLIN_HANDHELD_PROGRAM, "tavlin_handheld"},
                                   {TAVLIN_PROGRAM, "tavlin"},
                                   {TAVLIN_HANDHELD_PROGRAM, "tavlin_handheld"}};
  for (const bool managed : {false, true}) {
    SCOPED_TRACE(managed ? "under openbox" : "without a window manager");
    OwnXServer server;
    ASSERT_TRUE(server.Running()) << "no free display number for an X server of the test's own";
    std::unique_ptr<WindowManager> manager;
    if (managed) {
      manager = std::make_unique<WindowManager>(server.Display());
      ASSERT_TRUE(manager->Running()) << "openbox did not take the display";
    }
    // One at a time: the handheld fills the screen, and a window's picture
    // shows what lies over it.
    for (std::size_t i = 0; i < cases.size(); ++i) {
      SCOPED_TRACE(std::string(cases[i].name) + ", run " + std::to_string(i));
      const Folder folder(true);
      ASSERT_TRUE(folder.Ready());
      ChildProcess child =
          Start(cases[i].program,
                {"DISPLAY=" + server.Display(), "TAVLIN_SETTINGS_DIR=" + folder.Path().string(), WithoutLeakCheck()});
      ASSERT_TRUE(child.Started());
      const unsigned long window = GameWindowOn(server.Display(), child.Pid());
      ASSERT_NE(window, 0u) << child.Errors();
      display_test::Run("DISPLAY=" + server.Display() + " xdotool windowclose " + std::to_string(window) + " 2>&1");
      const int status = child.WaitForExit(kPromptMs);
      EXPECT_NE(status, -1) << "still running after its window went";
      EXPECT_NE(status, 0);
      EXPECT_LT(status, 128) << "ended by a signal";
      const std::string errors = child.Errors();
      EXPECT_NE(errors.find(std::string(cases[i].name) + ": its window was closed from outside; saving and ending"),
                std::string::npos)
          << errors;
      EXPECT_EQ(errors.find("X Error"), std::string::npos) << errors;
      folder.ExpectSaved();
    }
  }
}

namespace {

// A stand-in for the file chooser, first on a PATH of its own: a script of
// the chooser's name that ignores SIGTERM, as a hung chooser would, writes
// its pid and then waits for ever with its output open.  Killed with the
// test if it is still there.
class StubbornChooser {
 public:
  StubbornChooser() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlin-chooser-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    std::ofstream(folder_ / "zenity") << "#!/bin/sh\ntrap '' TERM\necho $$ > '" << (folder_ / "pid").string()
                                      << "'\nexec /bin/sleep 600\n";
    std::filesystem::permissions(folder_ / "zenity", std::filesystem::perms::owner_all);
  }
  ~StubbornChooser() {
    if (Running()) kill(pid_, SIGKILL);
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  StubbornChooser(const StubbornChooser&) = delete;
  StubbornChooser& operator=(const StubbornChooser&) = delete;

  bool Ready() const { return !folder_.empty(); }
  std::string PathVariable() const { return "PATH=" + folder_.string(); }

  // Whether it was started within `timeoutMs`.
  bool StartedWithin(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (pid_ <= 0 && Clock::now() < deadline) {
      std::ifstream(folder_ / "pid") >> pid_;
      if (pid_ <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return pid_ > 0;
  }

  // Whether it still runs (a zombie has ended).
  bool Running() const {
    if (pid_ <= 0) return false;
    const std::string stat = ReadFile("/proc/" + std::to_string(pid_) + "/stat");
    const std::size_t name = stat.rfind(')');
    return name != std::string::npos && name + 2 < stat.size() && stat[name + 2] != 'Z';
  }

 private:
  std::filesystem::path folder_;
  pid_t pid_ = 0;
};

}  // namespace

// The file chooser is a program of its own, which ours started: however ours
// ends while it is up, the chooser goes with it rather than stay on the
// screen with nobody to answer it, even one that ignores SIGTERM.
TEST(SessionEnd, EveryWayTheProgramEndsEndsTheChooserItStarted) {
  if (!HaveTools() || std::system("command -v Xvfb >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "no Xvfb, xdotool or import";
  }
  enum class End { signal, windowClosed, displayLost };
  struct Case {
    const char* what;
    End end;
    int status;
  };
  const Case cases[] = {
      {"SIGTERM", End::signal, 0},
      {"its window destroyed by another client", End::windowClosed, 1},
      {"the display lost", End::displayLost, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OwnXServer server;
    ASSERT_TRUE(server.Running()) << "no free display number for an X server of the test's own";
    const Folder folder(true);
    ASSERT_TRUE(folder.Ready());
    StubbornChooser chooser;
    ASSERT_TRUE(chooser.Ready());
    ChildProcess child =
        Start(TAVLIN_PROGRAM, {"DISPLAY=" + server.Display(), "TAVLIN_SETTINGS_DIR=" + folder.Path().string(),
                               chooser.PathVariable(), WithoutLeakCheck()});
    ASSERT_TRUE(child.Started());
    const unsigned long window = GameWindowOn(server.Display(), child.Pid());
    ASSERT_NE(window, 0u) << child.Errors();
    // Menu, then Open… in the menu.
    const std::string on = "DISPLAY=" + server.Display() + " xdotool mousemove --window " + std::to_string(window);
    display_test::Run(on + " 80 618 sleep 0.2 click 1 sleep 0.8 2>&1");
    display_test::Run(on + " 240 248 sleep 0.2 click 1 2>&1");
    ASSERT_TRUE(chooser.StartedWithin(10000)) << "no chooser\n" << child.Errors();

    switch (c.end) {
      case End::signal: ASSERT_EQ(kill(child.Pid(), SIGTERM), 0); break;
      case End::windowClosed:
        display_test::Run("DISPLAY=" + server.Display() + " xdotool windowclose " + std::to_string(window) + " 2>&1");
        break;
      case End::displayLost: server.Stop(); break;
    }
    const int status = child.WaitForExit(kPromptMs);
    EXPECT_EQ(status, c.status) << child.Errors();
    EXPECT_FALSE(chooser.Running()) << "the chooser outlived the program";
    folder.ExpectSaved();
  }
}

// The first start's language question is a dialog with a loop of its own,
// up before there is a game to save: the program ends from there too, rather
// than going on with no window.
TEST(SessionEnd, AWindowDestroyedByAnotherClientDuringTheLanguageQuestionEndsTheProgram) {
  if (!HaveTools() || std::system("command -v Xvfb >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "no Xvfb, xdotool or import";
  }
  OwnXServer server;
  ASSERT_TRUE(server.Running()) << "no free display number for an X server of the test's own";
  const Folder folder(false);
  ASSERT_TRUE(folder.Ready());
  ChildProcess child = Start(TAVLIN_PROGRAM, {"DISPLAY=" + server.Display(),
                                              "TAVLIN_SETTINGS_DIR=" + folder.Path().string(), WithoutLeakCheck()});
  ASSERT_TRUE(child.Started());
  // The question's dialog: its pale yellow-green where the splash behind it
  // is white, left and right of its middle.
  const auto pale = [&](unsigned long window, int x, int y) {
    const std::string ppm =
        display_test::Run("DISPLAY=" + server.Display() + " import -window " + std::to_string(window) + " -crop 1x1+" +
                          std::to_string(x) + "+" + std::to_string(y) + " -depth 8 ppm:- 2>/dev/null");
    return ppm.size() >= 3 && static_cast<unsigned char>(ppm[ppm.size() - 3]) > 200 &&
           static_cast<unsigned char>(ppm[ppm.size() - 2]) > 200 &&
           static_cast<unsigned char>(ppm[ppm.size() - 1]) < 200;
  };
  unsigned long window = 0;
  bool asked = false;
  for (const auto deadline = Clock::now() + std::chrono::seconds(30); !asked && Clock::now() < deadline;) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::istringstream found(display_test::Run("DISPLAY=" + server.Display() + " xdotool search --pid " +
                                               std::to_string(child.Pid()) + " 2>/dev/null"));
    asked = (found >> window) && pale(window, 78, 236) && pale(window, 378, 236);
  }
  ASSERT_TRUE(asked) << child.Errors();
  display_test::Run("DISPLAY=" + server.Display() + " xdotool windowclose " + std::to_string(window) + " 2>&1");
  const int status = child.WaitForExit(kPromptMs);
  EXPECT_NE(status, -1) << "still running after its window went";
  EXPECT_NE(status, 0);
  EXPECT_LT(status, 128) << "ended by a signal";
  EXPECT_NE(child.Errors().find("tavlin: its window was closed from outside;"), std::string::npos) << child.Errors();
}

namespace {

// A display of the test's own in front of an X server: it relays each
// connection's bytes both ways, until it is armed; from then on the first
// request a program sends cuts every connection, as a server that went away
// just before whatever the program asked next.  The events SDL sends its
// own windows to wake its event wait (from another thread, on a connection
// of their own) still pass: they are how a signal reaches the loop, not
// something the program asks of the display.
class XRelay {
 public:
  explicit XRelay(const std::string& serverDisplay) : server_("/tmp/.X11-unix/X" + serverDisplay.substr(1)) {
    for (int number = 140; number < 200 && listening_ < 0; ++number) {
      const std::string socketPath = "/tmp/.X11-unix/X" + std::to_string(number);
      const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
      if (std::filesystem::exists(socketPath)) continue;
      // Claimed as an X server claims its number, so that no server starts
      // on it meanwhile.
      const int claim = open(lock.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0444);
      if (claim < 0) continue;
      const std::string pid = std::to_string(getpid()) + "\n";
      const bool claimed = write(claim, pid.data(), pid.size()) == static_cast<ssize_t>(pid.size());
      close(claim);
      const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
      const sockaddr_un address = Address(socketPath);
      if (!claimed || bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
          listen(fd, 8) != 0) {
        close(fd);
        unlink(lock.c_str());
        continue;
      }
      listening_ = fd;
      socket_ = socketPath;
      lock_ = lock;
      display_ = ":" + std::to_string(number);
    }
    if (listening_ >= 0 && pipe2(stop_, O_CLOEXEC) == 0) thread_ = std::thread([this] { Relay(); });
  }
  ~XRelay() {
    if (thread_.joinable()) {
      const char byte = 0;
      if (write(stop_[1], &byte, 1) == 1)
        thread_.join();
      else
        thread_.detach();
    }
    for (int fd : {stop_[0], stop_[1], listening_})
      if (fd >= 0) close(fd);
    if (!socket_.empty()) unlink(socket_.c_str());
    if (!lock_.empty()) unlink(lock_.c_str());
  }
  XRelay(const XRelay&) = delete;
  XRelay& operator=(const XRelay&) = delete;

  bool Running() const { return thread_.joinable(); }
  const std::string& Display() const { return display_; }
  void Arm() { armed_ = true; }
  bool Cut() const { return cut_; }

 private:
  static sockaddr_un Address(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    return address;
  }

  // Pairs of (program's end, server's end).
  void Relay() {
    std::vector<std::pair<int, int>> pairs;
    const auto closeAll = [&pairs] {
      for (const auto& [program, server] : pairs) {
        close(program);
        close(server);
      }
      pairs.clear();
    };
    for (;;) {
      std::vector<pollfd> watched{{stop_[0], POLLIN, 0}, {listening_, POLLIN, 0}};
      for (const auto& [program, server] : pairs) {
        watched.push_back({program, POLLIN, 0});
        watched.push_back({server, POLLIN, 0});
      }
      if (poll(watched.data(), watched.size(), -1) <= 0) continue;
      if (watched[0].revents != 0) break;
      if (watched[1].revents != 0) {
        const int program = accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
        const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_un address = Address(server_);
        if (program >= 0 && connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
          pairs.emplace_back(program, server);
        } else {
          if (program >= 0) close(program);
          close(server);
        }
        continue;
      }
      for (std::size_t i = 2; i < watched.size(); ++i) {
        if (watched[i].revents == 0) continue;
        const bool fromProgram = i % 2 == 0;
        const auto& pair = pairs[(i - 2) / 2];
        unsigned char buffer[65536];
        const ssize_t got = read(watched[i].fd, buffer, sizeof buffer);
        if (got > 0 && fromProgram && armed_ && !OnlyWakeUps(buffer, static_cast<std::size_t>(got))) {
          cut_ = true;
          closeAll();
          break;
        }
        const int to = fromProgram ? pair.second : pair.first;
        if (got <= 0 || !WriteAll(to, buffer, static_cast<std::size_t>(got))) {
          close(pair.first);
          close(pair.second);
          pairs.erase(pairs.begin() + static_cast<std::ptrdiff_t>((i - 2) / 2));
          break;
        }
      }
    }
    closeAll();
  }

  // Whether the bytes are whole SendEvent requests (major opcode 25) and
  // nothing else, in the byte order of the machine the program runs on.
  static bool OnlyWakeUps(const unsigned char* bytes, std::size_t count) {
    constexpr unsigned char kSendEvent = 25;
    std::size_t at = 0;
    while (at + 4 <= count) {
      const std::size_t length = 4u * static_cast<std::size_t>(bytes[at + 2] | bytes[at + 3] << 8);
      if (bytes[at] != kSendEvent || length == 0) return false;
      at += length;
    }
    return at == count;
  }

  static bool WriteAll(int fd, const unsigned char* bytes, std::size_t count) {
    while (count > 0) {
      const ssize_t put = send(fd, bytes, count, MSG_NOSIGNAL);
      if (put <= 0) return false;
      bytes += put;
      count -= static_cast<std::size_t>(put);
    }
    return true;
  }

  std::string server_;
  std::string socket_;
  std::string lock_;
  std::string display_;
  int listening_ = -1;
  int stop_[2] = {-1, -1};
  std::atomic<bool> armed_{false};
  std::atomic<bool> cut_{false};
  std::thread thread_;
};

}  // namespace

// A logout: the session manager asks the program to close and the display
// goes while it does.  The handheld's game form gives the screen saver back
// as it goes; by the time the shutdown first asks anything of the display,
// the options and the game are written.
TEST(SessionEnd, ADisplayLostDuringTheShutdownFindsTheGameSaved) {
  if (!HaveTools() || std::system("command -v Xvfb >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "no Xvfb, xdotool or import";
  }
  OwnXServer server;
  ASSERT_TRUE(server.Running()) << "no free display number for an X server of the test's own";
  XRelay relay(server.Display());
  ASSERT_TRUE(relay.Running()) << "no free display number for the relay";
  const Folder folder(true);
  ASSERT_TRUE(folder.Ready());
  ChildProcess child =
      Start(TAVLIN_HANDHELD_PROGRAM, {"DISPLAY=" + relay.Display(), "TAVLIN_HANDHELD_SCREEN=480x640",
                                      "TAVLIN_SETTINGS_DIR=" + folder.Path().string(), WithoutLeakCheck()});
  ASSERT_TRUE(child.Started());
  ASSERT_NE(GameWindowOn(server.Display(), child.Pid()), 0u) << child.Errors();

  relay.Arm();
  ASSERT_EQ(kill(child.Pid(), SIGTERM), 0);
  const int status = child.WaitForExit(kPromptMs);
  EXPECT_TRUE(relay.Cut()) << "the program closed without asking anything of the display";
  EXPECT_EQ(status, 1) << child.Errors();
  const std::string errors = child.Errors();
  EXPECT_NE(errors.find("tavlin_handheld: lost the connection to the display;"), std::string::npos) << errors;
  folder.ExpectSaved();
}

}  // namespace display_test
