#pragma once
// Real games over the widget tests' window controller: the form layouts of
// the source tree's resource file, a main window that answers size requests
// at once, a fresh undo history and session memory, and a fake tick count.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/SessionMemory.h"
#include "forms/gameobject/Game.h"
#include "game/CommandHistory.h"
#include "game/commands/Services.h"
#include "tests/support/folders.h"
#include "tests/support/sizing_host.h"
#include "tests/support/widget_fixture.h"
#include "winapi/headless/headless.h"

namespace game_test {

using widget_test::window_ops;

// The value of a complete, valid grid of box size N at a cell: each row is
// the one above shifted by N, and by one more at each new band.
template <unsigned N>
std::uint8_t SolutionAt(std::uint32_t cell) {
  const std::uint32_t S = N * N;
  const std::uint32_t row = cell / S, column = cell % S;
  return static_cast<std::uint8_t>((row * N + row / N + column) % S);
}

inline constexpr DWORD kStartTicks = 1'000'000;

class GameTest : public widget_test::WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    back_buffer(480, 640);
    sizing_host::install();
    winapi::headless::SetTickCount(kStartTicks);
    SessionMemory::Clear();
    CommandHistory::Create();
    ASSERT_TRUE(folders.LoadLayouts());
  }
  void TearDown() override {
    gamecommands::Services::Reset();
    CommandHistory::Destroy();
    SessionMemory::Clear();
    WidgetTest::TearDown();
  }

  template <unsigned N>
  static std::shared_ptr<Game<N>> MakeGame(std::uint32_t level = 1) {
    return std::make_shared<Game<N>>(level, nullptr);
  }

  // Every cell: the grid's solution known, and the clues where given says.
  template <unsigned N, class Given>
  static void FillGrid(Game<N>& game, Given given) {
    for (std::uint32_t i = 0; i < N * N * N * N; ++i) {
      auto& c = game.gridView().model().cells[i];
      c.solution = SolutionAt<N>(i);
      c.given = given(i) ? 1 : 0;
    }
  }

  static void Advance(DWORD seconds) { winapi::headless::AdvanceTickCount(seconds * 1000); }

  grid_test::Folders folders{{"resources.dat"}};
};

template <class View>
RECT RectOf(View& v) {
  const auto r = window_ops::rect(v.display().handle());
  return {r.left, r.top, r.right, r.bottom};
}
template <class View>
bool Visible(const std::shared_ptr<View>& v) {
  return v->display().handle().get()->visible();
}

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::string ToString(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

}  // namespace game_test
