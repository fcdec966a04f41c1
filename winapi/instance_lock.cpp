// Finding a program's window in this process or in a running instance of
// it, and raising that window.  Instances meet at an abstract local socket
// named after the user, the window's class and title and the scope: binding
// it is the lock, the system drops it when the process ends (however it
// ends), and the holder listens on it for "raise".
#include "winapi/device.h"
#include "winapi/device_parts.h"
#include "winapi/window_registry.h"

#include "base/utf.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

namespace winapi::device {
namespace {

// What FindWindowW answers for the window of another instance.  Window
// handles carry tag 1 in their low four bits, so one whose low bits are 0
// is never a window of ours, with or without the 1 SetForegroundWindow's
// caller may add.
const HWND kOtherInstanceWindow = reinterpret_cast<HWND>(std::uintptr_t{0x7FFFFFF0});

struct InstanceLock {
  std::wstring scope;
  int listener = -1;
  std::wstring className;
  std::wstring title;
  std::vector<int> callers;  // connected, "raise" not read yet
  std::size_t answered = 0;
  std::size_t raised = 0;
};

InstanceLock& Lock() {
  static auto* lock = new InstanceLock;  // outlives the program's static objects
  return *lock;
}

bool SameClass(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  return true;
}

HWND FindLocalWindow(LPCWSTR className, LPCWSTR windowName) {
  for (HWND hwnd : core::AllWindows()) {
    const core::Window* window = core::LookupWindow(hwnd);
    if (window == nullptr || !window->IsTopLevel() || window->destroying) continue;
    if (className != nullptr && !SameClass(window->windowClass->name, className)) continue;
    if (windowName != nullptr && window->text != windowName) continue;
    return hwnd;
  }
  return nullptr;
}

// FNV-1a: the same in every build of the program, unlike std::hash, so
// that two builds of one version still find each other.
std::uint64_t Fingerprint(const std::string& text) {
  std::uint64_t hash = 1469598103934665603ull;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

sockaddr_un Address(LPCWSTR className, LPCWSTR windowName, socklen_t& length) {
  const std::string key = wide_to_utf8(std::wstring(className != nullptr ? className : L"") + L'\n' +
                                           (windowName != nullptr ? windowName : L"") + L'\n' + Lock().scope,
                                       utf_errors::lenient);
  char name[96];
  const int written = std::snprintf(name, sizeof name, "tavlin_instance.%u.%016llx", static_cast<unsigned>(getuid()),
                                    static_cast<unsigned long long>(Fingerprint(key)));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  // Abstract: the name starts with a zero byte and is no file anywhere.
  std::memcpy(address.sun_path + 1, name, static_cast<std::size_t>(written));
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<std::size_t>(written));
  return address;
}

void CloseAll() {
  InstanceLock& lock = Lock();
  for (int fd : lock.callers) close(fd);
  lock.callers.clear();
  if (lock.listener >= 0) close(lock.listener);
  lock.listener = -1;
}

// Binds the lock's socket.  True: this process holds it now.  False with
// `taken`: another process does.  False without: no local sockets here, and
// the program runs without the lock rather than not at all.
bool ClaimLock(LPCWSTR className, LPCWSTR windowName, bool& taken) {
  taken = false;
  socklen_t length = 0;
  const sockaddr_un address = Address(className, windowName, length);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
    taken = errno == EADDRINUSE;
    close(fd);
    return false;
  }
  if (listen(fd, 8) != 0) {
    close(fd);
    return false;
  }
  InstanceLock& lock = Lock();
  lock.listener = fd;
  lock.className = className != nullptr ? className : L"";
  lock.title = windowName != nullptr ? windowName : L"";
  return true;
}

bool SendRaise() {
  socklen_t length = 0;
  const sockaddr_un address = Address(Lock().className.c_str(), Lock().title.c_str(), length);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool sent =
      connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 && send(fd, "raise", 5, MSG_NOSIGNAL) == 5;
  close(fd);
  return sent;
}

// True when the caller's request is settled: answered, or the caller went
// away without one.
bool ReadRequest(int fd) {
  char buffer[8] = {};
  const ssize_t got = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
  if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return false;
  if (got == 5 && std::memcmp(buffer, "raise", 5) == 0) {
    InstanceLock& lock = Lock();
    ++lock.answered;
    if (const HWND window = FindLocalWindow(lock.className.c_str(), lock.title.c_str())) {
      ++lock.raised;
      if (DeviceShell* shell = parts::Shell()) shell->Raise(window);
    }
  }
  return true;
}

}  // namespace

void SetInstanceScope(const std::wstring& scope) { Lock().scope = scope; }

std::size_t AnswerRaiseRequests() {
  InstanceLock& lock = Lock();
  if (lock.listener < 0) return 0;
  for (int fd; (fd = accept4(lock.listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;)
    lock.callers.push_back(fd);
  const std::size_t before = lock.answered;
  std::vector<int> waiting;
  for (int fd : lock.callers) {
    if (ReadRequest(fd))
      close(fd);
    else
      waiting.push_back(fd);
  }
  lock.callers = std::move(waiting);
  return lock.answered - before;
}

std::size_t RaisesAnswered() { return Lock().answered; }
std::size_t WindowsRaised() { return Lock().raised; }
bool HoldsInstanceLock() { return Lock().listener >= 0; }

namespace parts {
void ResetInstanceLock() {
  CloseAll();
  InstanceLock& lock = Lock();
  lock = InstanceLock{};
}
}  // namespace parts

}  // namespace winapi::device

// This process's own window first.  Otherwise the lock decides: claimed,
// there is no such window yet; held by another process, that process's
// window is answered.
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  using namespace winapi::device;
  if (const HWND local = FindLocalWindow(className, windowName)) return local;
  if (HoldsInstanceLock()) return nullptr;
  bool taken = false;
  if (ClaimLock(className, windowName, taken)) return nullptr;
  if (!taken) return nullptr;
  InstanceLock& lock = Lock();
  lock.className = className != nullptr ? className : L"";
  lock.title = windowName != nullptr ? windowName : L"";
  return kOtherInstanceWindow;
}

// The caller may add 1 (bring up the window's owned windows too); with one
// top-level window per program that changes nothing here.
BOOL SetForegroundWindow(HWND hwnd) {
  using namespace winapi::device;
  const auto bits = reinterpret_cast<std::uintptr_t>(hwnd);
  if ((bits | 1) == (reinterpret_cast<std::uintptr_t>(kOtherInstanceWindow) | 1)) return SendRaise() ? TRUE : FALSE;
  if (!IsWindow(hwnd)) return FALSE;
  if (DeviceShell* shell = parts::Shell()) shell->Raise(winapi::core::TopLevelOf(hwnd));
  return TRUE;
}
