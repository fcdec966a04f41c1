// The file chooser through zenity: the arguments it is given, how its
// output and exit status are read, and one run of a stand-in `zenity` put
// first on PATH (no real zenity needed) for the spawning and waiting.
#include "winapi/sdl/zenity.h"

#include "winapi/close_signals.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using winapi::FileDialogRequest;
using winapi::FileDialogResult;
using winapi::sdl::RunZenity;
using winapi::sdl::ZenityArguments;
using winapi::sdl::ZenityPattern;
using winapi::sdl::ZenityResult;
using Outcome = FileDialogResult::Outcome;
using Arguments = std::vector<std::string>;

namespace {

FileDialogRequest GameRequest(bool save) {
  FileDialogRequest request;
  request.save = save;
  request.title = save ? L"Save As" : L"Open";
  request.filters = {{L"All", {L"*.*"}}, {L"Text", {L"*.TXT"}}};
  return request;
}

}  // namespace

TEST(ZenityArguments, OpenSaveTitleSuggestionAndFilterOrder) {
  FileDialogRequest save = GameRequest(true);
  save.title = L"Save \"my\" grid";
  save.filterIndex = 1;
  save.initialPath = L"/home/ann/my 'best' $HOME \u00e9\u4e2d.txt";
  FileDialogRequest odd = GameRequest(false);
  odd.filters = {{L"A|B", {L"*.a", L"my grid*.b"}}};
  odd.filterIndex = 0;
  struct Case {
    const char* what;
    FileDialogRequest request;
    Arguments arguments;
  };
  const Case cases[] = {
      {"open",
       GameRequest(false),
       {"--file-selection", "--title=Open", "--file-filter=All | *", "--file-filter=Text | *.[tT][xX][tT]"}},
      {"save",
       save,
       {"--file-selection", "--title=Save \"my\" grid", "--save", "--confirm-overwrite",
        "--filename=/home/ann/my 'best' $HOME \xC3\xA9\xE4\xB8\xAD.txt", "--file-filter=Text | *.[tT][xX][tT]",
        "--file-filter=All | *"}},
      {"separators in names and patterns",
       odd,
       {"--file-selection", "--title=Open", "--file-filter=A/B | *.[aA] [mM][yY]?[gG][rR][iI][dD]*.[bB]"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ZenityArguments(c.request), c.arguments);
  }
}

TEST(ZenityPattern, LettersMatchEitherCase) {
  const std::pair<const wchar_t*, const char*> cases[] = {
      {L"*.*", "*"},
      {L"*", "*"},
      {L"*.TXT", "*.[tT][xX][tT]"},
      {L"grid?.[Tt]xt", "[gG][rR][iI][dD]?.[Tt][xX][tT]"},  // a set the pattern has stays as it is
      {L"*.1", "*.1"},
  };
  for (const auto& [pattern, expected] : cases) {
    EXPECT_EQ(ZenityPattern(pattern), expected) << expected;
  }
}

TEST(ZenityResult, ExitStatusAndOutput) {
  struct Case {
    const char* what;
    int exitCode;
    std::string output;
    Outcome outcome;
    std::wstring path;
    DWORD error;
  };
  const Case cases[] = {
      {"chosen", 0, "/home/ann/my \"grid\" 1.txt\n", Outcome::chosen, L"/home/ann/my \"grid\" 1.txt", 0},
      {"UTF-8", 0, "/tmp/\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80.txt\n", Outcome::chosen,
       L"/tmp/\u00e9t\u00e9 \U0001F600.txt", 0},
      {"a name ending in a line end", 0, "/tmp/x\n\n", Outcome::chosen, L"/tmp/x\n", 0},
      {"no line end", 0, "/tmp/x", Outcome::chosen, L"/tmp/x", 0},
      {"cancelled", 1, "", Outcome::cancelled, L"", 0},
      {"nothing chosen", 0, "\n", Outcome::cancelled, L"", 0},
      {"timeout", 5, "", Outcome::failed, L"", CDERR_DIALOGFAILURE},
      {"error", 255, "", Outcome::failed, L"", CDERR_DIALOGFAILURE},
      {"killed", -1, "/tmp/half", Outcome::failed, L"", CDERR_DIALOGFAILURE},
      {"not UTF-8", 0, "/tmp/\xFF\xFE.txt\n", Outcome::failed, L"", FNERR_INVALIDFILENAME},
      {"a NUL", 0, std::string("/tmp/a\0b\n", 9), Outcome::failed, L"", FNERR_INVALIDFILENAME},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const FileDialogResult result = ZenityResult(c.exitCode, c.output);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.path, c.path);
    EXPECT_EQ(result.error, c.error);
  }
}

