// The build-puzzle form through the real main window and controller: the
// combo boxes chosen by clicks, the technique list the text box then shows,
// the choices kept between showings, and the game Start leaves behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/SessionMemory.h"
#include "forms/buildpuzzle/BuildPuzzleForm.h"
#include "forms/buildpuzzle/ShowBuildPuzzleFormCommand.h"
#include "forms/gameobject/Game.h"
#include "tests/support/puzzle_forms_fixture.h"

namespace build_puzzle_test {
namespace {

using build_puzzle_form::kForm;
using build_puzzle_form::kLevelItem;
using build_puzzle_form::kSizeItem;
using build_puzzle_form::kStartItem;
using forms_test::DialogScript;
using lines = std::vector<std::wstring>;

class BuildPuzzleFormTest : public puzzle_forms_test::PuzzleFormsTest {
 protected:
  build_puzzle_form::Model& Open() {
    ShowBuildPuzzleFormCommand().Execute();
    Settle();
    auto* form = dynamic_cast<build_puzzle_form::Model*>(state->currentForm.get());
    if (form == nullptr) ADD_FAILURE() << "the build-puzzle form is not the current form";
    return *form;
  }

  // The technique names of a level: the first count names from string 102.
  static lines Techniques(int count) {
    lines names;
    for (int k = 0; k < count; ++k) names.push_back(ResourceManager::GetString(102 + k));
    return names;
  }

  // The lines the text box paints, from its first line shown.
  std::vector<std::string> ShownTechniques(build_puzzle_form::Model& form) {
    forms::window_ops::invalidate(form.techniques->text_view->display().handle());
    return PaintedTexts();
  }
  static std::vector<std::string> Utf8(const lines& names) {
    std::vector<std::string> out;
    for (const std::wstring& name : names) out.push_back(std::string(name.begin(), name.end()));
    return out;
  }

  // "level/size: Level text, size text", as the combo boxes show them.
  static std::string Choices(const build_puzzle_form::Model& form) {
    const std::wstring level = form.level->label_view->model().text;
    const std::wstring size = form.size->label_view->model().text;
    return std::to_string(form.level->selected) + "/" + std::to_string(form.size->selected) + ": " +
           std::string(level.begin(), level.end()) + ", " + std::string(size.begin(), size.end());
  }

