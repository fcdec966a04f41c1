// The game form: its buttons and shortcuts on a real game and undo history,
// and the way it is shown (deferred, the game activated, the Game tab
// selected, the puzzle information only on request).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/commands/ExecuteCommand.h"
#include "game/commands/HintCommands.h"
#include "tests/support/gameform_fixture.h"
#include "winapi/headless/headless.h"

namespace gameform_test {
namespace {

using forms_test::virtual_window_controller;

// The cells of the puzzle as built, after one hint step and after two,
// taken outside the form.
struct Steps {
  std::string start;
  std::string afterOne;
  std::string afterTwo;
};

class GameFormCommandsTest : public GameFormTest {
 protected:
  void SetUp() override {
    GameFormTest::SetUp();
    StartPuzzle();
    steps.start = Cells();
    gamecommands::ExecuteCommand(std::make_shared<gamecommands::Hint_Step>());
    steps.afterOne = Cells();
    gamecommands::ExecuteCommand(std::make_shared<gamecommands::Hint_Step>());
    steps.afterTwo = Cells();
    ASSERT_NE(steps.start, steps.afterOne);
    ASSERT_NE(steps.afterOne, steps.afterTwo);
    hintsShown.clear();
  }

  // The puzzle anew, on a game form just shown.
  void NewPuzzleOnTheForm() {
    StartPuzzle();
    hintsShown.clear();
    ShowGameFormCommand(false).Execute();
    Settle();
    ASSERT_NE(Form(), nullptr);
  }

