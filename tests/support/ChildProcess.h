// A program started as a child process, as the display tests and the
// start-up benchmark run the real programs: its environment is given whole,
// its signals start as a shell gives them (at their defaults, none blocked,
// unless it is to start with some ignored, as `nohup` starts it), what it
// writes to stderr goes to a file of its own (or nowhere, or where the
// test's goes), and it is killed if it is still running when this object
// goes away, so a failed test leaves no window behind on the display.
#pragma once

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
#include <utility>
#include <vector>

extern char** environ;

namespace test_support {

// This process's environment without the entries that start with one of
// `dropPrefixes` ("NAME=" drops one variable, "TAVLIN_" all of ours), after
// the "NAME=value" entries of `add`.
inline std::vector<std::string> EnvironmentWith(const std::vector<std::string>& add,
                                                const std::vector<std::string>& dropPrefixes) {
  std::vector<std::string> variables = add;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    bool dropped = false;
    for (const std::string& prefix : dropPrefixes) dropped = dropped || variable.rfind(prefix, 0) == 0;
    if (!dropped) variables.push_back(variable);
  }
  return variables;
}

// The sanitizers' options of this process without the leak check at exit,
// as a "NAME=value" entry: a program whose closing is timed leaves the leak
// check, which can take seconds on a busy machine, to the other tests.
inline std::string WithoutLeakCheck() {
  const char* options = std::getenv("ASAN_OPTIONS");
  return std::string("ASAN_OPTIONS=") + (options != nullptr ? options : "") + ":detect_leaks=0";
}

// Where its stderr goes: a file of its own (Errors()), nowhere, or where
// this process's goes.
enum class ChildErrors { kept, discarded, inherited };

struct ChildOptions {
  std::vector<std::string> arguments;  // after the program's name
  ChildErrors errors = ChildErrors::kept;
  std::vector<int> ignoredSignals;  // started ignored
  // A process group of its own, killed whole: what it started (a chooser, a
  // box's process) goes with it.
  bool ownGroup = false;
};

class ChildProcess {
 public:
  ChildProcess(const std::string& program, std::vector<std::string> environment, const ChildOptions& options = {}) {
    if (options.errors == ChildErrors::kept) {
      std::string pattern = (std::filesystem::temp_directory_path() / "tavlin_stderr_XXXXXX").string();
      const int fd = mkstemp(pattern.data());
      if (fd < 0) return;
      close(fd);
      m_errors = pattern;
    }
    std::vector<char*> env;
    for (std::string& variable : environment) env.push_back(variable.data());
    env.push_back(nullptr);
    std::vector<std::string> arguments = options.arguments;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (options.errors != ChildErrors::inherited)
      posix_spawn_file_actions_addopen(&actions, 2, m_errors.empty() ? "/dev/null" : m_errors.c_str(),
                                       O_WRONLY | O_TRUNC, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigfillset(&defaults);
    // A child inherits an ignored signal unless it is set to its default;
    // this process's own disposition is put back right after the start.
    std::vector<struct sigaction> ours(options.ignoredSignals.size());
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    for (std::size_t i = 0; i < options.ignoredSignals.size(); ++i) {
      sigdelset(&defaults, options.ignoredSignals[i]);
      sigaction(options.ignoredSignals[i], &ignore, &ours[i]);
    }
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (options.ownGroup) {
      flags |= POSIX_SPAWN_SETPGROUP;
      posix_spawnattr_setpgroup(&attributes, 0);
    }
    posix_spawnattr_setflags(&attributes, flags);
    if (posix_spawn(&m_pid, program.c_str(), &actions, &attributes, argv.data(), env.data()) != 0) m_pid = 0;
    if (options.ownGroup) m_group = m_pid;
    for (std::size_t i = 0; i < options.ignoredSignals.size(); ++i)
      sigaction(options.ignoredSignals[i], &ours[i], nullptr);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
  }
  ~ChildProcess() {
    Kill();
    std::error_code ignored;
    if (!m_errors.empty()) std::filesystem::remove(m_errors, ignored);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ChildProcess(ChildProcess&& other) noexcept
      : m_pid(std::exchange(other.m_pid, 0)),
        m_group(std::exchange(other.m_group, 0)),
        m_errors(std::exchange(other.m_errors, {})) {}
  ChildProcess& operator=(ChildProcess&& other) noexcept {
    std::swap(m_pid, other.m_pid);
    std::swap(m_group, other.m_group);
    std::swap(m_errors, other.m_errors);
    return *this;
  }

  bool Started() const { return m_pid > 0; }
  pid_t Pid() const { return m_pid; }

  // What the program has written to stderr so far (kept only).
  std::string Errors() const {
    std::ifstream file(m_errors);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  // The exit status once it has ended within `timeoutMs` (128 + the signal
  // when one ended it), or -1 while it still runs.
  int WaitForExit(int timeoutMs, std::chrono::milliseconds poll = std::chrono::milliseconds(50)) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_pid > 0 && std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(poll);
    }
    return -1;
  }

  // Kills the program, and its group when it has one of its own: what it
  // started dies with it even after the program itself was reaped.
  void Kill() {
    if (m_group > 0) kill(-std::exchange(m_group, 0), SIGKILL);
    if (m_pid <= 0) return;
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = 0;
  }

 private:
  pid_t m_pid = 0;
  pid_t m_group = 0;               // the group to kill, while it may hold a process
  std::filesystem::path m_errors;  // the file of its stderr; none unless kept
};

}  // namespace test_support
