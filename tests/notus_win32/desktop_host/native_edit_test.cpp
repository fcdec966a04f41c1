// The native text-entry control of a window object with flag 8, driven
// through the host's own window procedure and the layer's EDIT control:
// typing, text, key routing, focus both ways, the paint pass and
// destruction.
#include "desktop_fixture.h"

#include "notus/displays/virtual_window.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "notus/platform/ownerdrawWin32/paint_timer.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "tests/support/window_probe.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace desktop_test {
namespace {

using notus::impl::details::winobj_virtual_window;
using probes::journal;
using impl = notus::impl::virtual_window_impl<notus::traits>;
using displays_editbox = notus::displays::virtual_window_editbox<notus::traits>;

constexpr std::uint32_t kGrey = 0xE1E1E1E1u;  // the back buffer's first fill, 225
constexpr RECT kEditPlace{20, 30, 120, 54};

class NativeEditTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    // What WinMain does before it makes the main window.
    installed.Install(&notus::impl::details::set_native_control_procedure, &MainWindowProc);
    ASSERT_TRUE(InitInstance(nullptr, SW_SHOW));
    main = app::instance().main_window();
    // Room for the control; the main window then shows its grey buffer.
    MoveWindow(main, 0, 0, 300, 200, TRUE);
    UpdateWindow(main);
  }
  // Handles what is queued, then stops.
  void run_queued() {
    PostQuitMessage(0);
    app::run_message_loop();
  }

  void type(const std::wstring& text) {
    for (const wchar_t c : text) winapi::headless::InjectChar(main, c);
    run_queued();
  }

  void press(int virtual_key) {
    winapi::headless::InjectKey(main, virtual_key, true);
    winapi::headless::InjectKey(main, virtual_key, false);
    run_queued();
  }

  static std::size_t count(const journal& log, const std::string& entry) {
    return static_cast<std::size_t>(std::count(log.begin(), log.end(), entry));
  }

  HWND main = nullptr;
};

TEST_F(NativeEditTest, TypedTextIsTheWindowTextAndSetTextRoundTrips) {
  displays_editbox box;
  const auto& h = box.handle();
  impl::move(h, {kEditPlace.left, kEditPlace.top});
  impl::resize(h, {100, 24}, false);
  EXPECT_EQ(impl::get_text(h), L"") << "an empty control";

  ASSERT_TRUE(impl::set_focus(h));
  type(L"Player\b\b\bne\u00e9");
  EXPECT_EQ(impl::get_text(h), L"Plane\u00e9");

  impl::set_text(h, L"\u4e2d Kestrel");
  EXPECT_EQ(impl::get_text(h), L"\u4e2d Kestrel");
  type(L"!");
  EXPECT_EQ(impl::get_text(h), L"\u4e2d Kestrel!") << "typing goes on after the set text";
}

TEST_F(NativeEditTest, KeysTypedInTheControlReachOnlyItsOwnWindowObject) {
  journal log;
  auto edit = probes::make_window("edit", log, {kEditPlace, 0, 1, 0}, winobj_virtual_window::flag_native_edit);
  auto other = probes::make_window("other", log, {RECT{0, 0, 10, 10}, 0, 2, 0});
  auto listener = probes::make_window("listener", log, {RECT{0, 0, 200, 200}}, winobj_virtual_window::flag_listener);
  ASSERT_TRUE(root->set_focus(edit.get()));
  ASSERT_EQ(GetFocus(), edit->native_window());
  run_queued();
  log.clear();

  press(VK_TAB);
  type(L"x");
  EXPECT_EQ(root->focused(), edit.get()) << "the controller's Tab handling never saw the key";
  EXPECT_EQ(count(log, "edit:key 1 2"), 1u);
  EXPECT_EQ(count(log, "edit:key 0 2"), 1u);
  EXPECT_EQ(count(log, "edit:kind 0"), 1u) << "the typed character";
  for (const std::string& entry : log) EXPECT_EQ(entry.rfind("edit:", 0), 0u) << entry;

  // The same key with the native focus on the main window goes through the
  // controller: Tab moves the framework focus.
  root->set_focus(other.get());
  log.clear();
  press(VK_TAB);
  EXPECT_EQ(root->focused(), edit.get());
  EXPECT_EQ(count(log, "listener:key 1 2"), 1u);
}

