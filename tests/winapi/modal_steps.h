// A player at one of the layer's modal windows (the message box, the path
// prompt), run headless: the steps the player takes, played whenever the
// window's loop waits, and the windows the display was asked to raise.
#pragma once

#include "winapi/device.h"
#include "winapi/headless/headless.h"
#include "winapi/windows.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace winapi_test {

// One step of the player, taken when the modal window's loop has nothing
// left to do.
using Step = std::function<void(HWND window)>;

inline Step Key(int key) {
  return [key](HWND window) {
    winapi::headless::InjectKey(window, key, true);
    winapi::headless::InjectKey(window, key, false);
  };
}

// Runs `run`, whose modal window plays the steps one at a time, each on the
// window `target` names, whenever its loop waits.  A window still open after
// the last step fails the test (its loop finds nothing to wait for) rather
// than hanging; `what` names it then.
template <class Run>
auto RunWithSteps(std::deque<Step> steps, HWND (*target)(), const std::string& what, Run run) {
  winapi::headless::SetIdleHook([&steps, target] {
    if (steps.empty()) {
      return false;
    }
    const Step step = std::move(steps.front());
    steps.pop_front();
    step(target());
    return true;
  });
  auto result = run();
  winapi::headless::SetIdleHook(nullptr);
  EXPECT_TRUE(steps.empty()) << what << " ended before the script did";
  return result;
}

// The windows the display was asked to bring to the front.
class RaiseRecorder : public winapi::device::DeviceShell {
 public:
  void Raise(HWND topLevel) override { raised.push_back(topLevel); }
  void SetFullScreen(HWND, bool) override {}
  void KeepDisplayAwake(bool) override {}
  void SetTextInput(bool) override {}
  std::vector<HWND> raised;
};

}  // namespace winapi_test