  // Clicks Start, answering the puzzle information the game form opens.
  void Start() {
    DialogScript script(main);
    ExpectPuzzleInformation(script);
    ClickItem(kForm, kStartItem);
    EXPECT_TRUE(script.Done());
  }
};

TEST_F(BuildPuzzleFormTest, FirstShowingOffersBeginnerNineByNineWithItsTechniques) {
  auto& form = Open();
  EXPECT_EQ(Choices(form), "1/1: Beginner, 3x3");
  EXPECT_EQ(form.techniques->text_view->model().lines, Techniques(2));
  EXPECT_EQ(ShownTechniques(form), Utf8(Techniques(2)));
  EXPECT_EQ(form.techniques->text_view->model().lines, (lines{L"Naked single", L"Hidden single"}));
}

// Every level's generator uses the first techniques of the engine's order,
// as many as it has slots; the empty grid needs none.
TEST_F(BuildPuzzleFormTest, EachLevelListsAsManyTechniquesAsItsGeneratorHasSlots) {
  auto& form = Open();
  const int counts[] = {0, 2, 4, 6, 10, 14};
  for (int level : {5, 0, 3, 1, 4, 2}) {
    SCOPED_TRACE("level " + std::to_string(level));
    Choose(kForm, kLevelItem, level);
    EXPECT_EQ(form.level->selected, level);
    EXPECT_EQ(build_puzzle_form::LevelTechniqueCount(static_cast<std::uint32_t>(level)),
              static_cast<std::uint32_t>(counts[level]));
    EXPECT_EQ(form.techniques->text_view->model().lines, Techniques(counts[level]));
  }
  EXPECT_THROW(build_puzzle_form::LevelTechniqueCount(6), const char*);
}

// A text box too short for Sorcerer's fourteen names: scrolled down, a
// shorter list must replace it from its first line, not keep the old lines
// or a first line past the new end.
TEST_F(BuildPuzzleFormTest, ALevelChangeAfterScrollingShowsTheNewListFromTheTop) {
  const ItemConfig box = ResourceManager::GetItemConfig(kForm, build_puzzle_form::kTechniquesItem);
  MoveItem(kForm, build_puzzle_form::kTechniquesItem, RECT{box.left, box.top, box.right, box.top + 90});
  auto& form = Open();
  Choose(kForm, kLevelItem, 5);
  auto& text = form.techniques->text_view->model();
  ASSERT_EQ(text.lines.size(), 14u);
  ClickItem(kForm, build_puzzle_form::kTechniquesItem);
  for (int k = 0; k < 6; ++k) {
    winapi::headless::InjectKey(main, VK_DOWN, true);
    winapi::headless::InjectKey(main, VK_DOWN, false);
  }
  Settle();
  ASSERT_EQ(text.first_line, 6u);
  ASSERT_EQ(ShownTechniques(form).front(), Utf8(Techniques(14))[6]);

  ASSERT_NO_THROW(Choose(kForm, kLevelItem, 1));
  EXPECT_EQ(text.lines, Techniques(2));
  EXPECT_EQ(text.first_line, 0u);
  EXPECT_EQ(form.techniques->bar_view->model().position, 0);
  EXPECT_EQ(ShownTechniques(form), Utf8(Techniques(2)));
}

TEST_F(BuildPuzzleFormTest, TheChoicesComeBackOnTheNextShowingOfTheRun) {
  {
    auto& form = Open();
    Choose(kForm, kLevelItem, 4);
    Choose(kForm, kSizeItem, 0);
    EXPECT_EQ(Choices(form), "4/0: Master, 2x2");
  }
  LeaveForGameForm();
  EXPECT_EQ(SessionMemory::Get(build_puzzle_form::kRecord), "1\n4\n0\n");

  auto& again = Open();
  EXPECT_EQ(Choices(again), "4/0: Master, 2x2");
  EXPECT_EQ(again.techniques->text_view->model().lines, Techniques(10));

  // A new run has no record; one that does not read as two numbers counts
  // as none.
  for (const char* record : {"", "1\nMaster\n"}) {
    SCOPED_TRACE(record);
    SessionMemory::Clear();
    if (*record != '\0') SessionMemory::Put(build_puzzle_form::kRecord, record);
    EXPECT_EQ(Choices(Open()), "1/1: Beginner, 3x3");
  }
}

TEST_F(BuildPuzzleFormTest, StartWithTheEmptyGridGivesAnEmptyGameOfTheChosenSizeWithoutSolution) {
  Open();
  Choose(kForm, kLevelItem, 0);
  Choose(kForm, kSizeItem, 2);
  const GameBase* before = state->game.get();
  Start();
  ASSERT_NE(state->game.get(), before);
  EXPECT_EQ(state->game->GetBoxSize(), 4u);
  EXPECT_EQ(state->game->GetDifficulty(), 0u);
  auto& model = application_test::GameOfSize<4>(*state->game).gridView().model();
  int givens = 0, solved = 0;
  for (const auto& cell : model.cells) {
    givens += cell.given != 0;
    solved += cell.solution != grid::kUnknownSolution;
  }
  EXPECT_EQ(givens, 0);
  EXPECT_EQ(solved, 0) << "an own puzzle has no solution until the player's clues are solved";
}

TEST_F(BuildPuzzleFormTest, StartGeneratesAPuzzleOfTheChosenSizeAndLevel) {
  Open();
  Choose(kForm, kLevelItem, 4);
  Choose(kForm, kSizeItem, 0);
  Start();
  ASSERT_NE(state->game, nullptr);
  EXPECT_EQ(state->game->GetBoxSize(), 2u);
  EXPECT_EQ(state->game->GetDifficulty(), 4u);
  auto& model = application_test::GameOfSize<2>(*state->game).gridView().model();
  int givens = 0;
  for (const auto& cell : model.cells) {
    givens += cell.given != 0;
    EXPECT_NE(cell.solution, grid::kUnknownSolution);
  }
  EXPECT_GT(givens, 0);
}

// An index that names no entry of its list (nothing committed, or a value
// from outside) must not reach the game's size or the generators: the game
// stays and the game form shows it.
TEST_F(BuildPuzzleFormTest, StartWithAnIndexOutsideItsListKeepsTheGame) {
  struct Case {
    std::int32_t level, size;
  };
  for (const Case c : {Case{1, -1}, Case{1, 3}, Case{-1, 1}, Case{6, 1}}) {
    SCOPED_TRACE(std::to_string(c.level) + "/" + std::to_string(c.size));
    auto& form = Open();
    form.level->selected = c.level;
    form.size->selected = c.size;
    const GameBase* before = state->game.get();
    Start();
    EXPECT_EQ(state->game.get(), before);
  }
}

}  // namespace
}  // namespace build_puzzle_test