TEST_F(NativeEditTest, FocusMovesBetweenTheFrameworkAndTheNativeControlBothWays) {
  journal log;
  auto edit = probes::make_window("edit", log, {kEditPlace}, winobj_virtual_window::flag_native_edit);
  auto other = probes::make_window("other", log, {RECT{150, 10, 190, 40}});
  const HWND control = edit->native_window();

  root->set_focus(edit.get());
  EXPECT_EQ(GetFocus(), control);
  root->set_focus(other.get());
  EXPECT_EQ(GetFocus(), main);

  // A click into the control takes the native focus; the window object
  // hears of it as a focus event, after the control has acted.
  log.clear();
  winapi::headless::InjectClick(main, kEditPlace.left + 5, kEditPlace.top + 5);
  run_queued();
  EXPECT_EQ(GetFocus(), control);
  EXPECT_EQ(count(log, "edit:state 3"), 1u);
  EXPECT_EQ(count(log, "edit:mouse 3 5,5"), 1u);
  type(L"ok");
  wchar_t text[8] = {};
  GetWindowTextW(control, text, 8);
  EXPECT_EQ(std::wstring(text), L"ok");
}

TEST_F(NativeEditTest, ThePaintPassCopiesTheControlsPixelsUnderTheWindow) {
  journal log;
  auto edit = probes::make_window("edit", log, {kEditPlace}, winobj_virtual_window::flag_native_edit);
  root->set_focus(edit.get());
  type(L"ooo");
  notus::impl::details::PaintAndPresent(main, false);

  const auto& buffer = *app::instance().back_buffer();
  const winapi::Image control = winapi::headless::Capture(edit->native_window());
  ASSERT_EQ(control.width, 100);
  int ink = 0;
  for (int y = 0; y < control.height; ++y)
    for (int x = 0; x < control.width; ++x) {
      const std::uint32_t pixel = control.At(x, y);
      ASSERT_EQ(buffer.pixel(kEditPlace.left + x, kEditPlace.top + y) | 0xFF000000u, pixel | 0xFF000000u)
          << x << "," << y;
      ink += (pixel & 0xFF) < 0x80 ? 1 : 0;
    }
  EXPECT_GT(ink, 10) << "the typed text and the caret are among the copied pixels";
  EXPECT_EQ(buffer.pixel(kEditPlace.left - 1, kEditPlace.top), kGrey) << "nothing outside the window";
}

TEST_F(NativeEditTest, DestroyingTheDisplayRemovesTheControlAndGivesTheFocusBack) {
  auto box = std::make_unique<displays_editbox>();
  impl::move(box->handle(), {kEditPlace.left, kEditPlace.top});
  impl::resize(box->handle(), {100, 24}, false);
  impl::set_focus(box->handle());
  const HWND control = box->handle().get()->native_window();
  ASSERT_EQ(GetFocus(), control);
  const POINT inside{kEditPlace.left + 50, kEditPlace.top + 12};
  EXPECT_EQ(winapi::headless::Capture(main).At(inside.x, inside.y), 0xFFFFFFFFu) << "the control is shown";

  box.reset();
  EXPECT_FALSE(IsWindow(control));
  EXPECT_TRUE(root->tab_order().empty());
  // Keys must still reach the program: the main window takes the focus.
  EXPECT_EQ(GetFocus(), main);
  EXPECT_EQ(winapi::headless::Capture(main).At(inside.x, inside.y) | 0xFF000000u, kGrey | 0xFF000000u)
      << "the main window shows through again";
}

TEST_F(NativeEditTest, AControlTheSystemRefusesThrowsAndRegistersNothing) {
  // A program class of the same name stands in for a refusing system.
  WNDCLASSW refusing{};
  refusing.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    return message == WM_CREATE ? -1 : DefWindowProcW(window, message, wParam, lParam);
  };
  refusing.lpszClassName = L"EDIT";
  ASSERT_NE(RegisterClassW(&refusing), 0);
  try {
    winobj_virtual_window w(winobj_virtual_window::flag_native_edit);
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "unable to create control");
  }
  EXPECT_TRUE(root->tab_order().empty());
  EXPECT_TRUE(root->paint_order().empty());
}

}  // namespace
}  // namespace desktop_test
