#include "winapi/headless/headless.h"

#include "base/utf.h"
#include "winapi/close_signals.h"
#include "winapi/device.h"
#include "winapi/message_box.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <map>
#include <thread>
#include <utility>

namespace winapi::headless {
namespace {

constexpr SIZE kDefaultScreen{1024, 768};

int FirstButton(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
  }
}

struct TopLevelState {
  HCURSOR cursor = nullptr;
  RECT drawn{0, 0, 0, 0};
};

class HeadlessBackend final : public Backend {
 public:
  DWORD TickCount() override {
    if (realClock_) {
      const auto elapsed = std::chrono::steady_clock::now() - realStart_;
      now_ = static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
    return now_;
  }

  bool WaitForInput(DWORD timeoutMs) override {
    if (realClock_) {
      // No input can ever come; only timers wake the loop.
      if (timeoutMs == INFINITE) {
        return false;
      }
      SleepUnlessSignalled(timeoutMs);
      return true;
    }
    if (idleHook_ && idleHook_()) {
      return true;
    }
    if (timeoutMs == INFINITE) {
      std::fputs("winapi headless: GetMessageW would wait forever (nothing queued, no timer)\n", stderr);
      return false;
    }
    now_ += timeoutMs;
    return true;
  }

  void PollInput() override {}

  // A program that closes on signals (winapi/close_signals.h) is woken by
  // one at once rather than at its next timer.
  static void SleepUnlessSignalled(DWORD timeoutMs) {
    const int wake = TerminationSignalWakeFd();
    if (wake < 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
      return;
    }
    pollfd watched{wake, POLLIN, 0};
    if (poll(&watched, 1, static_cast<int>(std::min<DWORD>(timeoutMs, INT_MAX))) > 0) {
      DrainTerminationSignalWake();
    }
  }

  void WindowCreated(HWND hwnd) override { windows_[hwnd] = TopLevelState{}; }
  void WindowDestroyed(HWND hwnd) override { windows_.erase(hwnd); }
  void WindowPlaced(HWND) override {}
  void WindowShown(HWND, bool) override {}
  void WindowTextChanged(HWND) override {}
  // Only windows the backend still knows are updated: a window may draw
  // or change after WindowDestroyed (from its WM_DESTROY), and an entry made
  // then would stay for the rest of the run.
  void WindowCursorChanged(HWND hwnd, HCURSOR cursor) override {
    if (const auto found = windows_.find(hwnd); found != windows_.end()) {
      found->second.cursor = cursor;
    }
  }

  void SurfaceChanged(HWND topLevel, const RECT& rect) override {
    const auto found = windows_.find(topLevel);
    if (found == windows_.end()) {
      return;
    }
    RECT& drawn = found->second.drawn;
    if (drawn.left >= drawn.right || drawn.top >= drawn.bottom) {
      drawn = rect;
    } else {
      drawn = RECT{std::min(drawn.left, rect.left), std::min(drawn.top, rect.top), std::max(drawn.right, rect.right),
                   std::max(drawn.bottom, rect.bottom)};
    }
  }

  int MessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) override {
    MessageBoxRecord record{owner, text, caption, type};
    ReportUnseenMessageBox(record.caption, record.text);
    boxes_.push_back(record);
    return boxHook_ ? boxHook_(record) : FirstButton(type);
  }

  FileDialogResult FileDialog(const FileDialogRequest& request) override {
    std::fprintf(stderr, "[file dialog] %s\n", wide_to_utf8(request.title, utf_errors::lenient).c_str());
    dialogs_.push_back(request);
    return dialogHook_ ? dialogHook_(request) : FileDialogResult::Cancelled();
  }

  bool OpenExternal(const ShellOpenRequest& request) override {
    std::fprintf(stderr, "[shell open] %s\n", wide_to_utf8(request.target, utf_errors::lenient).c_str());
    opens_.push_back(request);
    return shellHook_ ? shellHook_(request) : true;
  }

  SIZE ScreenSize() override { return screen_; }

  RECT DisplayAreaAt(POINT) override { return RECT{0, 0, screen_.cx, screen_.cy}; }

