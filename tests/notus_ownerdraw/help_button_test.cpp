// The help button runs the installed help dialog after its listeners, and
// works on when the dialog ran a nested message loop of its own.

#include "notus/ownerdraw/help_button.h"

#include <memory>
#include <string>
#include <vector>

#include "notus/ownerdraw/push_button.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "tests/support/widget_fixture.h"

namespace {

using namespace widget_test;
using tooltip::help_button_view;

class HelpButton : public WidgetTest {
 protected:
  HelpButton() {
    place(help, {10, 10, 40, 40});
    help.model().help_text_id = 350;
  }

  help_button_view help;
  std::vector<std::string> log;
  notus::shared_connection<> form = listen(help, [this](platform_event& e) {
    if (e.kind.get_if<notus::impl::kind_click>()) log.push_back("form click");
  });
};

TEST_F(HelpButton, StartsWithoutAHelpText) {
  help_button_view fresh;
  EXPECT_EQ(fresh.model().help_text_id, 0u);
  EXPECT_EQ(fresh.model().glyph_id3, 0u);
}

TEST_F(HelpButton, TheDialogRunsAfterTheListenersWithTheTitle389) {
  click(20, 20);  // no runner installed: nothing but the click
  EXPECT_EQ(log, std::vector<std::string>{"form click"});
  log.clear();
  notus::ownerdraw::set_help_dialog_runner([this](std::uint32_t text, std::uint32_t title) {
    log.push_back("dialog " + std::to_string(text) + " " + std::to_string(title));
  });
  click(20, 20);
  key_down(codes::space);
  key_up(codes::space);
  EXPECT_EQ(log, (std::vector<std::string>{"form click", "dialog 350 389", "form click", "dialog 350 389"}));
}

// The main window turns input messages into events for the current
// controller, as the program's window procedure does.
LRESULT CALLBACK main_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if ((message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) || message == WM_KEYDOWN || message == WM_KEYUP) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    platform_event e(msg);
    if (auto* c = controller_type::current()) c->dispatch(e);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

// The dialog builds its own controller and an OK button, then runs a nested
// loop over posted input: a click aimed at the help button below (which the
// dialog's controller keeps from it), then a click on OK, which quits.
TEST_F(HelpButton, ANestedDialogLoopLeavesTheButtonWorking) {
  WNDCLASSW main_class{};
  main_class.lpfnWndProc = main_procedure;
  main_class.lpszClassName = L"HelpTestMain";
  ASSERT_NE(RegisterClassW(&main_class), 0);
  const HWND main =
      CreateWindowExW(0, L"HelpTestMain", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(main, nullptr);

  int runs = 0;
  std::vector<bool> pressed_meanwhile;
  notus::ownerdraw::set_help_dialog_runner([&](std::uint32_t, std::uint32_t) {
    ++runs;
    pressed_meanwhile.push_back(help.model().pressed);
    controller_type dialog;
    notus::ownerdraw::push_button_view ok;
    place(ok, {100, 100, 160, 120});
    auto quit = listen(ok, [](platform_event& e) {
      if (e.kind.get_if<notus::impl::kind_click>()) host_test::app::quit();
    });
    for (auto [x, y] : {std::pair{20, 20}, std::pair{110, 110}}) {
      PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
      PostMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    EXPECT_EQ(host_test::app::run_message_loop(), 0);
  });

  click(20, 20);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(controller_type::current(), &controller);
  EXPECT_EQ(controller.capturing(), nullptr);
  EXPECT_FALSE(help.model().pressed);

  // Once more by mouse through the window procedure, then by key, which
  // holds the pressed face while the dialog runs.
  PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  for (int pumped = 0; pumped < 2; ++pumped) host_test::app::pump_message();
  EXPECT_EQ(runs, 2);
  key_down(codes::space);
  key_up(codes::space);
  EXPECT_EQ(runs, 3);
  EXPECT_EQ(controller.capturing(), nullptr);
  EXPECT_FALSE(help.model().pressed);
  EXPECT_EQ(pressed_meanwhile, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(log, (std::vector<std::string>{"form click", "form click", "form click"}));
  DestroyWindow(main);
}

}  // namespace
