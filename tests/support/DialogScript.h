// Scripts the player's side of modal dialogs in headless tests.  Each
// message loop that starts while the script is installed takes the next
// answer: a list of inputs injected into the main window's queue (clicks at
// the centre of a form's layout item, keys, typed text, a close), which the
// loop then handles as it would the player's.  A loop that starts with no
// answer left, or whose queue runs dry before it ends, fails the test and is
// ended, so a wrong script never hangs.
//
//   DialogScript script(main);
//   script.Answer().Type(L"Ann").Click(20, 2);   // the first dialog
//   script.Answer().Key(VK_RETURN);              // the second
//   command.Execute();
//   EXPECT_TRUE(script.Done());
//
// An injected key goes to the window that has the focus when it is
// injected, so after a key that moves the focus, Then() holds the rest of
// the answer back until the loop has handled the input before it:
//   script.Answer().Key(VK_TAB).Then().Key(VK_RETURN);
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ResourceManager.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "tests/support/ScopedInstalls.h"
#include "winapi/headless/headless.h"
#include "winapi/windows.h"

namespace forms_test {

class DialogScript {
 public:
  class Steps {
   public:
    explicit Steps(HWND main) : m_main(main) {}
    // The centre of layout item (form, item).
    Steps& Click(int form, int item) {
      return Do([this, form, item] {
        const ItemConfig c = ResourceManager::GetItemConfig(form, item);
        winapi::headless::InjectClick(m_main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
      });
    }
    Steps& ClickAt(int x, int y) {
      return Do([this, x, y] { winapi::headless::InjectClick(m_main, x, y); });
    }
    // Press and release.
    Steps& Key(int virtualKey) {
      return Do([this, virtualKey] {
        winapi::headless::InjectKey(m_main, virtualKey, true);
        winapi::headless::InjectKey(m_main, virtualKey, false);
      });
    }
    Steps& Type(const std::wstring& text) {
      return Do([this, text] {
        for (wchar_t c : text) winapi::headless::InjectChar(m_main, c);
      });
    }
    // The window's close box.
    Steps& Close() {
      return Do([this] { PostMessageW(m_main, WM_CLOSE, 0, 0); });
    }
    // Anything else, run as the loop starts (before the injected input is
    // handled): probe the dialog, move the clock.
    Steps& Do(std::function<void()> step) {
      m_steps.push_back(std::move(step));
      return *this;
    }
    // The steps after this one run once the loop has handled what the steps
    // before it injected; a Do after it probes the dialog at that point.
    Steps& Then() {
      m_steps.emplace_back();
      return *this;
    }

   private:
    friend class DialogScript;
    HWND m_main;
    std::vector<std::function<void()>> m_steps;
  };

  // Loops started at a depth below firstDepth are left alone (a test that
  // runs the main loop itself answers from depth 2).
  explicit DialogScript(HWND main, int firstDepth = 1) : m_main(main), m_firstDepth(firstDepth) {
    m_installed.Install(&notus::impl::details::app::set_loop_entry_hook, [this](int depth) { OnLoopEntry(depth); });
    m_installed.Install(&winapi::headless::SetIdleHook, [] {
      ADD_FAILURE() << "a message loop waits for input that its answer did not give";
      PostQuitMessage(0);
      return true;
    });
  }
  ~DialogScript() {
    m_installed.RestoreAll();
    if (m_relay) DestroyWindow(m_relay);
  }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  Steps& Answer() { return m_answers.emplace_back(m_main); }

  // Every answer has been taken.
  bool Done() const { return m_answers.empty(); }
  // The loops answered so far.
  std::size_t Answered() const { return m_answered; }

 private:
  void OnLoopEntry(int depth) {
    if (depth < m_firstDepth) return;
    if (m_answers.empty()) {
      ADD_FAILURE() << "a message loop started (depth " << depth << ") with no answer left";
      PostQuitMessage(0);
      return;
    }
    auto steps = std::make_shared<const std::vector<std::function<void()>>>(std::move(m_answers.front().m_steps));
    m_answers.pop_front();
    ++m_answered;
    RunFrom(steps, 0);
  }

  // Runs the steps from first up to the next Then(), and leaves the rest
  // behind a message to the relay window: a posted message is handled after
  // the input posted before it.
  void RunFrom(const std::shared_ptr<const std::vector<std::function<void()>>>& steps, std::size_t first) {
    for (std::size_t i = first; i < steps->size(); ++i) {
      if ((*steps)[i]) {
        (*steps)[i]();
        continue;
      }
      if (!m_relay && !CreateRelayWindow()) return;
      m_held.push_back([this, steps, i] { RunFrom(steps, i + 1); });
      PostMessageW(m_relay, kRelayMessage, 0, 0);
      return;
    }
  }

  static constexpr UINT kRelayMessage = WM_USER + 1;

  static LRESULT CALLBACK RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* script = reinterpret_cast<DialogScript*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != kRelayMessage || !script) return DefWindowProcW(window, message, wParam, lParam);
    if (!script->m_held.empty()) {
      const std::function<void()> rest = std::move(script->m_held.front());
      script->m_held.pop_front();
      rest();
    }
    return 0;
  }

  // A hidden window of its own, so the relay message reaches neither the
  // main window's procedure nor the controller.  Made only for a Then(), so
  // scripts without one see no window besides the program's.
  bool CreateRelayWindow() {
    WNDCLASSW relayClass{};
    relayClass.lpfnWndProc = &RelayProc;
    relayClass.lpszClassName = L"DialogScriptRelay";
    RegisterClassW(&relayClass);  // fails harmlessly once registered
    m_relay = CreateWindowExW(0, L"DialogScriptRelay", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!m_relay) {
      ADD_FAILURE() << "no relay window for Then()";
      return false;
    }
    SetWindowLongPtrW(m_relay, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
  }

  HWND m_main;
  HWND m_relay = nullptr;
  std::deque<std::function<void()>> m_held;
  int m_firstDepth;
  std::deque<Steps> m_answers;
  std::size_t m_answered = 0;
  test_support::ScopedInstalls m_installed;
};

}  // namespace forms_test