  void Reset() {
    realClock_ = false;
    now_ = 0;
    idleHook_ = nullptr;
    boxHook_ = nullptr;
    boxes_.clear();
    dialogHook_ = nullptr;
    dialogs_.clear();
    shellHook_ = nullptr;
    opens_.clear();
    screen_ = kDefaultScreen;
    windows_.clear();
  }

  DWORD now_ = 0;
  bool realClock_ = false;
  std::chrono::steady_clock::time_point realStart_;
  IdleHook idleHook_;
  MessageBoxHook boxHook_;
  std::vector<MessageBoxRecord> boxes_;
  FileDialogHook dialogHook_;
  std::vector<FileDialogRequest> dialogs_;
  ShellOpenHook shellHook_;
  std::vector<ShellOpenRequest> opens_;
  SIZE screen_ = kDefaultScreen;
  std::map<HWND, TopLevelState> windows_;
};

// Never destroyed: static objects of the program may still use the layer
// while the process ends.
HeadlessBackend& Instance() {
  static auto* backend = new HeadlessBackend;
  return *backend;
}

}  // namespace

void InstallHeadlessBackend() { InstallBackend(&Instance()); }

void UseRealClock() {
  Instance().realClock_ = true;
  Instance().realStart_ = std::chrono::steady_clock::now();
}

void SetTickCount(DWORD milliseconds) { Instance().now_ = milliseconds; }
void AdvanceTickCount(DWORD milliseconds) { Instance().now_ += milliseconds; }
IdleHook SetIdleHook(IdleHook hook) { return std::exchange(Instance().idleHook_, std::move(hook)); }

void Inject(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) { PostInputMessage(hwnd, message, wParam, lParam); }

void InjectKey(HWND topLevel, int virtualKey, bool down) {
  // Repeat count 1; a release also carries the previous-state and
  // transition bits, as Win32 key messages do.
  const LPARAM flags = down ? 1 : (1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
  PostInputMessage(KeyboardTarget(topLevel), down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey),
                   static_cast<LPARAM>(static_cast<std::uint32_t>(flags)));
}

void InjectChar(HWND topLevel, wchar_t character) {
  PostInputMessage(KeyboardTarget(topLevel), WM_CHAR, static_cast<WPARAM>(character), 1);
}

void InjectClick(HWND topLevel, int x, int y) {
  const HWND target = WindowFromClientPoint(topLevel, POINT{x, y});
  POINT point{x, y};
  ClientToScreen(topLevel, &point);
  ScreenToClient(target, &point);
  const LPARAM where = MAKELPARAM(point.x, point.y);
  PostInputMessage(target, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostInputMessage(target, WM_LBUTTONUP, 0, where);
}

Image Capture(HWND topLevel) { return ComposeWindow(topLevel); }

void SetMessageBoxHook(MessageBoxHook hook) { Instance().boxHook_ = std::move(hook); }
const std::vector<MessageBoxRecord>& MessageBoxes() { return Instance().boxes_; }

FileDialogHook SetFileDialogHook(FileDialogHook hook) { return std::exchange(Instance().dialogHook_, std::move(hook)); }
const std::vector<FileDialogRequest>& FileDialogs() { return Instance().dialogs_; }

void SetShellOpenHook(ShellOpenHook hook) { Instance().shellHook_ = std::move(hook); }
const std::vector<ShellOpenRequest>& ShellOpens() { return Instance().opens_; }

void SetScreenSize(int width, int height) { Instance().screen_ = SIZE{width, height}; }

HCURSOR WindowCursor(HWND topLevel) {
  const auto found = Instance().windows_.find(topLevel);
  return found == Instance().windows_.end() ? nullptr : found->second.cursor;
}

RECT TakeDrawnRect(HWND topLevel) {
  const auto found = Instance().windows_.find(topLevel);
  if (found == Instance().windows_.end()) {
    return RECT{0, 0, 0, 0};
  }
  const RECT drawn = found->second.drawn;
  found->second.drawn = RECT{0, 0, 0, 0};
  return drawn;
}

void Reset() {
  ResetState();
  Instance().Reset();
  device::Reset();
  InstallHeadlessBackend();
}

}  // namespace winapi::headless
