#include "winapi/message_queue.h"

#include "winapi/backend.h"
#include "winapi/close_signals.h"
#include "winapi/pixels.h"
#include "winapi/timers.h"
#include "winapi/window_registry.h"

#include <array>
#include <deque>
#include <optional>

namespace winapi::core {
namespace {

struct Queue {
  std::deque<MSG> posted;
  bool quitRequested = false;
  // The program is closing: a taken WM_QUIT stays requested, so every loop
  // ends (EndEveryMessageLoop).
  bool quitEveryLoop = false;
  int quitCode = 0;
  // GetKeyState's answers, by virtual key.
  std::array<bool, 256> keyDown{};
};

Queue& TheQueue() {
  static auto* queue = new Queue;
  return *queue;
}

struct Filter {
  HWND hwnd;
  UINT first;
  UINT last;

  bool Accepts(const MSG& msg) const { return (hwnd == nullptr || msg.hwnd == hwnd) && AcceptsMessage(msg.message); }
  bool AcceptsMessage(UINT message) const { return (first == 0 && last == 0) || (message >= first && message <= last); }
};

bool IsVisibleWithAncestors(const Window* window) {
  for (; window != nullptr; window = LookupWindow(window->parent)) {
    if (!window->visible) {
      return false;
    }
    if (window->IsTopLevel()) {
      return true;
    }
  }
  return false;
}

std::optional<MSG> TakePosted(const Filter& filter, bool remove) {
  auto& posted = TheQueue().posted;
  for (auto it = posted.begin(); it != posted.end(); ++it) {
    if (filter.Accepts(*it)) {
      MSG msg = *it;
      if (remove) {
        posted.erase(it);
      }
      return msg;
    }
  }
  return std::nullopt;
}

// WM_QUIT is handed out whatever the filter, so a filtered loop still ends.
std::optional<MSG> TakeQuit(bool remove) {
  Queue& queue = TheQueue();
  if (!queue.quitRequested) {
    return std::nullopt;
  }
  if (remove && !queue.quitEveryLoop) {
    queue.quitRequested = false;
  }
  return MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, CurrentBackend().TickCount(), POINT{0, 0}};
}

// WM_PAINT is not queued; it stays available while the window is invalid.
std::optional<MSG> FindPaint(const Filter& filter) {
  if (!filter.AcceptsMessage(WM_PAINT)) {
    return std::nullopt;
  }
  for (const HWND hwnd : AllWindows()) {
    const Window* window = LookupWindow(hwnd);
    if ((filter.hwnd == nullptr || filter.hwnd == hwnd) && !IsEmpty(window->update) && IsVisibleWithAncestors(window)) {
      return MSG{hwnd, WM_PAINT, 0, 0, CurrentBackend().TickCount(), POINT{0, 0}};
    }
  }
  return std::nullopt;
}

// A key message taken off the queue moves the key state along with it.
void NoteKeyState(const MSG& msg) {
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
  if ((down || up) && msg.wParam < TheQueue().keyDown.size()) {
    TheQueue().keyDown[msg.wParam] = down;
  }
}

std::optional<MSG> TakeMessage(const Filter& filter, bool remove) {
  TakeTerminationRequest();
  if (auto msg = TakePosted(filter, remove)) {
    if (remove) {
      NoteKeyState(*msg);
    }
    return msg;
  }
  if (auto msg = TakeQuit(remove)) {
    return msg;
  }
  if (auto msg = FindPaint(filter)) {
    return msg;
  }
  if (filter.AcceptsMessage(WM_TIMER)) {
    return TakeDueTimer(filter.hwnd, remove);
  }
  return std::nullopt;
}

}  // namespace

void PostToQueue(const MSG& msg) { TheQueue().posted.push_back(msg); }

void ResetQueue() { TheQueue() = Queue{}; }

}  // namespace winapi::core

