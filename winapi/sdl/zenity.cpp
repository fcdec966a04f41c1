#include "winapi/sdl/zenity.h"

#include "base/utf.h"
#include "winapi/close_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cwctype>
#include <stdexcept>

extern char** environ;

namespace winapi::sdl {
namespace {

constexpr int kWaitSliceMs = 100;
constexpr int kEndingSliceMs = 20;
// How long zenity has to go after it was asked to, before it is killed.
constexpr std::chrono::milliseconds kEndingGrace{1000};

std::string FilterArgument(const FileFilter& filter) {
  // zenity splits the value at '|' (name from patterns) and the patterns at
  // blanks.
  std::string name = wide_to_utf8(filter.name, utf_errors::lenient);
  for (char& c : name) {
    if (c == '|') {
      c = '/';
    }
  }
  std::string argument = "--file-filter=" + name + " |";
  for (const std::wstring& pattern : filter.patterns) {
    argument += ' ';
    argument += ZenityPattern(pattern);
  }
  return argument;
}

// Closes a descriptor once, whatever path leaves the function.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }

 private:
  int fd_;
};

class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* Get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

int ExitStatusOf(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      return -1;
    }
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Asks the child to end, kills it when it has not within the grace, and
// reaps it.  Only calls a signal handler may make (kill, waitpid, the
// monotonic clock, poll): the program's ways out that end at once use it.
void EndChild(pid_t child) {
  kill(child, SIGTERM);
  const auto since = std::chrono::steady_clock::now();
  bool killed = false;
  for (;;) {
    const pid_t reaped = waitpid(child, nullptr, WNOHANG);
    if (reaped == child || (reaped < 0 && errno != EINTR)) {
      return;
    }
    if (!killed && std::chrono::steady_clock::now() - since > kEndingGrace) {
      kill(child, SIGKILL);
      killed = true;
    }
    poll(nullptr, 0, kEndingSliceMs);
  }
}

// The chooser that is up, 0 when none.  Whoever takes it from here ends and
// reaps it: RunZenity on its own ways out, or EndRunningChooser on a way out
// of the program that never returns to RunZenity.  Taken once, so that no
// pid is signalled after it was reaped (and maybe given to another process).
std::atomic<pid_t> g_runningChooser{0};
static_assert(std::atomic<pid_t>::is_always_lock_free);

// The chooser while RunZenity waits for it; ended on every way out of
// RunZenity that did not see it end, an exception included.
class RunningChooser {
 public:
  explicit RunningChooser(pid_t child) : child_(child) { g_runningChooser.store(child); }
  ~RunningChooser() { End(); }
  RunningChooser(const RunningChooser&) = delete;
  RunningChooser& operator=(const RunningChooser&) = delete;

  // Whether it is still ours to wait for: EndRunningChooser has not ended it.
  bool Ours() const { return g_runningChooser.load() == child_; }

  // Whether it has ended, without waiting and without reaping it (that is
  // left to WaitForExit).
  bool Ended() const {
    siginfo_t info{};
    return waitid(P_PID, child_, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == child_;
  }

  void End() {
    if (Take()) {
      EndChild(child_);
    }
  }

  // Its exit status, once it ends (-1: a signal ended it, or
  // EndRunningChooser took it).
  int WaitForExit() { return Take() ? ExitStatusOf(child_) : -1; }

 private:
  bool Take() {
    pid_t expected = child_;
    return g_runningChooser.compare_exchange_strong(expected, 0);
  }

  pid_t child_;
};

// Appends what the pipe holds now to `output`, without waiting for more:
// its writer has ended, though something it started may keep the pipe open.
// A path is short; more than any path is not read.
void ReadWhatIsThere(int fd, std::string& output) {
  constexpr std::size_t kMoreThanAnyPath = 65536;
  while (output.size() < kMoreThanAnyPath) {
    pollfd ready{fd, POLLIN, 0};
    char chunk[4096];
    if (poll(&ready, 1, 0) <= 0) return;
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got <= 0) return;
    output.append(chunk, static_cast<std::size_t>(got));
  }
}

}  // namespace

void EndRunningChooser() {
  if (const pid_t child = g_runningChooser.exchange(0); child > 0) {
    EndChild(child);
  }
}

void ExitEndingTheChooser() {
  EndRunningChooser();
  _exit(EXIT_FAILURE);
}

std::string ZenityPattern(std::wstring_view pattern) {
  if (pattern == L"*.*") {
    return "*";
  }
  std::wstring folded;
  bool inBrackets = false;  // a [...] set the pattern has already
  for (const wchar_t c : pattern) {
    if (c == L'[') {
      inBrackets = true;
    } else if (c == L']') {
      inBrackets = false;
    }
    // A blank would split the pattern in two; '?' still matches it.
    const wchar_t plain = c == L' ' ? L'?' : c;
    const wchar_t lower = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    const wchar_t upper = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    if (inBrackets || lower == upper) {
      folded += plain;
    } else {
      folded += {L'[', lower, upper, L']'};
    }
  }
  return wide_to_utf8(folded, utf_errors::lenient);
}

