// A fresh Win32 layer and an empty application object for each test of the
// back buffer, the device and the paint pass, plus helpers to read pixels.
#pragma once

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "tests/support/ScopedInstalls.h"
#include "winapi/headless/headless.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace host_test {

using notus::impl::details::app;
using notus::impl::details::GDIBuffer;

// 0xAARRGGBB
constexpr std::uint32_t argb(unsigned a, unsigned r, unsigned g, unsigned b) {
  return (std::uint32_t(a) << 24) | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}
constexpr std::uint32_t kGrey = argb(225, 225, 225, 225);

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi::headless::Reset();
    app::instance().release();
    notus::impl::details::clear_invalid_rect();
  }
  void TearDown() override {
    installed.RestoreAll();
    app::instance().release();
    notus::impl::details::clear_invalid_rect();
    winapi::headless::Reset();
  }

  // A grey back buffer, as the main window's WM_SIZE makes it.
  GDIBuffer& back_buffer(int width, int height) {
    app::resize_back_buffer(width, height);
    return *app::instance().back_buffer();
  }

  test_support::ScopedInstalls installed;
};

// The smallest rectangle holding every pixel of the buffer that differs from
// `background` (right and bottom outside); all zero when none does.
inline RECT ink_box(const GDIBuffer& buffer, std::uint32_t background) {
  RECT box{buffer.width(), buffer.height(), -1, -1};
  for (int y = 0; y < buffer.height(); ++y)
    for (int x = 0; x < buffer.width(); ++x)
      if (buffer.pixel(x, y) != background) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box.right < 0 ? RECT{0, 0, 0, 0} : box;
}

}  // namespace host_test
