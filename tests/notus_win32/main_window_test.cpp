// Virtual windows against the Win32 layer (headless): the messages they send
// and post to the main window, the main window's frame, native focus, and the
// native text-entry control that a window with flag 8 owns.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "notus/displays/virtual_window.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/paint_surface.h"
#include "tests/support/ScopedInstalls.h"
#include "tests/support/window_probe.h"
#include "winapi/headless/headless.h"

using namespace probes;
using namespace notus::impl;
using notus::traits;
namespace displays = notus::displays;
using impl = virtual_window_impl<traits>;
using display_event = displays::display_event<traits>;

namespace {

HWND g_main = nullptr;
std::vector<std::string> g_messages;

paint_surface test_surface() { return {g_main, nullptr}; }

// Stands in for the host's main window procedure: it answers the size
// request the way the host does, by handing a size event to the window object.
LRESULT CALLBACK main_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == message_paint_now) {
    g_messages.push_back("paint now");
    return 0;
  }
  if (message == message_size_event) {
    auto* w = reinterpret_cast<details::winobj_virtual_window*>(lparam);
    g_messages.push_back("size event");
    const RECT& r = w->rect();
    event<traits> size(ev_size{0, r.right - r.left, r.bottom - r.top});
    details::virtual_window_controller::current()->send_event(w, size);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Records what reaches the control through the installed subclass procedure.
LRESULT CALLBACK control_hook(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* owner = static_cast<details::winobj_virtual_window*>(GetPropW(hwnd, details::native_control_property));
  if (message == WM_SETFOCUS) g_messages.push_back("control focused");
  return CallWindowProcW(owner ? owner->saved_window_procedure() : nullptr, hwnd, message, wparam, lparam);
}

LRESULT CALLBACK fake_edit_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi::headless::Reset();
    installed.Install(&details::set_native_control_procedure);
    winapi::headless::SetScreenSize(1000, 800);
    g_messages.clear();
    WNDCLASSW main_class{};
    main_class.lpfnWndProc = main_procedure;
    main_class.lpszClassName = L"TestMain";
    ASSERT_NE(RegisterClassW(&main_class), 0);
    // The layer may provide EDIT itself; otherwise a plain stand-in will do.
    WNDCLASSW edit_class{};
    edit_class.lpfnWndProc = fake_edit_procedure;
    edit_class.lpszClassName = L"EDIT";
    RegisterClassW(&edit_class);
    g_main = CreateWindowExW(0, L"TestMain", L"Title", WS_CAPTION | WS_SYSMENU, 0, 0, 300, 200, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(g_main, nullptr);
    installed.Install(&set_paint_surface_source, test_surface);
  }

  void TearDown() override {
    installed.RestoreAll();
    g_main = nullptr;
  }

  template <class D>
  notus::shared_connection<> listen(D& d, std::vector<std::string>& seen) {
    return notus::make_shared_connection(d, ttl::func::function1<void, display_event&>([&seen](display_event& e) {
                                           std::string entry = "kind " + std::to_string(e.payload.kind.index());
                                           if (auto* s = e.payload.kind.get_if<kind_size>()) {
                                             entry += ' ';
                                             entry += std::to_string(s->width);
                                             entry += 'x';
                                             entry += std::to_string(s->height);
                                           }
                                           seen.push_back(entry);
                                         }));
  }

  details::virtual_window_controller controller;
  test_support::ScopedInstalls installed;
};

TEST_F(MainWindow, UpdateAndResizeWithNotifyAskTheHostBeforeReturning) {
  displays::virtual_window<traits> d;
  std::vector<std::string> seen;
  auto c = listen(d, seen);
  d.handle().get()->set_dirty(false);
  impl::update(d.handle());
  EXPECT_TRUE(d.handle().get()->dirty());
  EXPECT_EQ(g_messages, (std::vector<std::string>{"paint now"}));

  impl::resize(d.handle(), {40, 30}, false);
  impl::resize(d.handle(), {60, 20}, true);
  EXPECT_EQ(g_messages, (std::vector<std::string>{"paint now", "size event"}));
  EXPECT_EQ(seen, (std::vector<std::string>{"kind 3 60x20"}));
}