namespace {

// A folder first on PATH holding a stand-in `zenity`: it writes the
// arguments it got, NUL-separated, to "arguments", waits "delay" seconds,
// prints "answer" and exits with "status".
class FakeZenityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / ("fake_zenity_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const char* path = std::getenv("PATH");
    savedPath = path != nullptr ? path : "";
    setenv("PATH", (folder.string() + ":" + savedPath).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", savedPath.c_str(), 1);
    std::filesystem::remove_all(folder);
    winapi::core::ForgetTerminationRequest();  // the next case starts without one
  }

  // A stand-in zenity that runs `body`, a shell script.
  void InstallScript(const std::string& body) {
    const std::filesystem::path script = folder / "zenity";
    std::ofstream(script) << "#!/bin/sh\n" << body;
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  }

  void Install(const std::string& answer, int status, const char* delay = "0") {
    InstallScript(
        "PATH=/usr/bin:/bin\n"
        "here=$(dirname \"$0\")\n"
        "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$here/arguments\"\n"
        "sleep \"$(cat \"$here/delay\")\"\n"
        "cat \"$here/answer\"\n"
        "exit \"$(cat \"$here/status\")\"\n");
    std::ofstream(folder / "answer", std::ios::binary) << answer;
    std::ofstream(folder / "status") << status;
    std::ofstream(folder / "delay") << delay;
  }

  Arguments ArgumentsGiven() const {
    std::ifstream in(folder / "arguments", std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Arguments arguments;
    std::size_t start = 0;
    for (std::size_t end = all.find('\0'); end != std::string::npos; end = all.find('\0', start)) {
      arguments.push_back(all.substr(start, end - start));
      start = end + 1;
    }
    return arguments;
  }

  // A stand-in that writes its pid to "pid" and then sleeps with its output
  // open, as a chooser waiting for the player; one that `ignoresTerm` does
  // so with SIGTERM ignored, as a hung chooser would.
  void InstallSleeper(bool ignoresTerm) {
    InstallScript(std::string(ignoresTerm ? "trap '' TERM\n" : "") +
                  "echo $$ > \"$(dirname \"$0\")/pid\"\n"
                  "exec /bin/sleep 30\n");
    std::filesystem::remove(folder / "pid");
  }

  // The sleeper's pid once it has written it (and set its trap), else 0.
  pid_t SleeperPid() const {
    pid_t pid = 0;
    std::ifstream(folder / "pid") >> pid;
    return pid;
  }

  std::filesystem::path folder;
  std::string savedPath;
};

// Whether the process is gone and reaped (a zombie still answers kill).
bool Gone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

// Kills the process at the end of a test that left it running.
struct KillLeftOver {
  ~KillLeftOver() {
    if (pid > 0 && !Gone(pid)) kill(pid, SIGKILL);
  }
  pid_t pid = 0;
};

}  // namespace

TEST_F(FakeZenityTest, ThePathComesBackAndTheArgumentsArriveUnchanged) {
  FileDialogRequest request = GameRequest(true);
  request.initialPath = L"/home/ann/\"quoted\" 'and' `ticks` $(rm -rf x) \u00e9.txt";
  Install("/home/ann/saved \"grid\" \xC3\xA9.txt\n", 0);
  const auto result = RunZenity(request, nullptr);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->outcome, Outcome::chosen);
  EXPECT_EQ(result->path, L"/home/ann/saved \"grid\" \u00e9.txt");
  EXPECT_EQ(ArgumentsGiven(), ZenityArguments(request));
}

TEST_F(FakeZenityTest, ExitStatusesAndASlowChooser) {
  struct Case {
    const char* what;
    int status;
    const char* delay;
    Outcome outcome;
    DWORD error;
  };
  const Case cases[] = {
      {"cancelled", 1, "0", Outcome::cancelled, 0},
      {"failed", 3, "0", Outcome::failed, CDERR_DIALOGFAILURE},
      {"slow", 0, "0.4", Outcome::chosen, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Install(c.outcome == Outcome::chosen ? "/tmp/a.txt\n" : "", c.status, c.delay);
    int waits = 0;
    const auto result = RunZenity(GameRequest(false), [&] { ++waits; });
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->outcome, c.outcome);
    EXPECT_EQ(result->error, c.error);
    if (c.delay != std::string("0")) {
      EXPECT_GE(waits, 2) << "the caller keeps its windows drawn while it waits";
    }
  }
}

// zenity's end, not the end of its output, ends the wait: something it
// started may hold the output open long after the player chose.
TEST_F(FakeZenityTest, TheAnswerComesWhenZenityEndsThoughWhatItStartedHoldsItsOutput) {
  InstallScript(
      "here=$(dirname \"$0\")\n"
      "/bin/sleep 30 2>/dev/null &\n"
      "echo $! > \"$here/sleeper\"\n"
      "echo /tmp/chosen.txt\n");
  KillLeftOver sleeper;
  const auto start = std::chrono::steady_clock::now();
  const auto result = RunZenity(GameRequest(false), nullptr);
  const auto took = std::chrono::steady_clock::now() - start;
  std::ifstream(folder / "sleeper") >> sleeper.pid;
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->outcome, Outcome::chosen);
  EXPECT_EQ(result->path, L"/tmp/chosen.txt");
  EXPECT_LT(took, std::chrono::seconds(5)) << "waited for what zenity started";
}

