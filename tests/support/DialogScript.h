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
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/ResourceManager.h"
#include "notus/platform/ownerdrawWin32/app.h"
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

    void Run() const {
      for (const auto& step : m_steps) step();
    }

   private:
    HWND m_main;
    std::vector<std::function<void()>> m_steps;
  };

  // Loops started at a depth below firstDepth are left alone (a test that
  // runs the main loop itself answers from depth 2).
  explicit DialogScript(HWND main, int firstDepth = 1) : m_main(main), m_firstDepth(firstDepth) {
    notus::impl::details::app::set_loop_entry_hook([this](int depth) { OnLoopEntry(depth); });
    winapi::headless::SetIdleHook([] {
      ADD_FAILURE() << "a message loop waits for input that its answer did not give";
      PostQuitMessage(0);
      return true;
    });
  }
  ~DialogScript() {
    notus::impl::details::app::set_loop_entry_hook(nullptr);
    winapi::headless::SetIdleHook(nullptr);
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
    const Steps steps = std::move(m_answers.front());
    m_answers.pop_front();
    ++m_answered;
    steps.Run();
  }

  HWND m_main;
  int m_firstDepth;
  std::deque<Steps> m_answers;
  std::size_t m_answered = 0;
};

}  // namespace forms_test
