// The select-puzzle form through the real main window and controller, over
// the shipped puzzle packages: the preview each choice of level, size and
// puzzle shows (compared with the package file's bytes), the choices kept
// between showings, the game Start leaves behind, and a package that is not
// there.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/SessionMemory.h"
#include "forms/gameobject/Game.h"
#include "forms/selectpuzzle/SelectPuzzleForm.h"
#include "forms/selectpuzzle/ShowPuzzleSelectedFormCommand.h"
#include "tests/support/puzzle_forms_fixture.h"

namespace select_puzzle_test {
namespace {

using forms_test::DialogScript;
using SelectPuzzleForm::kForm;
using SelectPuzzleForm::kLevelItem;
using SelectPuzzleForm::kSizeItem;
using SelectPuzzleForm::kStartItem;
using bytes = std::vector<std::uint8_t>;

constexpr const char* kSmallPackage = "Packege3x3.dat";
constexpr const char* kLargePackage = "Packege4x4.dat";
constexpr int kListRows = 18;

// Puzzle index (0-based) of level (1..5) in the shipped package of box
// size 3 or 4.
bytes PackagePuzzle(int boxSize, int level, int index) {
  const int cells = boxSize == 4 ? 256 : 81;
  std::ifstream in(std::filesystem::path(TAVLIN_SOURCE_RESOURCES) / (boxSize == 4 ? kLargePackage : kSmallPackage),
                   std::ios::binary);
  in.seekg((level - 1) * 100 * cells + index * cells);
  bytes puzzle(static_cast<std::size_t>(cells));
  in.read(reinterpret_cast<char*>(puzzle.data()), cells);
  EXPECT_TRUE(in) << "the package is shorter than expected";
  return puzzle;
}

class SelectPuzzleFormTest : public puzzle_forms_test::PuzzleFormsTest {
 protected:
  void SetUp() override {
    PuzzleFormsTest::SetUp();
    for (const char* name : {kSmallPackage, kLargePackage})
      std::filesystem::copy_file(std::filesystem::path(TAVLIN_SOURCE_RESOURCES) / name,
                                 folders.root / "resources" / name);
  }

  SelectPuzzleForm::Model& Open() {
    ShowPuzzleSelectedFormCommand().Execute();
    Settle();
    auto* form = dynamic_cast<SelectPuzzleForm::Model*>(state->currentForm.get());
    if (form == nullptr) ADD_FAILURE() << "the select-puzzle form is not the current form";
    return *form;
  }

  // The clues the preview shows, and the box size of the preview that
  // exists (0 when none or both do).
  static bytes Previewed(const SelectPuzzleForm::Model& form) {
    if (form.SmallPreview() && !form.LargePreview()) return form.SmallPreview()->GetGridBytes();
    if (form.LargePreview() && !form.SmallPreview()) return form.LargePreview()->GetGridBytes();
    ADD_FAILURE() << "not exactly one preview";
    return {};
  }
  static int PreviewSize(const SelectPuzzleForm::Model& form) {
    if (form.SmallPreview() && !form.LargePreview()) return 3;
    if (form.LargePreview() && !form.SmallPreview()) return 4;
    return 0;
  }
  static notus::rect<notus::traits> PreviewPlace(const SelectPuzzleForm::Model& form) {
    if (form.small) return forms::window_ops::rect(form.small->display().handle());
    return forms::window_ops::rect(form.large->display().handle());
  }
  static bool StartEnabled(const SelectPuzzleForm::Model& form) {
    return forms::window_ops::is_enabled(form.start->display().handle());
  }

