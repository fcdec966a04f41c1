// The link period on the settable clock: how long it lasts, what a click
// does (once), the hand cursor, and that every way out gives back the cursor, the
// controller and a close.
#include "forms/web/LinkPeriod.h"

#include <stdexcept>

#include "tests/forms_web/web_fixture.h"

namespace web_test {
namespace {

constexpr unsigned kArrow = 32512;
constexpr unsigned kHand = 32649;
const std::wstring kPage = L"https://www.kestrelmill.example/";

using LinkPeriodTest = WebFormsTest;

TEST_F(LinkPeriodTest, FiveWholeSecondsWithTheHandWhenNobodyClicks) {
  winapi::headless::SetTickCount(1'000'300);
  ASSERT_EQ(ClassCursor(), kArrow);
  unsigned during = 0;
  virtual_window_controller* controller = nullptr;
  int idle = 0;
  winapi::headless::SetIdleHook([&] {
    if (++idle > 2) return false;
    during = ClassCursor() == kHand ? ShownCursor() : 0;
    controller = virtual_window_controller::current();
    winapi::headless::AdvanceTickCount(1'000);
    return true;
  });
  RunLinkPeriod(kPage);
  EXPECT_EQ(GetTickCount(), 1'005'000u) << "up to the fifth whole second";
  EXPECT_EQ(during, kHand);
  EXPECT_NE(controller, desktop->root()) << "the forms beneath take no input";
  EXPECT_TRUE(winapi::headless::ShellOpens().empty());
  EXPECT_EQ(ClassCursor(), kArrow);
  EXPECT_EQ(ShownCursor(), kArrow);
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
  winapi::headless::SetIdleHook(nullptr);
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1) << "the period's timer outlived it";
}

// A player who clicks again and again while the browser starts gets one
// page, not one per click: the first click opens it and ends the period.
TEST_F(LinkPeriodTest, TheFirstClickOpensThePageOnceAndEndsThePeriod) {
  winapi::headless::SetTickCount(1'000'300);
  int clicks = 0;
  winapi::headless::SetIdleHook([&] {
    if (clicks == 10) return false;
    winapi::headless::AdvanceTickCount(250);
    winapi::headless::InjectClick(main, 100, 100);  // over the splash, where a form's window would be
    ++clicks;
    return true;
  });
  RunLinkPeriod(kPage);
  ASSERT_EQ(winapi::headless::ShellOpens().size(), 1u) << "after " << clicks << " clicks";
  EXPECT_EQ(winapi::headless::ShellOpens()[0].target, kPage);
  EXPECT_EQ(winapi::headless::ShellOpens()[0].showCommand, SW_SHOW);
  EXPECT_EQ(GetTickCount(), 1'000'550u) << "ended at the first click";
  EXPECT_EQ(ClassCursor(), kArrow);
  EXPECT_EQ(ShownCursor(), kArrow);
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
  winapi::headless::SetIdleHook(nullptr);
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1) << "the period's timer outlived it";
}

TEST_F(LinkPeriodTest, ACloseEndsThePeriodAndStillEndsTheProgram) {
  winapi::headless::SetTickCount(1'000'000);
  bool closed = false;
  winapi::headless::SetIdleHook([&] {
    if (closed) return false;
    winapi::headless::AdvanceTickCount(2'000);
    PostMessageW(main, WM_CLOSE, 0, 0);
    closed = true;
    return true;
  });
  RunLinkPeriod(kPage);
  EXPECT_EQ(GetTickCount(), 1'002'000u) << "the period ends at the close";
  EXPECT_EQ(ClassCursor(), kArrow);
  EXPECT_EQ(ShownCursor(), kArrow);
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
  EXPECT_TRUE(winapi::headless::ShellOpens().empty());
  winapi::headless::SetIdleHook(nullptr);
  EXPECT_EQ(app::run_message_loop(), 0) << "the main loop takes the quit";
}

TEST_F(LinkPeriodTest, AQuitKeepsItsExitCode) {
  winapi::headless::SetTickCount(1'000'000);
  winapi::headless::SetIdleHook([] {
    PostQuitMessage(3);
    return true;
  });
  RunLinkPeriod(kPage);
  winapi::headless::SetIdleHook(nullptr);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(LinkPeriodTest, AnExceptionLeavesTheCursorAndControllerAsTheyWere) {
  winapi::headless::SetTickCount(1'000'000);
  winapi::headless::SetIdleHook([]() -> bool { throw std::runtime_error("failed in the period"); });
  EXPECT_THROW(RunLinkPeriod(kPage), std::runtime_error);
  EXPECT_EQ(ClassCursor(), kArrow);
  EXPECT_EQ(ShownCursor(), kArrow);
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
  winapi::headless::SetIdleHook(nullptr);
  MSG msg;
  EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1) << "the period's timer outlived it";
}

}  // namespace
}  // namespace web_test