// A signal that asks the program to close while zenity is up: zenity gets
// SIGTERM and the dialog is cancelled at once, even when something zenity
// started still holds its output open.
TEST_F(FakeZenityTest, ATerminationRequestEndsZenityAndCancels) {
  InstallScript(
      "here=$(dirname \"$0\")\n"
      "trap 'echo ended > \"$here/ended\"; exit 143' TERM\n"
      "/bin/sleep 30 2>/dev/null &\n"
      "echo $! > \"$here/sleeper\"\n"
      "wait $!\n"
      "echo /tmp/never.txt\n");
  KillLeftOver sleeper;
  winapi::CloseOnTerminationSignals();
  int waits = 0;
  const auto start = std::chrono::steady_clock::now();
  const auto result = RunZenity(GameRequest(false), [&] {
    // Once zenity has had the time to set its trap.
    if (++waits == 5) raise(SIGTERM);
  });
  const auto took = std::chrono::steady_clock::now() - start;
  std::ifstream(folder / "sleeper") >> sleeper.pid;
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->outcome, Outcome::cancelled);
  EXPECT_LT(took, std::chrono::seconds(5)) << "waited for zenity's sleep";
  EXPECT_TRUE(std::filesystem::exists(folder / "ended")) << "zenity was not asked to end";
  EXPECT_TRUE(winapi::TerminationRequested()) << "the request stays for the caller's loop";
}

// A zenity that ignores the request to end is killed once its grace is
// over: the dialog is cancelled and nothing of it stays.
TEST_F(FakeZenityTest, AZenityThatIgnoresTheTerminationRequestIsKilledASecondLater) {
  InstallSleeper(true);
  winapi::CloseOnTerminationSignals();
  KillLeftOver sleeper;
  const auto start = std::chrono::steady_clock::now();
  const auto result = RunZenity(GameRequest(false), [&] {
    if (sleeper.pid == 0 && (sleeper.pid = SleeperPid()) > 0) raise(SIGTERM);
  });
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->outcome, Outcome::cancelled);
  ASSERT_GT(sleeper.pid, 0);
  EXPECT_TRUE(Gone(sleeper.pid)) << "zenity is still there";
  EXPECT_GE(took, std::chrono::seconds(1)) << "killed without its grace";
  EXPECT_LT(took, std::chrono::seconds(5)) << "waited for zenity's sleep";
}

// The program's ways out that never come back to RunZenity (its window
// destroyed from outside, a lost display) end the chooser through
// EndRunningChooser: it is gone and reaped when that returns, one that
// ignores SIGTERM too.  An exception from the wait ends it on its way out.
TEST_F(FakeZenityTest, EveryWayOutEndsTheChooser) {
  enum class WayOut { endRunningChooser, exception };
  struct Case {
    const char* what;
    bool ignoresTerm;
    WayOut way;
  };
  const Case cases[] = {
      {"ended by another way out", false, WayOut::endRunningChooser},
      {"ended by another way out, ignoring SIGTERM", true, WayOut::endRunningChooser},
      {"an exception from the wait", true, WayOut::exception},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InstallSleeper(c.ignoresTerm);
    KillLeftOver sleeper;
    bool goneAtOnce = false;
    const auto wait = [&] {
      if (sleeper.pid != 0 || (sleeper.pid = SleeperPid()) == 0) return;
      if (c.way == WayOut::exception) throw std::runtime_error("a fault while the chooser is up");
      winapi::sdl::EndRunningChooser();
      goneAtOnce = Gone(sleeper.pid);
    };
    if (c.way == WayOut::exception) {
      EXPECT_THROW(RunZenity(GameRequest(false), wait), std::runtime_error);
      ASSERT_GT(sleeper.pid, 0);
      EXPECT_TRUE(Gone(sleeper.pid)) << "zenity is still there";
    } else {
      const auto result = RunZenity(GameRequest(false), wait);
      ASSERT_TRUE(result.has_value());
      EXPECT_EQ(result->outcome, Outcome::cancelled);
      ASSERT_GT(sleeper.pid, 0);
      EXPECT_TRUE(goneAtOnce) << "zenity is still there";
    }
    winapi::sdl::EndRunningChooser();  // none left to end: does nothing
  }
}

TEST_F(FakeZenityTest, NoZenityOnThePathMeansNoAnswer) {
  setenv("PATH", folder.string().c_str(), 1);  // the folder is empty
  EXPECT_FALSE(RunZenity(GameRequest(false), nullptr).has_value());
}