  // Clicks the row-th visible row of the puzzle list.
  void ClickRow(int row) {
    const ItemConfig c = ResourceManager::GetItemConfig(kForm, SelectPuzzleForm::kListItem);
    winapi::headless::InjectClick(
        main, c.left + 20, c.top + notus::ownerdraw::list_row_height * row + notus::ownerdraw::list_row_height / 2);
    Settle();
  }
  void PressDown(int times) {
    for (int k = 0; k < times; ++k) {
      winapi::headless::InjectKey(main, VK_DOWN, true);
      winapi::headless::InjectKey(main, VK_DOWN, false);
    }
    Settle();
  }
};

TEST_F(SelectPuzzleFormTest, FirstShowingPreviewsTheFirstBeginnerNineByNinePuzzle) {
  auto& form = Open();
  EXPECT_EQ(form.level->label_view->model().text, L"Beginner");
  EXPECT_EQ(form.size->label_view->model().text, L"3x3");
  EXPECT_EQ(form.List().size(), 100u);
  EXPECT_EQ(*form.List().items.front(), L"1");
  EXPECT_EQ(*form.List().items.back(), L"100");
  EXPECT_EQ(form.List().selected, 0);
  ASSERT_EQ(PreviewSize(form), 3);
  EXPECT_EQ(Previewed(form), PackagePuzzle(3, 1, 0));
  const ItemConfig place = ResourceManager::GetItemConfig(16, 8);
  const auto r = PreviewPlace(form);
  EXPECT_EQ((std::vector{r.left, r.top, r.right, r.bottom}),
            (std::vector{place.left, place.top, place.right, place.bottom}));
  EXPECT_TRUE(StartEnabled(form));
}

// The size replaces the preview by one of the other type in the same place
// and keeps the puzzle number; the level reloads the package.
TEST_F(SelectPuzzleFormTest, EachChoicePreviewsItsPuzzleFromThePackage) {
  auto& form = Open();
  const auto place = PreviewPlace(form);
  struct Step {
    const char* what;
    int item, row;  // the combo box and its entry, or the list's row
    int boxSize, level, index;
  };
  const Step steps[] = {
      {"puzzle 5", SelectPuzzleForm::kListItem, 4, 3, 1, 4},
      {"4x4", kSizeItem, 1, 4, 1, 4},
      {"Sorcerer", kLevelItem, 4, 4, 5, 4},
      {"puzzle 2", SelectPuzzleForm::kListItem, 1, 4, 5, 1},
      {"3x3", kSizeItem, 0, 3, 5, 1},
      {"Intermediate", kLevelItem, 1, 3, 2, 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.item == SelectPuzzleForm::kListItem)
      ClickRow(step.row);
    else
      Choose(kForm, step.item, step.row);
    EXPECT_EQ(form.List().selected, step.index);
    ASSERT_EQ(PreviewSize(form), step.boxSize);
    EXPECT_EQ(Previewed(form), PackagePuzzle(step.boxSize, step.level, step.index));
    const auto r = PreviewPlace(form);
    EXPECT_EQ((std::vector{r.left, r.top, r.right, r.bottom}),
              (std::vector{place.left, place.top, place.right, place.bottom}));
    EXPECT_TRUE(StartEnabled(form));
  }
}

TEST_F(SelectPuzzleFormTest, TheChoicesAndTheScrolledListComeBackOnTheNextShowingOfTheRun) {
  {
    auto& form = Open();
    Choose(kForm, kLevelItem, 2);
    Choose(kForm, kSizeItem, 1);
    ClickRow(0);
    PressDown(29);
    ASSERT_EQ(form.List().selected, 29);
    ASSERT_EQ(form.List().top, 29 - kListRows + 1);
  }
  // Shown again from itself: the old form goes before the new one is made,
  // so the new one reads what the old one stored.
  auto& again = Open();
  EXPECT_EQ(SessionMemory::Get(SelectPuzzleForm::kRecord), "1\n12\n29\n2\n1\n");
  EXPECT_EQ(again.List().top, 12);
  EXPECT_EQ(again.List().selected, 29);
  EXPECT_EQ(again.list->rows->front()->model().text, L"13");
  EXPECT_EQ(again.level->label_view->model().text, L"Advanced");
  EXPECT_EQ(again.size->label_view->model().text, L"4x4");
  ASSERT_EQ(PreviewSize(again), 4);
  EXPECT_EQ(Previewed(again), PackagePuzzle(4, 3, 29));

  // A record that does not read as four numbers counts as none.
  LeaveForGameForm();
  SessionMemory::Put(SelectPuzzleForm::kRecord, "1\n12\n29\n");
  auto& fresh = Open();
  EXPECT_EQ(fresh.List().top, 0);
  EXPECT_EQ(fresh.List().selected, 0);
  EXPECT_EQ(Previewed(fresh), PackagePuzzle(3, 1, 0));
}

TEST_F(SelectPuzzleFormTest, StartPlaysThePreviewedPuzzleAtItsLevel) {
  struct Case {
    int level, size, row;  // combo and list entries
    std::uint32_t boxSize;
  };
  for (const Case c : {Case{0, 0, 0, 3}, Case{3, 0, 6, 3}, Case{1, 1, 2, 4}}) {
    SCOPED_TRACE(std::to_string(c.boxSize) + " level " + std::to_string(c.level + 1));
    Open();
    Choose(kForm, kLevelItem, c.level);
    Choose(kForm, kSizeItem, c.size);
    ClickRow(c.row);
    DialogScript script(main);
    ExpectPuzzleInformation(script);
    ClickItem(kForm, kStartItem);
    EXPECT_TRUE(script.Done());
    ASSERT_NE(state->game, nullptr);
    EXPECT_EQ(state->game->GetBoxSize(), c.boxSize);
    EXPECT_EQ(state->game->GetDifficulty(), static_cast<std::uint32_t>(c.level + 1));
    EXPECT_EQ(state->game->GetGridBytes(), PackagePuzzle(static_cast<int>(c.boxSize), c.level + 1, c.row));
  }
}

// The list's "no selection" arrives as index 0xFFFFFFFF: it must neither
// read past the package nor leave anything for Start to play.
TEST_F(SelectPuzzleFormTest, NoSelectionKeepsThePreviewAndStartsNothing) {
  auto& form = Open();
  ClickRow(3);
  form.List().set_selected(-1);
  EXPECT_EQ(Previewed(form), PackagePuzzle(3, 1, 3));
  form.OnPuzzleSelected(100);
  EXPECT_EQ(Previewed(form), PackagePuzzle(3, 1, 3));

  const GameBase* before = state->game.get();
  DialogScript noDialog(main);
  ClickItem(kForm, kStartItem);
  EXPECT_EQ(noDialog.Answered(), 0u);
  EXPECT_EQ(state->game.get(), before);
  EXPECT_EQ(state->PendingFormCommand(), nullptr);
  EXPECT_EQ(state->currentForm.get(), &form);
}

// A package missing or cut short previews empty grids and cannot start;
// the other size's package still works.
TEST_F(SelectPuzzleFormTest, APackageThatDoesNotLoadPreviewsAnEmptyGridAndCannotStart) {
  const std::filesystem::path large = folders.root / "resources" / kLargePackage;
  for (const char* what : {"missing", "cut short"}) {
    SCOPED_TRACE(what);
    std::filesystem::remove(large);
    if (std::string(what) == "cut short") std::ofstream(large, std::ios::binary) << std::string(1000, '\x01');
    auto& form = Open();
    ClickRow(2);
    Choose(kForm, kSizeItem, 1);
    ASSERT_EQ(PreviewSize(form), 4);
    EXPECT_EQ(Previewed(form), bytes(256, 0));
    EXPECT_FALSE(StartEnabled(form));

    const GameBase* before = state->game.get();
    {
      DialogScript noDialog(main);
      ClickItem(kForm, kStartItem);
      ASSERT_EQ(state->currentForm.get(), &form);
      form.StartGame();
      Settle();
      EXPECT_EQ(noDialog.Answered(), 0u);
    }
    EXPECT_EQ(state->game.get(), before);
    ASSERT_EQ(state->currentForm.get(), &form);

    Choose(kForm, kSizeItem, 0);
    EXPECT_EQ(Previewed(form), PackagePuzzle(3, 1, 2));
    EXPECT_TRUE(StartEnabled(form));
    LeaveForGameForm();
    SessionMemory::Clear();
  }
}

}  // namespace
}  // namespace select_puzzle_test
