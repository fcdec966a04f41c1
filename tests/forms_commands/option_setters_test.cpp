// The option setters: each stores its value in the options and, for the
// options the game shows, changes that option (and only that one) in the
// current game.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "forms/commands/OptionSetters.h"
#include "tests/forms_commands/commands_fixture.h"

namespace commands_test {
namespace {

using OptionSettersTest = CommandsTest;

// What the game keeps of the options, in one array so that a test sees
// every one of them change or stay.
enum GameOption { kGuideLines, kFlagMistakes, kOnlyValidEntries, kClueDigits, kPaintType, kSymbols, kKeypads, kNone };
using GameOptions = std::array<std::uint32_t, kNone>;

GameOptions OptionsOf(Game<3>& game) {
  const auto& model = game.gridView().model();
  return {model.showGuideLines,  model.flagMistakes,  game.keypads().value.allowOnlyValidEntries,
          model.onTabClueDigits, model.gridPaintType, model.gridSymbols,
          game.keypadType()};
}

struct SetterCase {
  const char* name;
  std::function<void()> run;  // the command with a value unlike the default
  std::function<int(const Options&)> stored;
  GameOption inGame;  // kNone: the game is not told
  int expected;
};

TEST_F(OptionSettersTest, EachSetterStoresItsOptionAndChangesOnlyItsOwnInTheGame) {
  const Options defaults;
  const SetterCase cases[] = {
      {"SetAutoPencilMarks", [] { SetAutoPencilMarks(false).Execute(); },
       [](const Options& o) { return int{o.autoPencilMarks}; }, kNone, 0},
      {"SetAllowOnlyValidEntries", [] { SetAllowOnlyValidEntries(true).Execute(); },
       [](const Options& o) { return int{o.allowOnlyValidEntries}; }, kOnlyValidEntries, 1},
      {"SetFlagMistakes", [] { SetFlagMistakes(false).Execute(); },
       [](const Options& o) { return int{o.flagMistakes}; }, kFlagMistakes, 0},
      {"SetShowGuideLines", [] { SetShowGuideLines(true).Execute(); },
       [](const Options& o) { return int{o.showGuideLines}; }, kGuideLines, 1},
      {"SetOnTabClueDigits", [] { SetOnTabClueDigits(4).Execute(); },
       [](const Options& o) { return o.onTabClueDigits; }, kClueDigits, 4},
      {"SetGridPaintType", [] { SetGridPaintType(0).Execute(); }, [](const Options& o) { return o.gridPaintType; },
       kPaintType, 0},
      {"SetEnteringNumbers", [] { SetEnteringNumbers(5).Execute(); },
       [](const Options& o) { return o.enteringNumbers; }, kKeypads, 5},
      {"SetGridSymbols", [] { SetGridSymbols(1).Execute(); }, [](const Options& o) { return o.gridSymbols; }, kSymbols,
       1},
      {"SetSound_Command", [] { SetSound_Command(false).Execute(); }, [](const Options& o) { return int{o.sound}; },
       kNone, 0},
  };
  GameBase* const game = state->game.get();
  for (const SetterCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.stored(defaults), c.expected) << "the case must change the option";
    const GameOptions before = OptionsOf(CurrentGame<3>());
    c.run();
    EXPECT_EQ(c.stored(state->options), c.expected);
    EXPECT_EQ(state->game.get(), game);
    GameOptions expected = before;
    if (c.inGame != kNone) expected[c.inGame] = static_cast<std::uint32_t>(c.expected);
    EXPECT_EQ(OptionsOf(CurrentGame<3>()), expected);
  }
}

TEST_F(OptionSettersTest, WithoutAGameTheOptionIsStoredForTheNextOne) {
  state->game.reset();
  SetShowGuideLines(true).Execute();
  SetGridSymbols(1).Execute();
  EXPECT_TRUE(state->options.showGuideLines);
  EXPECT_EQ(state->options.gridSymbols, 1);

  state->SeGameSize(3, 0);
  EXPECT_EQ(CurrentGame<3>().gridView().model().showGuideLines, 1u);
  EXPECT_EQ(CurrentGame<3>().gridView().model().gridSymbols, 1u);
}

}  // namespace
}  // namespace commands_test