  Steps steps;
};

TEST_F(GameFormCommandsTest, EachButtonRunsItsCommand) {
  struct Case {
    const char* name;
    std::vector<int> clicks;  // items of form 16
    const std::string Steps::*cells;
    std::size_t hints;
    bool canUndo;
    bool canRedo;
  };
  const Case cases[] = {
      {"hint step", {1}, &Steps::afterOne, 1, true, false},
      {"hint: shows the step, changes and records nothing", {2}, &Steps::start, 1, false, false},
      {"hint step, undo", {1, 3}, &Steps::start, 1, false, true},
      // Redo runs the step again, which shows its hint again.
      {"hint step, undo, redo", {1, 3, 4}, &Steps::afterOne, 2, true, false},
      {"two steps, undo", {1, 1, 3}, &Steps::afterOne, 2, true, true},
      {"undo with nothing to undo", {3}, &Steps::start, 0, false, false},
      {"redo with nothing to redo", {1, 4}, &Steps::afterOne, 1, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewPuzzleOnTheForm();
    for (int item : c.clicks) {
      Click(GameForm::kForm, item);
      Settle();
    }
    EXPECT_EQ(Cells(), steps.*c.cells);
    EXPECT_EQ(hintsShown.size(), c.hints);
    for (const auto& [text, help] : hintsShown) {
      EXPECT_EQ(help, text + 150) << "help of the technique shown";
      EXPECT_LT(text, 116u);
    }
    EXPECT_EQ(CommandHistory::Instance()->CanUndo(), c.canUndo);
    EXPECT_EQ(CommandHistory::Instance()->CanRedo(), c.canRedo);
  }
}

// Only a button's plain click (second word 0) of ids 1 to 4 runs anything.
TEST_F(GameFormCommandsTest, OtherClicksRunNothing) {
  NewPuzzleOnTheForm();
  Click(GameForm::kForm, GameForm::kHintStepItem);
  Settle();
  ASSERT_EQ(Cells(), steps.afterOne);
  hintsShown.clear();
  for (const notus::impl::ev_click click :
       {notus::impl::ev_click{0, 0}, notus::impl::ev_click{5, 0}, notus::impl::ev_click{10, 0},
        notus::impl::ev_click{1, 1}, notus::impl::ev_click{2, 1}, notus::impl::ev_click{3, 1}}) {
    SCOPED_TRACE("id " + std::to_string(click.id) + ", second word " + std::to_string(click.flag));
    notus::impl::ev_click sent = click;
    GameForm::Clicked{}.on_click(sent, *Form());
    EXPECT_EQ(Cells(), steps.afterOne);
    EXPECT_TRUE(hintsShown.empty());
    EXPECT_TRUE(CommandHistory::Instance()->CanUndo());
  }
}

// Key presses as the player makes them, on a form whose game has one step
// to undo and one to redo.  A release marked "in a dialog" happens while
// another window controller has the input, as under the solved report.
TEST_F(GameFormCommandsTest, ControlZUndoesAndControlShiftZRedoes) {
  struct Key {
    int virtualKey;
    bool down;
    bool inADialog = false;
  };
  const Key ctrl{VK_CONTROL, true}, ctrlUp{VK_CONTROL, false}, shift{VK_SHIFT, true}, shiftUp{VK_SHIFT, false},
      z{'Z', true}, zUp{'Z', false}, f11{VK_F11, true};
  struct Case {
    const char* name;
    std::vector<Key> keys;
    const std::string Steps::*cells;
  };
  const Case cases[] = {
      {"Z alone", {z, zUp}, &Steps::afterOne},
      {"Ctrl+Z", {ctrl, z, zUp, ctrlUp}, &Steps::start},
      {"Ctrl+Shift+Z", {ctrl, shift, z, zUp, shiftUp, ctrlUp}, &Steps::afterTwo},
      {"Shift+Z", {shift, z, zUp, shiftUp}, &Steps::afterOne},
      {"Control released before Z", {ctrl, ctrlUp, z, zUp}, &Steps::afterOne},
      {"Shift released before Z", {ctrl, shift, shiftUp, z}, &Steps::start},
      {"Control down twice", {ctrl, ctrl, z}, &Steps::start},
      {"Control+F11", {ctrl, f11}, &Steps::afterOne},
      {"Control released in a dialog", {ctrl, {VK_CONTROL, false, true}, z, zUp}, &Steps::afterOne},
      {"Shift released in a dialog", {ctrl, shift, {VK_SHIFT, false, true}, z}, &Steps::start},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewPuzzleOnTheForm();
    for (int item : {GameForm::kHintStepItem, GameForm::kHintStepItem, GameForm::kUndoItem}) {
      Click(GameForm::kForm, item);
      Settle();
    }
    ASSERT_EQ(Cells(), steps.afterOne);
    for (const Key& key : c.keys) {
      if (key.inADialog) {
        Settle();  // the keys before it reach the form
        virtual_window_controller dialog;
        winapi::headless::InjectKey(main, key.virtualKey, key.down);
        Settle();
      } else {
        winapi::headless::InjectKey(main, key.virtualKey, key.down);
      }
    }
    Settle();
    EXPECT_EQ(Cells(), steps.*c.cells);
    // Nothing stays held into the next case.
    for (int key : {VK_CONTROL, VK_SHIFT, int{'Z'}, VK_F11}) winapi::headless::InjectKey(main, key, false);
    Settle();
  }
}

class ShowGameFormTest : public GameFormTest {};

// Shown the deferred way: nothing until the message loop turns, then the
// form current, the game shown with its clock running, the Game tab alone
// selected.
TEST_F(ShowGameFormTest, TheFormIsBuiltWhenTheLoopTurnsAndShowsTheGame) {
  StartPuzzle();
  GameBase& game = *state->game;
  application_tab_bar::TabOf(Bar(), application_tab_bar::kMenuTab)->model().selected = true;
  ASSERT_FALSE(GridVisible());

  ShowGameFormCommand(false).Execute();
  EXPECT_EQ(Form(), nullptr);
  EXPECT_EQ(Highlight(), "000") << "cleared at once";
  EXPECT_FALSE(GridVisible());

  Settle();
  ASSERT_NE(Form(), nullptr);
  EXPECT_TRUE(GridVisible());
  EXPECT_EQ(Highlight(), "010");
  const std::uint32_t elapsed = game.GetElapsedSeconds();
  winapi::headless::AdvanceTickCount(5000);
  EXPECT_EQ(game.GetElapsedSeconds(), elapsed + 5) << "the clock runs";
  for (const auto* button : {Form()->hintStep.get(), Form()->hint.get(), Form()->undo.get(), Form()->redo.get()})
    EXPECT_TRUE(Visible(*button));
}

// The form replaces the one before only once it is complete; a missing item
// leaves the old one.
TEST_F(ShowGameFormTest, AMissingItemLeavesTheCurrentForm) {
  StartPuzzle();
  const auto before = std::make_shared<FormBase>();
  state->currentForm = before;
  LoadLayoutsWithout(GameForm::kForm, GameForm::kRedoItem);
  EXPECT_THROW(ShowGameFormCommand(false).BuildForm(), std::invalid_argument);
  EXPECT_EQ(state->currentForm, before);
}

// The Game tab shows the form without the puzzle information; a show
// command that asks for it opens it once, over the form and game already
// shown, even when shown twice before the loop turns.
TEST_F(ShowGameFormTest, ThePuzzleInformationOpensOnlyWhenAskedFor) {
  StartPuzzle();
  {
    DialogScript noDialog(main);
    Click(application_tab_bar::kTabBarForm, application_tab_bar::kGameTab);
    Settle();
    ASSERT_NE(Form(), nullptr);
    EXPECT_EQ(Highlight(), "010");
    EXPECT_EQ(noDialog.Answered(), 0u);
  }

  state->currentForm.reset();
  state->game->Deactivate();
  DialogScript script(main);
  script.Answer()
      .Do([this] {
        EXPECT_NE(Form(), nullptr);
        EXPECT_TRUE(GridVisible());
        EXPECT_EQ(Highlight(), "010");
        EXPECT_TRUE(dialogs_test::Shows(PaintedTexts(), "Puzzle information"));
      })
      .Click(18, 2);
  ShowGameFormCommand(true).Execute();
  ShowGameFormCommand(true).Execute();
  Settle();
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(script.Answered(), 1u);
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
}

}  // namespace
}  // namespace gameform_test
