// Keyboard play on a real game through the window controller: the value keys
// obey the same rule as the value keypad's digit buttons, and a popup keypad
// that closes leaves the keys to the grid.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "game/grid/GridSymbols.h"
#include "notus/key_codes.h"
#include "tests/forms_game/game_fixture.h"

namespace {

using namespace game_test;
using gamecommands::Services;

class KeyboardPlayTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    Services::InstallCurrentGame([this] { return current; });
  }

  // A shown game whose solution is known everywhere, with the cells of
  // `open` left to the player.
  template <unsigned N>
  std::shared_ptr<Game<N>> Start(std::initializer_list<std::uint32_t> open, std::uint32_t keypadType) {
    auto game = MakeGame<N>();
    FillGrid(*game, [open](std::uint32_t i) { return std::find(open.begin(), open.end(), i) == open.end(); });
    game->SetEnteringNumbers(keypadType);
    game->Deactivate();
    game->Activate(false);
    current = game;
    return game;
  }

  template <unsigned N>
  void ClickCell(Game<N>& game, std::uint32_t cell) {
    constexpr int S = static_cast<int>(N * N);
    const RECT r = RectOf(game.gridView());
    const int w = (r.right - r.left) / S, h = (r.bottom - r.top) / S;
    click(r.left + static_cast<int>(cell) % S * w + w / 2, r.top + static_cast<int>(cell) / S * h + h / 2);
  }
  template <class View>
  void ClickButton(const std::shared_ptr<View>& v) {
    ASSERT_TRUE(Visible(v));
    const RECT r = RectOf(*v);
    click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void Type(char c) {
    route(widget_test::platform_event(notus::impl::ev_key{0, 1, c, 0}));
    route(widget_test::platform_event(notus::impl::ev_key{0, 0, c, 0}));
  }
  void Press(int code) {
    key_down(code);
    key_up(code);
  }
  template <unsigned N>
  static bool GridHasFocus(Game<N>& game) {
    return window_ops::has_focus(game.gridView().display().handle());
  }

  // Every value key on a cell whose candidates allow two values: with
  // "allow only valid entries" a key enters its value exactly when the value
  // keypad's digit for it is active. Candidates take any key.
  template <unsigned N>
  void ExpectValueKeysFollowTheValueKeypad(std::uint32_t symbols, std::function<char(std::uint32_t)> keyOf) {
    constexpr std::uint32_t S = N * N;
    SCOPED_TRACE("N=" + std::to_string(N) + " symbols=" + std::to_string(symbols));
    // Two open cells, so that no entry completes the grid.
    const std::uint32_t cell = S + 2;
    auto game = Start<N>({cell, cell + 1}, 0);
    game->SetGridSymbols(symbols);
    game->SetAllowOnlyValidEntries(true);
    const std::uint16_t allowed = static_cast<std::uint16_t>((1u << 1) | (1u << (S - 1)));
    game->SetCandidates(cell, allowed);
    ClickCell(*game, cell);
    ASSERT_EQ(game->GetCurrentCell(), cell);
    ASSERT_TRUE(GridHasFocus(*game));
    const auto& digits = game->keypads().value.digits;
    for (std::uint32_t v = 0; v < S; ++v) {
      const bool valid = (allowed >> v) & 1u;
      EXPECT_EQ(digits[v]->model().active, valid) << "digit " << v;
      Type(keyOf(v));
      EXPECT_EQ(game->GetCellValue(cell), valid ? static_cast<int>(v) : -1) << "key '" << keyOf(v) << "'";
      game->ClearCellValue(cell);
    }
    // Without the option every key enters.
    game->SetAllowOnlyValidEntries(false);
    Type(keyOf(0));
    EXPECT_EQ(game->GetCellValue(cell), 0);
    game->ClearCellValue(cell);

    game->SetAllowOnlyValidEntries(true);
    ClickButton(game->keypads().value.s);
    ASSERT_FALSE(game->IsValueInputMode());
    ClickCell(*game, cell);
    Type(keyOf(0));
    EXPECT_EQ(game->GetCandidates(cell), allowed | 1u);
    EXPECT_EQ(game->GetCellValue(cell), -1);
  }

  std::shared_ptr<GameBase> current;
};

TEST_F(KeyboardPlayTest, WithOnlyValidEntriesAValueKeyEntersWhatTheValueKeypadWouldTake) {
  auto digit = [](std::uint32_t v) { return static_cast<char>(grid::ValueToSymbol(v)); };
  ExpectValueKeysFollowTheValueKeypad<3>(0, digit);
  ExpectValueKeysFollowTheValueKeypad<4>(0, digit);
  ExpectValueKeysFollowTheValueKeypad<4>(1, [](std::uint32_t v) { return static_cast<char>('A' + v); });
}

TEST_F(KeyboardPlayTest, AClosingPopupGivesTheFocusBackToTheGridSoTheNextDigitEntersAValue) {
  using namespace notus::key_codes;
  struct Case {
    const char* closedBy;
    bool openByKey;
    std::function<void(keypad::ValueKeypad<3>&)> close;
  };
  const Case cases[] = {
      {"a digit", false, [this](auto& pad) { ClickButton(pad.digits[4]); }},
      {"ok", false, [this](auto& pad) { ClickButton(pad.ok); }},
      {"Escape", false, [this](auto&) { Press(escape); }},
      // Keys only: Return on the grid opens it, Return on its focused "ok"
      // closes it.
      {"Return on ok", true, [this](auto&) { Press(enter); }},
  };
  const std::uint32_t cell = 40;
  auto game = Start<3>({cell, cell + 1}, 2);
  auto& pad = game->keypads().value;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.closedBy);
    game->ClearCellValue(cell);
    // Whether open or not before, two clicks on another cell leave the
    // popup closed and the grid focused.
    ClickCell(*game, cell + 1);
    if (pad.visible) ClickCell(*game, cell + 1);
    ASSERT_FALSE(pad.visible);
    ClickCell(*game, cell);
    if (c.openByKey) {
      ClickCell(*game, cell);  // the second click closes it again
      ASSERT_FALSE(pad.visible);
      Press(enter);
    }
    ASSERT_TRUE(pad.visible);
    ASSERT_TRUE(window_ops::has_focus(pad.ok->display().handle()));
    c.close(pad);
    EXPECT_FALSE(pad.visible);
    EXPECT_TRUE(GridHasFocus(*game));
    EXPECT_EQ(game->GetCurrentCell(), cell);
    Type('7');
    EXPECT_EQ(game->GetCellValue(cell), 6);
  }

  // The candidate popup too: its "ok" leaves a digit to toggle a candidate.
  game->SetCandidates(cell + 1, 0);
  ClickCell(*game, cell + 1);
  if (!pad.visible) ClickCell(*game, cell + 1);
  ClickButton(pad.s);
  ASSERT_FALSE(game->IsValueInputMode());
  auto& candidates = game->keypads().candidate;
  ASSERT_TRUE(candidates.visible);
  ClickButton(candidates.ok);
  EXPECT_FALSE(candidates.visible);
  EXPECT_TRUE(GridHasFocus(*game));
  Type('3');
  EXPECT_EQ(game->GetCandidates(cell + 1), 1u << 2);
}

}  // namespace
