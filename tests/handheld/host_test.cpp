// The handheld host on the headless layer: its main window at the device's
// size, the shell hidden while it is active, the idle timer reset on every
// paint tick, the soft keyboard while text-entry controls exist, the splash,
// and the run handlers it shares with the desktop.
#include "tests/handheld/headless_handheld.h"

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"
#include "platform/handheld/ShowSplashLogo.h"
#include "platform/host/host_common.h"
#include "startup/CannotStart.h"
#include "svg/builtin_logo.h"
#include "winapi/default_font.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace handheld_test {
namespace {

namespace device = winapi::device;
using notus::impl::details::GDIBuffer;

TEST(HandheldHost, TheMainWindowCoversTheDevicesScreen) {
  HeadlessHandheld host(1000, SIZE{240, 320});
  RECT client{};
  GetClientRect(host.main(), &client);
  EXPECT_EQ(client.right, 240);
  EXPECT_EQ(client.bottom, 320);
  EXPECT_TRUE(IsWindowVisible(host.main()));
  EXPECT_EQ(FindWindowW(handheld::main_window_class, handheld::main_window_title), host.main());
  EXPECT_TRUE(device::HoldsInstanceLock());
  ASSERT_NE(notus::impl::details::app::instance().back_buffer(), nullptr);
  EXPECT_EQ(notus::impl::details::app::instance().back_buffer()->width(), 240);
}

TEST(HandheldHost, ActivationHidesTheShellAndLeavingShowsItAgain) {
  HeadlessHandheld host(1000, SIZE{480, 640});
  SendMessageW(host.main(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(device::ShellState(), 0x2Au);
  SendMessageW(host.main(), WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_EQ(device::ShellState(), 0x15u);
  SendMessageW(host.main(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
  EXPECT_TRUE(device::ShellChromeHidden());
}

TEST(HandheldHost, EveryPaintTickResetsTheIdleTimer) {
  HeadlessHandheld host(1000, SIZE{240, 320});
  SetTimer(host.main(), handheld::paint_timer_id, handheld::paint_timer_period_ms, &PaintTimerProc);
  for (int tick = 0; tick < 5; ++tick) {
    winapi::headless::AdvanceTickCount(handheld::paint_timer_period_ms);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  EXPECT_EQ(device::IdleTimerResets(), 5u);
  KillTimer(host.main(), handheld::paint_timer_id);
}

// Text input goes off only with the last control, so that closing one never
// stops typing into another.
TEST(HandheldHost, TheSoftKeyboardShowsWhileAnyTextEntryControlExists) {
  HeadlessHandheld host(1000, SIZE{240, 320});
  EXPECT_FALSE(device::TextInputOn()) << "off at start";
  using notus::impl::details::create_native_edit;
  using notus::impl::details::destroy_native_edit;
  const HWND first = create_native_edit(host.main(), nullptr).window;
  EXPECT_TRUE(device::TextInputOn());
  const HWND second = create_native_edit(host.main(), nullptr).window;
  destroy_native_edit(first);
  EXPECT_TRUE(device::TextInputOn()) << "the second control is still there";
  DestroyWindow(second);
  destroy_native_edit(second);  // gone with its parent, say: still counted off
  EXPECT_FALSE(device::TextInputOn());
  EXPECT_EQ(device::SoftKeyboardRequests(), 0);
}

// The splash's pixels, read top row first.
class SplashImage {
 public:
  SplashImage(int width, int height) : m_buffer(nullptr, width, height) {}
  void Draw(const char* svg, RECT area) { handheld::DrawSplash(m_buffer, svg, area); }
  bool White(int x, int y) const {
    const unsigned char* p = m_buffer.pixels() + (m_buffer.height() - 1 - y) * m_buffer.width() * 4 + x * 4;
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
  }
  // The box of the pixels that are not white, {0,0,0,0} when all are.
  RECT Ink() const {
    RECT box{m_buffer.width(), m_buffer.height(), 0, 0};
    for (int y = 0; y < m_buffer.height(); ++y)
      for (int x = 0; x < m_buffer.width(); ++x)
        if (!White(x, y))
          box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                 std::max<LONG>(box.bottom, y + 1)};
    return box.right == 0 ? RECT{0, 0, 0, 0} : box;
  }
  bool InkInRows(int top, int bottom) const {
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < m_buffer.width(); ++x)
        if (!White(x, y)) return true;
    return false;
  }

 private:
  GDIBuffer m_buffer;
};

// Texts drawn below the image: only the logo is left to look at.
constexpr RECT kNoTexts{0, 5000, 240, 6000};

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

TEST(HandheldSplash, TheLogoIsFittedAndCentred) {
  struct Case {
    const char* name;
    const char* svg;
    int width, height;
  };
  const Case cases[] = {
      {"our logo on the device's screen", agg::svg::builtin_logo_svg(), 240, 320},
      {"our logo on a wide screen", agg::svg::builtin_logo_svg(), 640, 200},
      // Full screen on common monitors: our logo draws whatever its work.
      {"our logo on 1024x768", agg::svg::builtin_logo_svg(), 1024, 768},
      {"our logo on 1920x1080", agg::svg::builtin_logo_svg(), 1920, 1080},
      {"our logo on 3840x2160", agg::svg::builtin_logo_svg(), 3840, 2160},
      {"a wide drawing fits the width", "<svg><path d=\"M0,0 L400,0 L400,100 L0,100 Z\" fill=\"#000000\"/></svg>", 240,
       320},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SplashImage image(c.width, c.height);
    image.Draw(c.svg, kNoTexts);
    const RECT ink = image.Ink();
    ASSERT_GT(ink.right, ink.left) << "something is drawn";
    EXPECT_NEAR((ink.left + ink.right) / 2.0, c.width / 2.0, 1.0) << Describe(ink);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, c.height / 2.0, 1.0) << Describe(ink);
  }
  SplashImage wide(240, 320);
  wide.Draw(cases[5].svg, kNoTexts);
  EXPECT_EQ(Describe(wide.Ink()), "0,130-240,190") << "scaled by 240/400 to the full width";
}

TEST(HandheldSplash, ADrawingWithoutWidthOrHeightLeavesTheScreenWhite) {
  for (const char* svg : {"<svg><path d=\"M0,10 L400,10\" stroke=\"#000000\"/></svg>",
                          "<svg><path d=\"M10,0 L10,300\" stroke=\"#000000\"/></svg>", "<svg></svg>"}) {
    SCOPED_TRACE(svg);
    SplashImage image(240, 320);
    image.Draw(svg, kNoTexts);
    EXPECT_EQ(Describe(image.Ink()), "0,0-0,0");
  }
}

// The item (0, 1) box need not start at the top: the texts go into its own
// lowest third, from 10 pixels below that third's top to its bottom.
TEST(HandheldSplash, TheTextsLandInTheLowestThirdOfTheirArea) {
  const char* blank = "<svg></svg>";
  struct Case {
    const char* name;
    RECT area;
  };
  const Case cases[] = {{"the whole screen", {0, 0, 240, 320}}, {"an area lower down", {0, 40, 240, 280}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SplashImage image(240, 320);
    image.Draw(blank, c.area);
    const int height = c.area.bottom - c.area.top;
    const int third = c.area.top + height - height / 3;
    const RECT ink = image.Ink();
    EXPECT_GE(ink.top, third + 10) << Describe(ink);
    EXPECT_LE(ink.bottom, c.area.bottom) << Describe(ink);
    EXPECT_TRUE(image.InkInRows(third + 10, third + 28)) << "\"developed by\"";
    EXPECT_TRUE(image.InkInRows(third + 28, third + 46)) << "the maker's name";
    EXPECT_TRUE(image.InkInRows(c.area.bottom - 16, c.area.bottom)) << "\"Loading...\" at the bottom";
  }
}

// The two lines under the logo keep one under the other at every text size,
// as on the largest screens, where the text is over three times the
// classic line: their places below the third grow with the line.
TEST(HandheldSplash, TheTwoLinesStayApartAtALargeTextSize) {
  const int before = winapi::core::WantedLineHeight();
  winapi::core::SetWantedLineHeight(54);
  SplashImage image(1200, 900);
  image.Draw("<svg></svg>", {0, 0, 1200, 900});
  winapi::core::SetWantedLineHeight(before);
  const int third = 600;
  // Runs of rows with letters, above "Loading..." at the bottom.
  int runs = 0;
  bool inRun = false;
  for (int y = third; y < 900 - 60; ++y) {
    const bool ink = image.InkInRows(y, y + 1);
    if (ink && !inRun) ++runs;
    inRun = ink;
  }
  EXPECT_EQ(runs, 2) << "\"developed by\" and the maker's name, apart";
}

// Both hosts show what ends their run the same way.
TEST(HostRunHandlers, WhatEscapesTheRunIsShownWithItsTextOrTheGeneralOne) {
  struct Case {
    const char* name;
    std::function<void()> run;
    const wchar_t* shown;
  };
  static char writable[] = "m_cellIndex > 256 which is illegal.";
  const Case cases[] = {
      {"out_of_range", [] { throw std::out_of_range("vector"); }, L"vector"},
      {"invalid_argument", [] { throw std::invalid_argument("ResourceManager::GetItemConfig"); },
       L"ResourceManager::GetItemConfig"},
      {"logic_error", [] { throw std::logic_error("logic"); }, L"logic"},
      {"a string literal", [] { throw "No such SVG node!"; }, L"No such SVG node!"},
      {"a char*", [] { throw static_cast<char*>(writable); }, L"m_cellIndex > 256 which is illegal."},
      {"runtime_error", [] { throw std::runtime_error("unable to create control"); },
       L"Not enough memory or unknown error!"},
      {"bad_alloc", [] { throw std::bad_alloc(); }, L"Not enough memory or unknown error!"},
      {"anything else", [] { throw 42; }, L"Not enough memory or unknown error!"},
      {"a file start-up cannot do without", [] { throw startup::CannotStart(L"resources.dat is damaged"); },
       L"resources.dat is damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    winapi::headless::Reset();
    EXPECT_FALSE(host::RunShowingErrors(c.run)) << "the run failed";
    ASSERT_EQ(winapi::headless::MessageBoxes().size(), 1u);
    const auto& box = winapi::headless::MessageBoxes()[0];
    EXPECT_EQ(box.text, c.shown);
    EXPECT_EQ(box.caption, L"Kestrel Mill");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(box.owner, nullptr);
  }
  winapi::headless::Reset();
  EXPECT_TRUE(host::RunShowingErrors([] {}));
  EXPECT_TRUE(winapi::headless::MessageBoxes().empty());
}

}  // namespace
}  // namespace handheld_test
