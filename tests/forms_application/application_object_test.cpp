// The application object: what its constructor leaves, the items it cannot
// do without, one object at a time with one undo history, the games
// SeGameSize makes, and the services start-up installs for the layers below.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "forms/tabbar/ApplicationTabBar.h"
#include "game/CommandHistory.h"
#include "game/commands/Services.h"
#include "tests/support/application_fixture.h"

namespace application_test {
namespace {

using gamecommands::Services;

TEST_F(ApplicationTest, TheApplicationStartsWithAHiddenEmptyNineByNineGameAndHintDisplay) {
  GameBase& game = *state->game;
  EXPECT_EQ(game.GetBoxSize(), 3u);
  EXPECT_EQ(game.GetDifficulty(), 0u);
  EXPECT_EQ(game.CountFilledCells(), 0u);
  EXPECT_EQ(GameOfSize<3>(game).keypadType(), static_cast<std::uint32_t>(Options{}.enteringNumbers));
  EXPECT_NE(CommandHistory::Instance(), nullptr);

  EXPECT_FALSE(PaintedAtCentreOf(16, 6)) << "the grid";
  EXPECT_FALSE(PaintedAtCentreOf(16, 5)) << "the hint";
  EXPECT_FALSE(PaintedAtCentreOf(16, 11)) << "the help button";
  EXPECT_TRUE(PaintedAtCentreOf(1, 2)) << "the tab bar";

  state.reset();
  EXPECT_EQ(CommandHistory::Instance(), nullptr);
}

// A second object is refused before it makes anything: a second undo
// history would have replaced the first object's.
TEST_F(ApplicationTest, ASecondApplicationIsRefusedAndLeavesTheFirstAsItWas) {
  CommandHistory* history = CommandHistory::Instance();
  const std::shared_ptr<GameBase> game = state->game;
  try {
    Application second;
    FAIL() << "a second application was made";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "Only one domain is possible.");
  }
  EXPECT_EQ(Application::Instance(), state.get());
  EXPECT_EQ(CommandHistory::Instance(), history);
  EXPECT_EQ(state->game, game);
}

class MissingItemTest : public ApplicationTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

// Nothing of a refused object is left: no instance, no undo history, and
// the sanitizer sees its views go before the frame that parents them.
TEST_P(MissingItemTest, AMissingLayoutItemRefusesTheApplication) {
  const auto [form, item] = GetParam();
  state.reset();
  LoadLayoutsWithout(form, item);
  EXPECT_THROW(Application(), std::invalid_argument);
  EXPECT_EQ(Application::Instance(), nullptr);
  EXPECT_EQ(CommandHistory::Instance(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Items, MissingItemTest,
                         ::testing::Values(std::pair{0, 1}, std::pair{16, 5}, std::pair{16, 11}), [](const auto& info) {
                           return "Form" + std::to_string(info.param.first) + "Item" +
                                  std::to_string(info.param.second);
                         });

// The options a game is told, as "guides mistakes valid-only clue-digits
// paint keypad symbols".
template <unsigned N>
std::string DescribeOptions(GameBase& base) {
  Game<N>& game = GameOfSize<N>(base);
  const auto& grid = game.gridView().model();
  std::ostringstream out;
  out << int{grid.showGuideLines} << int{grid.flagMistakes} << int{game.keypads().value.allowOnlyValidEntries} << " "
      << grid.onTabClueDigits << " " << grid.gridPaintType << " " << game.keypadType() << " " << grid.gridSymbols;
  return out.str();
}

std::string DescribeOptions(GameBase& game) {
  switch (game.GetBoxSize()) {
    case 2: return DescribeOptions<2>(game);
    case 3: return DescribeOptions<3>(game);
    case 4: return DescribeOptions<4>(game);
  }
  return "box size " + std::to_string(game.GetBoxSize());
}

// Every option differs from the game's own default, so one not passed on
// shows.
TEST_F(ApplicationTest, SeGameSizeMakesAHiddenGameOfThatSizeAndLevelWithThePlayersOptions) {
  Options& options = state->options;
  options.showGuideLines = true;
  options.flagMistakes = false;
  options.allowOnlyValidEntries = true;
  options.onTabClueDigits = 3;
  options.gridPaintType = 0;
  options.enteringNumbers = 0;
  options.gridSymbols = 1;
  options.autoPencilMarks = false;
  const Options set = options;
  for (int n : {2, 3, 4}) {
    SCOPED_TRACE("box size " + std::to_string(n));
    const std::shared_ptr<GameBase> old = state->game;
    state->SeGameSize(n, 4);
    ASSERT_NE(state->game, old);
    EXPECT_EQ(state->game->GetBoxSize(), static_cast<std::uint32_t>(n));
    EXPECT_EQ(state->game->GetDifficulty(), 4u);
    EXPECT_EQ(DescribeOptions(*state->game), "101 3 0 0 1");
    EXPECT_FALSE(PaintedAtCentreOf(16, 6)) << "the grid is shown";
    EXPECT_EQ(state->options, set);
  }
}

TEST_F(ApplicationTest, SeGameSizeRefusesOtherSizesWithItsTextAndKeepsTheGame) {
  for (int n : {1, 5, 0, -3}) {
    SCOPED_TRACE("box size " + std::to_string(n));
    const std::shared_ptr<GameBase> old = state->game;
    try {
      state->SeGameSize(n, 1);
      ADD_FAILURE() << "no throw";
    } catch (const char* text) {
      EXPECT_STREQ(text, " Application::SeGameSize - Wrong game size!");
    }
    EXPECT_EQ(state->game, old);
  }
}

// A show-form command stored through the application's pending slot and
// built on its message, as the main frame runs it.
struct NoteDeferred : ApplicationCommand {
  explicit NoteDeferred(int& built) : built(&built) {}
  void Execute() override { Application::Instance()->ShowFormLater(*this); }
  void ExecuteDeferred() override { ++*built; }
  int* built;
};

TEST_F(ApplicationTest, TheInstalledServicesReachTheApplication) {
  EXPECT_EQ(Services::CurrentGame(), state->game);
  state->options.autoPencilMarks = false;
  EXPECT_FALSE(Services::AutoPencilMarks());
  state->options.autoPencilMarks = true;
  EXPECT_TRUE(Services::AutoPencilMarks());

  const std::shared_ptr<GameBase> started = Services::StartNewGame(4, 2);
  ASSERT_NE(started, nullptr);
  EXPECT_EQ(started, state->game);
  EXPECT_EQ(started->GetBoxSize(), 4u);
  EXPECT_EQ(started->GetDifficulty(), 2u);
  EXPECT_THROW(Services::StartNewGame(5, 1), const char*);

  EXPECT_NE(application_tab_bar::HeldApplicationTabBar(), nullptr);

  // The fixture's host puts its own deferred-form builder in place; start-up
  // has only this one.
  InstallApplicationServices();
  int built = 0;
  NoteDeferred(built).Execute();
  Settle();
  EXPECT_EQ(built, 1);

  DialogScript script(main);
  script.Answer().Click(22, 1);  // the help dialog's OK
  script.Answer().Click(25, 2);  // the OK dialog's OK
  notus::ownerdraw::run_help_dialog(252, 389);
  Services::ShowOkDialog(405, 406);
  EXPECT_TRUE(script.Done());

  state.reset();
  EXPECT_EQ(Services::CurrentGame(), nullptr);
  EXPECT_FALSE(Services::AutoPencilMarks());
  EXPECT_EQ(Services::StartNewGame(3, 1), nullptr);
  Services::ShowHintDisplay(102, 252);  // nothing to show it on, and no crash
}

}  // namespace
}  // namespace application_test
