// A fixture for the paint of the owner-drawn widgets: views built over a real
// window controller on the headless backend, painted by the controller's
// paint pass into a grey back buffer, with every drawing call recorded.
#pragma once

#include <string>
#include <vector>

#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "tests/support/host_fixture.h"

namespace recorded_paint_test {

using calls = std::vector<std::string>;
using window_ops = notus::impl::virtual_window_impl<notus::traits>;

template <class View>
void place(View& v, const RECT& r) {
  window_ops::move(v.display().handle(), {r.left, r.top});
  window_ops::resize(v.display().handle(), {r.right - r.left, r.bottom - r.top}, false);
}

class RecordedPaint : public host_test::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    buffer = &back_buffer(320, 240);
    installed.Install(&notus::gdi::set_device_recorder, [this](const std::string& call) { recorded.push_back(call); });
  }

  // The calls of one paint pass over every dirty window.
  calls paint() {
    recorded.clear();
    controller.paint(*buffer, nullptr);
    return recorded;
  }

  static notus::gdi::device<notus::traits>::size_type extent(const std::wstring& text) {
    return notus::gdi::device<notus::traits>::create_for_screen()->text_extent(text);
  }

  notus::impl::details::virtual_window_controller controller;
  host_test::GDIBuffer* buffer = nullptr;
  calls recorded;
};

}  // namespace recorded_paint_test