std::vector<std::string> ZenityArguments(const FileDialogRequest& request) {
  std::vector<std::string> arguments{"--file-selection", "--title=" + wide_to_utf8(request.title, utf_errors::lenient)};
  if (request.save) {
    arguments.emplace_back("--save");
    arguments.emplace_back("--confirm-overwrite");
  }
  if (!request.initialPath.empty()) {
    arguments.push_back("--filename=" + wide_to_utf8(request.initialPath, utf_errors::lenient));
  }
  // zenity shows its first filter at the start: the one asked for goes
  // first, the others follow in their order.
  if (request.filterIndex < request.filters.size()) {
    arguments.push_back(FilterArgument(request.filters[request.filterIndex]));
  }
  for (std::size_t i = 0; i < request.filters.size(); ++i) {
    if (i != request.filterIndex) {
      arguments.push_back(FilterArgument(request.filters[i]));
    }
  }
  return arguments;
}

FileDialogResult ZenityResult(int exitCode, std::string_view output) {
  if (exitCode == 1) {
    return FileDialogResult::Cancelled();
  }
  if (exitCode != 0) {
    return FileDialogResult::Failed(CDERR_DIALOGFAILURE);
  }
  // One line: the path, then a line end of zenity's own (a path may end in
  // a line end of its own, so only one is taken off).
  if (!output.empty() && output.back() == '\n') {
    output.remove_suffix(1);
  }
  if (output.empty()) {
    return FileDialogResult::Cancelled();
  }
  // A NUL cannot be in a path; utf8_to_wide would stop at it.
  if (output.find('\0') != std::string_view::npos) {
    return FileDialogResult::Failed(FNERR_INVALIDFILENAME);
  }
  try {
    // Strictly: a name that is not UTF-8 cannot be given back as the same
    // name, and the game would open or write another file.
    return FileDialogResult::Chosen(utf8_to_wide(output, utf_errors::strict));
  } catch (const std::invalid_argument&) {
    return FileDialogResult::Failed(FNERR_INVALIDFILENAME);
  }
}

std::optional<FileDialogResult> RunZenity(const FileDialogRequest& request, const std::function<void()>& whileWaiting) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    return FileDialogResult::Failed(CDERR_DIALOGFAILURE);
  }
  Descriptor readEnd(ends[0]);
  Descriptor writeEnd(ends[1]);

  SpawnActions actions;
  posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(actions.Get(), writeEnd.Get(), STDOUT_FILENO);

  std::vector<std::string> arguments = ZenityArguments(request);
  std::string program = "zenity";
  std::vector<char*> argv{program.data()};
  for (std::string& argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);

  pid_t child = 0;
  const int spawned = posix_spawnp(&child, program.c_str(), actions.Get(), nullptr, argv.data(), environ);
  writeEnd.Close();  // the child's copy is the only one left: its exit ends the reading
  if (spawned == ENOENT || spawned == EACCES || spawned == ENOEXEC) {
    return std::nullopt;
  }
  if (spawned != 0) {
    return FileDialogResult::Failed(CDERR_DIALOGFAILURE);
  }

  // The program is asked to close while zenity is up: zenity is ended, and
  // the dialog is cancelled, so that the caller's loop takes the request.
  // Its end is watched rather than the end of its output, which anything it
  // started may still hold open.
  RunningChooser chooser(child);
  std::string output;
  for (;;) {
    if (TerminationRequested() || !chooser.Ours()) {
      chooser.End();
      return FileDialogResult::Cancelled();
    }
    pollfd ready{readEnd.Get(), POLLIN, 0};
    const int polled = poll(&ready, 1, kWaitSliceMs);
    if (polled < 0 && errno != EINTR) {
      break;
    }
    if (polled == 0 && chooser.Ended()) {
      // What it wrote before it ended is in the pipe already.
      ReadWhatIsThere(readEnd.Get(), output);
      break;
    }
    if (polled <= 0) {
      if (whileWaiting) {
        whileWaiting();
      }
      continue;
    }
    char chunk[4096];
    const ssize_t got = read(readEnd.Get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;  // end of output: zenity has finished, and nothing it started holds it
    }
    output.append(chunk, static_cast<std::size_t>(got));
  }
  if (!chooser.Ours()) {
    return FileDialogResult::Cancelled();
  }
  return ZenityResult(chooser.WaitForExit(), output);
}

}  // namespace winapi::sdl
