// The keypads' view manager: the commands behind every button id for each
// box size, candidate toggles, inactive buttons, the mode switch, the keys.

#include <gtest/gtest.h>

#include <type_traits>

#include "keypad_fixture.h"

namespace {

using namespace keypad_test;

constexpr int kEscape = 4;

// Raises a button's click as its click strategy does.
template <class View>
void click_event(View& v) {
  notus::ownerdraw::raise_click(v);
}

template <class T>
class KeypadIds : public KeypadFixture<T::value> {};

using BoxSizes = ::testing::Types<std::integral_constant<unsigned, 2>, std::integral_constant<unsigned, 3>,
                                  std::integral_constant<unsigned, 4>>;
TYPED_TEST_SUITE(KeypadIds, BoxSizes);

TYPED_TEST(KeypadIds, EveryButtonMakesItsCommand) {
  constexpr std::uint32_t S = TypeParam::value * TypeParam::value;
  this->UseTopology(2);
  auto& game = *this->game;
  auto& k = *this->keypads;
  game.cells[1].candidates.reset();
  game.cells[1].candidates.set(0);
  // The popup is open at cell 1; a value digit enters its value and
  // closes it.
  game.Click(1);
  ASSERT_TRUE(k.value.visible);
  game.calls.clear();
  click_event(*k.value.digits[S - 1]);
  EXPECT_EQ(game.calls.at(0), "SetCellValue 1 " + std::to_string(S - 1));
  EXPECT_FALSE(k.value.visible);

  game.Click(1);
  game.calls.clear();
  ASSERT_EQ(k.value.x->model().id, 100 + S);
  click_event(*k.value.x);
  EXPECT_EQ(game.calls.at(0), "ClearCellValue 1");
  EXPECT_FALSE(k.value.visible);

  game.Click(1);
  click_event(*k.value.ok);
  EXPECT_FALSE(k.value.visible);
  EXPECT_EQ(k.value.ok->model().id, 102 + S);

  game.Click(1);
  click_event(*k.value.s);
  EXPECT_FALSE(game.valueMode());
  EXPECT_TRUE(k.candidate.visible);
  EXPECT_FALSE(k.value.visible);

  // Candidate digits toggle and leave the popup open; "x" clears the
  // cell's candidates and lays the keypads out again.
  game.calls.clear();
  click_event(*k.candidate.digits[S - 1]);
  EXPECT_EQ(game.calls.at(0), "SetCandidate 1 " + std::to_string(S - 1) + " on");
  EXPECT_TRUE(k.candidate.visible);
  game.calls.clear();
  click_event(*k.candidate.x);
  EXPECT_EQ(game.calls, (std::vector<std::string>{"ClearCandidates 1", "NotifyViews", "LayoutKeypads"}));
  EXPECT_EQ(k.candidate.x->model().id, 200 + S);
  EXPECT_TRUE(k.candidate.visible);
  click_event(*k.candidate.ok);
  EXPECT_FALSE(k.candidate.visible);
  EXPECT_EQ(k.candidate.ok->model().id, 202 + S);

  game.Click(1);
  click_event(*k.candidate.s);
  EXPECT_TRUE(game.valueMode());
  EXPECT_TRUE(k.value.visible);
  EXPECT_EQ(k.candidate.s->model().id, 201 + S);
}

using Keypad3 = KeypadFixture<3>;

TEST_F(Keypad3, ButtonsAreMadeWithTheirTextsIdsAndPlaces) {
  EXPECT_EQ(keypads->value.digits[8]->model().text, L"9");
  EXPECT_EQ(keypads->candidate.digits[0]->model().text, L"1");
  EXPECT_EQ(keypads->value.digits[4]->model().id, 104u);
  EXPECT_EQ(keypads->candidate.digits[4]->model().id, 204);
  EXPECT_EQ(keypads->value.x->model().glyph_inactive, 128u);
  EXPECT_EQ(keypads->candidate.x->model().glyph_active, 123u);
  EXPECT_EQ(keypads->candidate.s->model().glyph_active, 122u);
  UseTopology(0);
  // Value keypad right of the grid, candidate keypad below it.
  EXPECT_GE(rect_of(keypads->value.digits[0]).left, kGrid.right);
  EXPECT_GE(rect_of(keypads->candidate.digits[0]).top, kGrid.bottom);
}

TEST_F(Keypad3, ACandidateClickSetsTheOppositeOfItsCheckedStateAndEndsConsistent) {
  UseTopology(0);
  game->cells[4].candidates.reset();
  game->cells[4].candidates.set(2);
  game->Select(4);
  SwitchToCandidateMode(*keypads);
  ASSERT_TRUE(keypads->candidate.digits[2]->model().selected);
  ASSERT_FALSE(keypads->candidate.digits[0]->model().selected);

  game->calls.clear();
  click_on(keypads->candidate.digits[2]);
  click_on(keypads->candidate.digits[0]);
  EXPECT_EQ(game->calls, (std::vector<std::string>{"SetCandidate 4 2 off", "ClearHint", "NotifyViews",
                                                   "SetCandidate 4 0 on", "ClearHint", "NotifyViews"}));
  for (std::uint32_t d : {0u, 2u})
    EXPECT_EQ(keypads->candidate.digits[d]->model().selected, game->cells[4].candidates.test(d)) << d;
  ASSERT_TRUE(CommandHistory::Instance()->CanUndo());
}

TEST_F(Keypad3, InactiveButtonsIgnoreMouseAndKeysAndRepaintWhenTheirFlagChanges) {
  UseTopology(0);
  game->Select(0);
  keypads->value.allowOnlyValidEntries = 1;
  game->cells[4].candidates.reset();
  game->cells[4].candidates.set(1);
  paint();
  game->Select(4);
  auto& digit0 = keypads->value.digits[0];
  auto& digit1 = keypads->value.digits[1];
  EXPECT_FALSE(digit0->model().active);
  EXPECT_TRUE(digit1->model().active);
  EXPECT_TRUE(dirty(*digit0)) << "a button that turned inactive was not repainted";
  EXPECT_FALSE(dirty(*digit1));

  game->calls.clear();
  click_on(digit0);
  window_ops::set_focus(digit0->display().handle());
  key_down(codes::enter);
  key_up(codes::enter);
  key_down(codes::space);
  key_up(codes::space);
  EXPECT_TRUE(game->calls.empty());
  EXPECT_EQ(controller.capturing(), nullptr);
  EXPECT_FALSE(digit0->model().pressed);

  click_on(digit1);
  EXPECT_EQ(game->calls.at(0), "SetCellValue 4 1");
  // The value is in, so the value "x" can now remove it.
  EXPECT_TRUE(keypads->value.x->model().active);
}

TEST_F(Keypad3, PanelModeSwitchShowsTheOtherSwitchButtonInTheSameCornerWithTheFocus) {
  UseTopology(0);
  game->Select(10);
  ShowPanelKeypads(*keypads);
  EXPECT_TRUE(visible(keypads->value.s));
  EXPECT_FALSE(visible(keypads->candidate.s));
  const RECT corner = rect_of(keypads->value.s);

  click_on(keypads->value.s);
  EXPECT_FALSE(game->valueMode());
  EXPECT_FALSE(visible(keypads->value.s));
  EXPECT_TRUE(visible(keypads->candidate.s));
  EXPECT_TRUE(focused(keypads->candidate.s));
  const RECT other = rect_of(keypads->candidate.s);
  EXPECT_TRUE(corner.left == other.left && corner.top == other.top && corner.right == other.right &&
              corner.bottom == other.bottom);
  // Both panels stay.
  EXPECT_TRUE(visible(keypads->value.digits[0]));
  EXPECT_TRUE(visible(keypads->candidate.digits[0]));

  key_down(codes::enter);
  key_up(codes::enter);
  EXPECT_TRUE(game->valueMode());
  EXPECT_TRUE(focused(keypads->value.s));
  EXPECT_FALSE(visible(keypads->candidate.s));
}

TEST_F(Keypad3, AModeSwitchBeforeAnyCellPlacesAndUpdatesNothing) {
  UseTopology(2);
  const RECT before = rect_of(keypads->candidate.digits[0]);
  keypads->candidate.digits[0]->model().selected = true;
  SwitchToCandidateMode(*keypads);
  EXPECT_FALSE(game->valueMode());
  EXPECT_EQ(keypads->candidate.laidOutCell, 83u);
  EXPECT_TRUE(keypads->candidate.digits[0]->model().selected);
  EXPECT_EQ(rect_of(keypads->candidate.digits[0]).left, before.left);
  // The first cell update then places it.
  game->Select(40);
  EXPECT_EQ(keypads->candidate.laidOutCell, 40u);
}

TEST_F(Keypad3, ArrowsMoveByTopology) {
  // A window of another tab group for the arrows to leave to when the
  // candidate panel is not the next group.
  notus::ownerdraw::push_button_view outside;
  place(outside, {0, 620, 40, 640}, 7, 0);
  struct Case {
    std::uint32_t type;
    int code;
    int from;
    int to;  // digit index, or -1: out of the value keypad's tab group
  } cases[] = {
      {0, codes::right, 0, -1}, {0, codes::down, 4, -1}, {1, codes::up, 4, -1},
      {2, codes::right, 4, 5},  {2, codes::down, 4, 7},  {2, codes::up, 4, 1},
      {3, codes::left, 4, 3},   {4, codes::down, 4, 5},  {5, codes::up, 4, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type) + ", code " + std::to_string(c.code));
    UseTopology(c.type);
    game->Select(40);
    ShowKeypadPopup(keypads->value);
    ASSERT_TRUE(window_ops::set_focus(keypads->value.digits[c.from]->display().handle()));
    key_down(c.code);
    if (c.to < 0) {
      bool inside = focused(keypads->value.x) || focused(keypads->value.s) || focused(keypads->value.ok);
      for (auto& d : keypads->value.digits) inside = inside || focused(d);
      EXPECT_FALSE(inside);
      EXPECT_NE(controller.focused(), nullptr);
    } else
      EXPECT_TRUE(focused(keypads->value.digits[c.to]));
    HideKeypadPopup(keypads->value, true);
  }
}

TEST_F(Keypad3, EscapeClosesThePopupOfTheModeButNeverAPanel) {
  UseTopology(3);
  game->Click(20);
  ASSERT_TRUE(focused(keypads->value.ok));
  key_down(kEscape);
  EXPECT_FALSE(keypads->value.visible);
  EXPECT_FALSE(visible(keypads->value.digits[0]));

  UseTopology(0);
  ShowPanelKeypads(*keypads);
  window_ops::set_focus(keypads->value.digits[0]->display().handle());
  key_down(kEscape);
  EXPECT_TRUE(keypads->value.visible);
  EXPECT_TRUE(visible(keypads->value.digits[0]));
}

}  // namespace