TEST_F(MainWindow, PostMessageNamesTheWindowObjectAndKeepsWParam) {
  displays::virtual_window<traits> d;
  impl::post_message(d.handle(), message_deferred, 99, 7);
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, g_main);
  EXPECT_EQ(msg.message, message_deferred);
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(d.handle().get()));
}

TEST_F(MainWindow, AWindowWithoutANativeOneTakesTheNativeFocusThroughTheMainWindow) {
  displays::virtual_window<traits> d;
  SetFocus(nullptr);
  impl::set_focus(d.handle());
  EXPECT_EQ(GetFocus(), g_main);
}

TEST_F(MainWindow, TheFrameSizesTheMainWindowsClientAreaAndCentresIt) {
  displays::virtual_window_frame<traits> frame;
  EXPECT_EQ(frame.handle().get()->native_window(), g_main);
  impl::set_text(frame.handle(), L"Kestrel");
  EXPECT_EQ(impl::get_text(frame.handle()), L"Kestrel");

  impl::resize(frame.handle(), {480, 640}, false);
  RECT client{}, outer{};
  GetClientRect(g_main, &client);
  GetWindowRect(g_main, &outer);
  EXPECT_EQ(client.right - client.left, 480);
  EXPECT_EQ(client.bottom - client.top, 640);
  EXPECT_EQ(outer.left, (1000 - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (800 - (outer.bottom - outer.top)) / 2);
  EXPECT_TRUE(IsWindowVisible(g_main));

  // Asking for the size it has already moves nothing.
  MoveWindow(g_main, 3, 4, outer.right - outer.left, outer.bottom - outer.top, FALSE);
  impl::resize(frame.handle(), {480, 640}, false);
  GetWindowRect(g_main, &outer);
  EXPECT_EQ(outer.left, 3);
  // The frame never destroys the main window.
  frame.handle().release();
  EXPECT_TRUE(IsWindow(g_main));
}

TEST_F(MainWindow, AnEditBoxOwnsANativeControlThatFollowsIt) {
  details::set_native_control_procedure(control_hook);
  auto box = std::make_unique<displays::virtual_window_editbox<traits>>();
  auto* w = box->handle().get();
  const HWND control = w->native_window();
  ASSERT_TRUE(IsWindow(control));
  EXPECT_EQ(GetParent(control), g_main);
  EXPECT_EQ(GetPropW(control, details::native_control_property), w);
  EXPECT_EQ(GetWindowLongPtrW(control, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(control_hook));
  EXPECT_NE(w->saved_window_procedure(), nullptr);

  impl::move(box->handle(), {20, 30});
  impl::resize(box->handle(), {100, 24}, false);
  RECT r{};
  GetWindowRect(control, &r);
  POINT origin{0, 0};
  ClientToScreen(g_main, &origin);
  EXPECT_EQ(r.left - origin.x, 20);
  EXPECT_EQ(r.top - origin.y, 30);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 24);

  EXPECT_EQ(impl::get_text(box->handle()), L"");
  impl::set_text(box->handle(), L"Player 2");
  EXPECT_EQ(impl::get_text(box->handle()), L"Player 2");

  impl::set_focus(box->handle());
  EXPECT_EQ(GetFocus(), control);
  EXPECT_EQ(g_messages, (std::vector<std::string>{"control focused"}));

  // The control's own messages reach only its window object.
  std::vector<std::string> seen;
  auto c = listen(*box, seen);
  event<traits> from_control(ev_key{0, 1, 'A', 0});
  from_control.record.message.hwnd = control;
  controller.dispatch_to_window(from_control);
  EXPECT_EQ(seen, (std::vector<std::string>{"kind 2"}));

  box.reset();
  EXPECT_FALSE(IsWindow(control));
}

TEST_F(MainWindow, AControlThatCannotBeMadeLeavesNoWindowBehind) {
  g_main = nullptr;  // a child control needs its parent
  try {
    displays::virtual_window_editbox<traits> box;
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "unable to create control");
  }
  EXPECT_TRUE(controller.tab_order().empty());
}

}  // namespace
