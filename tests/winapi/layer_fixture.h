// A fresh layer for every test, and windows whose procedure is a lambda.
#pragma once

#include "winapi/headless/headless.h"
#include "winapi/windows.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace winapi_test {

using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

struct Received {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class LayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi::headless::Reset();
    WNDCLASSW wc{};
    wc.lpfnWndProc = &LayerTest::Procedure;
    wc.lpszClassName = L"Test Window";
    ASSERT_NE(RegisterClassW(&wc), 0);
  }
  void TearDown() override { winapi::headless::Reset(); }

  // A window whose messages are logged in `log` and then handled by
  // `handler` (DefWindowProcW when it has none).
  HWND MakeWindow(RECT rect = {0, 0, 200, 100}, DWORD style = WS_VISIBLE, HWND parent = nullptr,
                  Handler handler = nullptr) {
    handlers_.push_back(std::move(handler));
    Slot slot{this, &handlers_.back()};
    slots_.push_back(slot);
    return CreateWindowExW(0, L"Test Window", L"", style | (parent != nullptr ? WS_CHILD : 0), rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, nullptr, &slots_.back());
  }

  std::vector<UINT> MessagesOf(HWND hwnd) const {
    std::vector<UINT> messages;
    for (const Received& r : log) {
      if (r.hwnd == hwnd) {
        messages.push_back(r.message);
      }
    }
    return messages;
  }

  std::vector<Received> log;

 private:
  struct Slot {
    LayerTest* test;
    Handler* handler;
  };

  static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* slot = reinterpret_cast<Slot*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (slot == nullptr) {
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    slot->test->log.push_back(Received{hwnd, message, wParam, lParam});
    if (*slot->handler) {
      return (*slot->handler)(hwnd, message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  std::deque<Handler> handlers_;
  std::deque<Slot> slots_;
};

}  // namespace winapi_test