namespace winapi {

void PostInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  core::PostToQueue(MSG{hwnd, message, wParam, lParam, CurrentBackend().TickCount(), POINT{0, 0}});
}

}  // namespace winapi

using namespace winapi::core;

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (msg == nullptr) {
    return -1;
  }
  const Filter filter{hwnd, filterMin, filterMax};
  winapi::Backend& backend = winapi::CurrentBackend();
  for (;;) {
    backend.PollInput();
    if (auto taken = TakeMessage(filter, true)) {
      *msg = *taken;
      return msg->message == WM_QUIT ? 0 : 1;
    }
    const DWORD wait = filter.AcceptsMessage(WM_TIMER) ? MillisecondsToNextTimer(hwnd) : INFINITE;
    if (!backend.WaitForInput(wait)) {
      return -1;
    }
  }
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  if (msg == nullptr) {
    return FALSE;
  }
  winapi::CurrentBackend().PollInput();
  if (auto taken = TakeMessage(Filter{hwnd, filterMin, filterMax}, (removeMsg & PM_REMOVE) != 0)) {
    *msg = *taken;
    return TRUE;
  }
  return FALSE;
}

BOOL WaitMessage() {
  const Filter any{nullptr, 0, 0};
  winapi::Backend& backend = winapi::CurrentBackend();
  for (;;) {
    backend.PollInput();
    if (TakeMessage(any, false)) {
      return TRUE;
    }
    if (!backend.WaitForInput(MillisecondsToNextTimer(nullptr))) {
      return FALSE;
    }
  }
}

// Character messages come from the backend's text input, which knows the
// keyboard layout, so nothing is generated here.
BOOL TranslateMessage(const MSG* msg) {
  if (msg == nullptr) {
    return FALSE;
  }
  const UINT m = msg->message;
  return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP ? TRUE : FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (msg == nullptr) {
    return 0;
  }
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    const auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    // Only a procedure that SetTimer was given is called: a posted
    // WM_TIMER with an arbitrary lParam must not become a jump.
    if (IsTimerProc(msg->hwnd, msg->wParam, proc)) {
      proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
      return 0;
    }
  }
  Window* window = LookupWindow(msg->hwnd);
  if (window == nullptr) {
    return 0;
  }
  const unsigned validations = window->validations;
  const LRESULT result = CallWindowProcW(window->proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
  // A window procedure that ignores WM_PAINT would be asked again forever,
  // so its window counts as painted.  One that validated keeps whatever it
  // left or made invalid since: that is the next frame it asked for.
  if (msg->message == WM_PAINT && (window = LookupWindow(msg->hwnd)) != nullptr && window->validations == validations) {
    window->update = RECT{0, 0, 0, 0};
  }
  return result;
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd != nullptr && LookupWindow(hwnd) == nullptr) {
    return FALSE;
  }
  PostToQueue(MSG{hwnd, message, wParam, lParam, winapi::CurrentBackend().TickCount(), POINT{0, 0}});
  return TRUE;
}

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return 0;
  }
  return CallWindowProcW(window->proc, hwnd, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
  // Once every loop is ending, its code stays the one they all take.
  if (TheQueue().quitEveryLoop) {
    return;
  }
  TheQueue().quitRequested = true;
  TheQueue().quitCode = exitCode;
}

namespace winapi {

void EndEveryMessageLoop(int exitCode) {
  core::Queue& queue = core::TheQueue();
  if (!queue.quitEveryLoop) {
    queue.quitRequested = true;
    queue.quitEveryLoop = true;
    queue.quitCode = exitCode;
  }
}

}  // namespace winapi

SHORT GetKeyState(int virtualKey) {
  const auto& keys = TheQueue().keyDown;
  if (virtualKey < 0 || static_cast<std::size_t>(virtualKey) >= keys.size()) {
    return 0;
  }
  return keys[static_cast<std::size_t>(virtualKey)] ? static_cast<SHORT>(0x8000) : 0;
}
