// The main window's frame view on the real window procedure: caption, white
// paint, close and the innermost loop, the tab-bar factory and the deferred
// form, and the loop-entry hook.
#include "desktop_fixture.h"

#include "notus/ownerdraw/main_window.h"
#include "notus/platform/ownerdrawWin32/paint_surface.h"

#include <memory>
#include <string>
#include <vector>

namespace desktop_test {
namespace {

using notus::mainwindow::main_window_view;
using strings = std::vector<std::string>;
using platform_event = notus::impl::event<notus::traits>;

class MainFrameTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    ASSERT_TRUE(InitInstance(nullptr, SW_SHOW));
    main = app::instance().main_window();
    installed.Install(&notus::mainwindow::set_tab_bar_factory,
                      [this](const std::shared_ptr<notus::mainwindow::frame_display>& frame) {
                        factory_frames.push_back(frame.get());
                        return std::make_shared<int>(int(factory_frames.size()));
                      });
    // The tests install these themselves.
    installed.Install(&notus::mainwindow::set_deferred_form_builder);
    installed.Install(&app::set_loop_entry_hook);
    frame = std::make_unique<main_window_view>();
  }
  void TearDown() override {
    frame.reset();
    DesktopTest::TearDown();
  }

  void send(const platform_event& e) {
    platform_event copy = e;
    virtual_window_controller::current()->send_event(frame->display().handle().get(), copy);
  }
  // Handles whatever is queued; true when a WM_QUIT was among it.
  static bool drain() {
    bool quit = false;
    for (int i = 0; i < 20; ++i) quit = app::pump_message() || quit;
    return quit;
  }
  int tab_bar_number() const { return *std::static_pointer_cast<int>(std::get<2>(frame->strategies()).tab_bar()); }

  HWND main = nullptr;
  std::vector<const void*> factory_frames;
  std::unique_ptr<main_window_view> frame;
};

TEST_F(MainFrameTest, TheTitleModelSetsTheCaption) {
  frame->model().assign(L"Tavlin \u00e9");
  notus::events::model_update update;
  frame->model().raise(update);
  wchar_t caption[64]{};
  GetWindowTextW(main, caption, 64);
  EXPECT_EQ(std::wstring(caption), L"Tavlin \u00e9");
}

TEST_F(MainFrameTest, APaintFillsTheClientAreaWhite) {
  RECT client{};
  GetClientRect(main, &client);
  notus::impl::virtual_window_impl<notus::traits>::resize(frame->display().handle(), {client.right, client.bottom},
                                                          false);
  app::instance().back_buffer()->fill_bytes(0x40);
  SendMessageW(main, notus::impl::message_paint_now, 0, 0);
  const auto shot = winapi::headless::Capture(main);
  EXPECT_EQ(shot.At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(shot.At(client.right / 2, client.bottom / 2), 0xFFFFFFFFu);
  EXPECT_EQ(shot.At(client.right - 1, client.bottom - 1), 0xFFFFFFFFu);
}

TEST_F(MainFrameTest, OnlyACloseWithWordZeroQuits) {
  struct row {
    const char* name;
    platform_event e;
    bool quits;
  };
  const row rows[] = {
      {"close", platform_event(notus::impl::ev_close{0, 0}), true},
      {"close, word 1", platform_event(notus::impl::ev_close{0, 1}), false},
      {"command (kind 7)", platform_event(notus::impl::ev_command{}), false},
      {"state 3", platform_event(notus::impl::ev_state{0, 3}), false},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.name);
    drain();
    send(r.e);
    EXPECT_EQ(drain(), r.quits);
  }
}

TEST_F(MainFrameTest, CloseEndsOnlyTheInnermostLoopAfterTheListeners) {
  strings log;
  auto listening = notus::make_shared_connection(
      *frame, main_window_view::slot_type([&](main_window_view::view_event_type&) { log.push_back("listener"); }));
  notus::mainwindow::set_deferred_form_builder([&] {
    log.push_back("deferred");
    app::quit();
  });
  app::set_loop_entry_hook([&](int depth) {
    log.push_back("enter " + std::to_string(depth));
    if (depth == 1) {
      log.push_back("nested ends " + std::to_string(app::run_message_loop()));
      // Only the outer loop still runs to take this.
      PostMessageW(main, notus::impl::message_deferred, 0, 0);
    } else {
      send(platform_event(notus::impl::ev_close{0, 0}));
      log.push_back("close sent");
    }
  });
  EXPECT_EQ(app::run_message_loop(), 0);
  EXPECT_EQ(log, (strings{"enter 1", "enter 2", "listener", "close sent", "nested ends 0", "listener", "deferred"}));
}

TEST_F(MainFrameTest, StateZeroRebuildsTheTabBarAndOtherStatesKeepIt) {
  ASSERT_EQ(factory_frames.size(), 1u);
  EXPECT_EQ(factory_frames[0], frame->display_ptr().get());
  std::weak_ptr<void> first = std::get<2>(frame->strategies()).tab_bar();
  for (int state = 1; state <= 5; ++state) send(platform_event(notus::impl::ev_state{0, state}));
  EXPECT_EQ(factory_frames.size(), 1u);
  EXPECT_EQ(tab_bar_number(), 1);

  send(platform_event(notus::impl::ev_state{0, 0}));
  EXPECT_EQ(factory_frames.size(), 2u);
  EXPECT_EQ(tab_bar_number(), 2);
  EXPECT_TRUE(first.expired());
}

TEST_F(MainFrameTest, TheDeferredMessageWithoutTargetRunsTheInstalledBuilderOnTheFrame) {
  int built = 0;
  PostMessageW(main, notus::impl::message_deferred, 0, 0);
  EXPECT_FALSE(drain());  // nothing installed: nothing runs

  notus::mainwindow::set_deferred_form_builder([&] { ++built; });
  PostMessageW(main, notus::impl::message_deferred, 0, 0);
  drain();
  EXPECT_EQ(built, 1);

  // While a dialog's controller is current the frame is not among its
  // windows, so no form is built into the dialog.
  {
    virtual_window_controller dialog;
    PostMessageW(main, notus::impl::message_deferred, 0, 0);
    drain();
  }
  EXPECT_EQ(built, 1);
}

TEST_F(MainFrameTest, TheLoopEntryHookSeesTheDepthOfEachLoop) {
  std::vector<int> depths;
  app::set_loop_entry_hook([&](int depth) {
    depths.push_back(depth);
    if (depth == 1) {
      PostQuitMessage(0);
      app::run_message_loop();
      PostQuitMessage(0);
    }
  });
  EXPECT_EQ(app::run_message_loop(), 0);
  EXPECT_EQ(depths, (std::vector<int>{1, 2}));
  app::set_loop_entry_hook(nullptr);
  PostQuitMessage(0);
  app::run_message_loop();
  EXPECT_EQ(depths.size(), 2u);
}

}  // namespace
}  // namespace desktop_test
