// The main menu through the real main window, tab bar, controller and
// resource file: the title it shows, what each button leads to, the game it
// pauses, and puzzle files opened and saved from it through the file-dialog
// hook, refused files included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "base/utf.h"
#include "forms/about/AboutForm.h"
#include "forms/about/HelpForm.h"
#include "forms/about/ShowAboutFormCommand.h"
#include "forms/about/ShowHelpFormCommand.h"
#include "forms/buildpuzzle/BuildPuzzleForm.h"
#include "forms/buildpuzzle/ShowBuildPuzzleFormCommand.h"
#include "forms/commands/PuzzleFileDialog.h"
#include "forms/gameform/PuzzleInfoForm.h"
#include "forms/menu/MainForm.h"
#include "forms/menu/ShowMenuFormCommand.h"
#include "forms/selectpuzzle/SelectPuzzleForm.h"
#include "forms/selectpuzzle/ShowPuzzleSelectedFormCommand.h"
#include "forms/users/ShowUsersFormCommand.h"
#include "forms/users/UsersForm.h"
#include "game/grid/GridSymbols.h"
#include "notus/ownerdraw/list_strategies.h"
#include "notus/ownerdraw/press_target.h"
#include "tests/support/gameform_fixture.h"

namespace menu_form_test {
namespace {

using dialogs_test::Shows;
using dialogs_test::WritePlayers;
using winapi::FileDialogRequest;
using winapi::FileDialogResult;

class MenuFormTest : public gameform_test::GameFormTest {
 protected:
  mainform::Manager* Menu() const { return dynamic_cast<mainform::Manager*>(state->currentForm.get()); }

  // The menu as the player reaches it from another form: through the Menu
  // tab.  Handles the messages that follow without painting, so that the
  // next paint pass draws the whole menu.
  mainform::Manager& OpenMenu() {
    application_tab_bar::TabOf(Bar(), application_tab_bar::kMenuTab)->model().selected = false;
    Click(application_tab_bar::kTabBarForm, application_tab_bar::kMenuTab);
    Pump();
    if (Menu() == nullptr) ADD_FAILURE() << "the menu is not the current form";
    return *Menu();
  }

  // Handles every queued message without painting.
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) forms_test::app::pump_message();
  }

  // Handles queued messages one by one until a form command is pending (or
  // none is left), so that the command can be seen before it runs.
  static void PumpUntilPending(const Application& s) {
    MSG msg;
    while (s.PendingFormCommand() == nullptr && PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
      forms_test::app::pump_message();
  }

  void Choose(const std::filesystem::path& file) {
    winapi::headless::SetFileDialogHook(
        [file](const FileDialogRequest&) { return FileDialogResult::Chosen(file.wstring()); });
  }
  std::filesystem::path Write(const std::string& name, const std::string& text) const {
    const std::filesystem::path file = folders.root / name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

  // Whether the OK dialog of a file problem, answered by the script, showed
  // its title and that message.
  // The message may end with a detail, the file's name.
  static ::testing::AssertionResult Told(const dialogs_test::strings& texts, int messageId,
                                         const std::string& detail = {}) {
    for (const int id : {puzzle_file::kProblemTitle, messageId}) {
      const ::testing::AssertionResult shown =
          Shows(texts, wide_to_utf8(ResourceManager::GetString(id)) + (id == messageId ? detail : ""));
      if (!shown) return shown;
    }
    return ::testing::AssertionSuccess();
  }
};

// A valid, unique grid of box size N with the diagonal left empty: each row
// is the one above shifted by N, and by one more at each new band.
template <unsigned N>
std::string DiagonalPuzzle() {
  constexpr std::uint32_t S = N * N;
  std::string cells(S * S, '0');
  for (std::uint32_t row = 0; row < S; ++row)
    for (std::uint32_t column = 0; column < S; ++column)
      if (row != column) cells[row * S + column] = grid::ValueToSymbol((row * N + row / N + column) % S);
  return cells;
}

TEST_F(MenuFormTest, TheTitleIsTheCurrentPlayerAndTheButtonsCarryTheirCaptions) {
  const struct {
    const char* what;
    std::vector<std::wstring> players;
    std::wstring current;
    std::wstring title;
  } cases[] = {
      {"the current player of two", {L"Ann", L"Bert"}, L"Bert", L"Bert"},
      {"no player at all: the item's text", {}, L"", L"Player"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(NativePath(dialogs_test::UsersFileName()));
    if (!c.players.empty()) WritePlayers(c.players, c.current);
    mainform::Manager& menu = OpenMenu();
    EXPECT_EQ(menu.title->model().text, c.title);
    const dialogs_test::strings painted = PaintedTexts();
    EXPECT_TRUE(Shows(painted, wide_to_utf8(c.title)));
    for (const char* caption :
         {"Players", "Select puzzle", "Build puzzle", "Open…", "Save as…", "Help", "About", "Exit"})
      EXPECT_TRUE(Shows(painted, caption));
    state->currentForm.reset();
  }
}

// The menu hides the game and stops its clock; the Menu tab stays chosen.
TEST_F(MenuFormTest, ShowingTheMenuPausesTheGameAndKeepsTheMenuTab) {
  StartPuzzle();
  ShowGameFormCommand(false).Execute();
  Settle();
  ASSERT_TRUE(GridVisible());
  GameBase& game = *state->game;

  OpenMenu();
  EXPECT_EQ(Highlight(), "100");
  EXPECT_FALSE(GridVisible());
  const std::uint32_t elapsed = game.GetElapsedSeconds();
  winapi::headless::AdvanceTickCount(5000);
  EXPECT_EQ(game.GetElapsedSeconds(), elapsed) << "the clock is paused";

  // Shown by the command itself (as the players form's Select does), the
  // menu leaves the tab bar as it is.
  application_tab_bar::TabOf(Bar(), application_tab_bar::kMenuTab)->model().selected = false;
  ShowMenuFormCommand().Execute();
  Settle();
  ASSERT_NE(Menu(), nullptr);
  EXPECT_EQ(Highlight(), "000");
}

// Each button's click leaves its form's show command pending, which builds
// that form when the loop turns, with the tabs cleared; Open and Save as
// ask for a file at once, and a cancelled dialog leaves the menu.
TEST_F(MenuFormTest, EachButtonRunsItsCommand) {
  const struct {
    const char* name;
    int item;
    const std::type_info* pending;  // null: none
    const std::type_info& form;
    const char* highlight;
    int fileDialogs;
  } cases[] = {
      {"players", 2, &typeid(ShowUsersFormCommand), typeid(UsersForm::Manager), "000", 0},
      {"select puzzle", 3, &typeid(ShowPuzzleSelectedFormCommand), typeid(SelectPuzzleForm::Manager), "000", 0},
      {"build puzzle", 4, &typeid(ShowBuildPuzzleFormCommand), typeid(build_puzzle_form::Manager), "000", 0},
      {"help", 5, &typeid(ShowHelpFormCommand), typeid(HelpForm::Manager), "000", 0},
      {"about", 6, &typeid(ShowAboutFormCommand), typeid(aboutform::Manager), "000", 0},
      {"open", 9, nullptr, typeid(mainform::Manager), "100", 1},
      {"save as", 10, nullptr, typeid(mainform::Manager), "100", 1},
  };
  winapi::headless::SetFileDialogHook([](const FileDialogRequest&) { return FileDialogResult::Cancelled(); });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OpenMenu();
    const std::size_t dialogs = winapi::headless::FileDialogs().size();
    Click(mainform::kForm, c.item);
    PumpUntilPending(*state);
    const ApplicationCommand* pending = state->PendingFormCommand();
    if (c.pending == nullptr) {
      EXPECT_EQ(pending, nullptr);
    } else if (pending == nullptr) {
      ADD_FAILURE() << "nothing is pending";
    } else {
      EXPECT_EQ(typeid(*pending), *c.pending);
    }
    EXPECT_FALSE(Settle()) << "no quit";
    ASSERT_NE(state->currentForm, nullptr);
    EXPECT_EQ(typeid(*state->currentForm), c.form);
    EXPECT_EQ(Highlight(), c.highlight);
    ASSERT_EQ(winapi::headless::FileDialogs().size(), dialogs + c.fileDialogs);
    if (c.fileDialogs != 0) {
      EXPECT_EQ(winapi::headless::FileDialogs().back().save, c.item == 10);
    }
  }
}

// Exit ends the message loop; a click of an id without a command (7 has no
// button) does nothing.  The clicks are raised on a button's display, the
// way a button reports its own, so they take the menu's real route; id 5
// shows that the route leads to the menu.
TEST_F(MenuFormTest, ExitPostsQuitAndOtherIdsDoNothing) {
  mainform::Manager& menu = OpenMenu();
  const struct {
    notus::impl::word id;
    bool runs;
  } clicks[] = {{7, false}, {11, false}, {mainform::kHelpItem, true}};
  for (const auto& c : clicks) {
    SCOPED_TRACE("id " + std::to_string(c.id));
    notus::ownerdraw::press::raise(menu.buttons[0]->display(), notus::impl::ev_click{c.id, 0});
    EXPECT_EQ(state->PendingFormCommand() != nullptr, c.runs);
    state->SetPendingFormCommand(nullptr);
    EXPECT_FALSE(Settle());
    EXPECT_EQ(Menu(), &menu);
    EXPECT_TRUE(winapi::headless::FileDialogs().empty());
  }
  Click(mainform::kForm, mainform::kExitItem);
  EXPECT_TRUE(Settle()) << "the loop is told to end";
  EXPECT_EQ(Menu(), &menu);
}

// A form is complete before it replaces the current one: with an item of
// its layout missing, the build throws and the old form (and the game's
// state) stays.
TEST_F(MenuFormTest, AMissingItemLeavesTheCurrentForm) {
  const struct {
    const char* name;
    int form;
    int item;
    void (*build)();
  } cases[] = {
      {"menu", mainform::kForm, mainform::kSaveAsItem, [] { ShowMenuFormCommand().BuildForm(); }},
      {"about", aboutform::kForm, 2, [] { ShowAboutFormCommand().BuildForm(); }},
      {"help", HelpForm::kForm, 1, [] { ShowHelpFormCommand().BuildForm(); }},
  };
  StartPuzzle();
  ShowGameFormCommand(false).Execute();
  Settle();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::shared_ptr<FormBase> before = state->currentForm;
    LoadLayoutsWithout(c.form, c.item);
    EXPECT_THROW(c.build(), std::invalid_argument);
    EXPECT_EQ(state->currentForm, before);
    EXPECT_TRUE(GridVisible());
  }
}

// The players form's Select makes another player current and comes back to
// the menu, which now names them.
TEST_F(MenuFormTest, AChangeOfPlayerChangesTheTitle) {
  WritePlayers({L"Ann", L"Bert"}, L"Ann");
  ASSERT_EQ(OpenMenu().title->model().text, L"Ann");
  Click(mainform::kForm, mainform::kPlayersItem);
  Settle();
  ASSERT_NE(dynamic_cast<UsersForm::Model*>(state->currentForm.get()), nullptr);
  const ItemConfig list = ResourceManager::GetItemConfig(UsersForm::kForm, UsersForm::kListItem);
  winapi::headless::InjectClick(main, list.left + 30, list.top + notus::ownerdraw::list_row_height * 3 / 2);
  Settle();
  Click(UsersForm::kForm, UsersForm::kSelectItem);
  Pump();
  ASSERT_NE(Menu(), nullptr);
  EXPECT_EQ(Menu()->title->model().text, L"Bert");
  EXPECT_TRUE(Shows(PaintedTexts(), "Bert"));
}

class MenuFilesTest : public MenuFormTest {
 protected:
  // Save as, then Open, both from the menu: the game comes back with the
  // saved cells as its clues, the game form shows it with the puzzle
  // information, and the Game tab is chosen.
  template <unsigned N>
  void SaveAndOpen() {
    constexpr std::uint32_t S = N * N;
    const std::string cells = DiagonalPuzzle<N>();
    state->SeGameSize(N, 2);
    state->game->SetGridFromString(cells);
    const std::filesystem::path file = folders.root / "puzzle.txt";
    Choose(file);
    OpenMenu();
    Click(mainform::kForm, mainform::kSaveAsItem);
    Settle();
    ASSERT_TRUE(std::filesystem::exists(file));
    ASSERT_NE(Menu(), nullptr) << "the menu stays after a save";

    state->SeGameSize(3, 0);  // another game, to see the file replace it
    forms_test::DialogScript script(main);
    dialogs_test::strings info;
    script.Answer()
        .Do([this, &info] { info = PaintedTexts(); })
        .Click(puzzleinfoform::kForm, puzzleinfoform::kButtonItem);
    Click(mainform::kForm, mainform::kOpenItem);
    Settle();
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(Shows(info, "Puzzle information"));
    ASSERT_NE(Form(), nullptr) << "the game form replaces the menu";
    EXPECT_EQ(Highlight(), "010");
    ASSERT_EQ(state->game->GetBoxSize(), N);
    EXPECT_EQ(state->game->GetGridString(), cells);
    const auto& model = dynamic_cast<Game<N>&>(*state->game).gridView().model();
    for (std::uint32_t i = 0; i < S * S; ++i) EXPECT_EQ(model.cells[i].given != 0, cells[i] != '0') << "cell " << i;
    EXPECT_TRUE(winapi::headless::MessageBoxes().empty());
  }
};

TEST_F(MenuFilesTest, A9x9PuzzleSavedAndOpenedFromTheMenu) { SaveAndOpen<3>(); }
TEST_F(MenuFilesTest, A16x16PuzzleSavedAndOpenedFromTheMenu) { SaveAndOpen<4>(); }

// A file that is no puzzle shows the OK dialog with message 417; the game
// and the menu stay as they were.
TEST_F(MenuFilesTest, ARefusedFileLeavesTheGameAndTheMenu) {
  std::string rows9;
  for (int row = 0; row < 9; ++row) rows9 += "123456789\n";
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"first line of 5", "12345\n" + rows9.substr(10)},
      {"first line of 8", "12345678\n" + rows9.substr(10)},
      {"first line of 10", "1234567890\n" + rows9.substr(10)},
      {"too few lines", rows9.substr(20)},
      {"'G' in a 9x9", "G00000000\n" + rows9.substr(10)},
      {"a stray symbol", "1234#6789\n" + rows9.substr(10)},
      {"empty", ""},
      {"binary", std::string("\x00\xff\x10\x80\x7f\x01\r\n\x00\x00", 10) + std::string(300, '\xfe')},
  };
  StartPuzzle();
  const std::shared_ptr<GameBase> game = state->game;
  const std::string cells = Cells();
  mainform::Manager& menu = OpenMenu();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Choose(Write("refused.txt", c.text));
    forms_test::DialogScript script(main);
    dialogs_test::strings texts;
    script.Answer().Do([this, &texts] { texts = PaintedTexts(); }).Key(VK_RETURN);
    Click(mainform::kForm, mainform::kOpenItem);
    Settle();
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(Told(texts, puzzle_file::kNotAPuzzle));
    EXPECT_EQ(state->game, game);
    EXPECT_EQ(Cells(), cells);
    EXPECT_EQ(Menu(), &menu);
    EXPECT_EQ(state->PendingFormCommand(), nullptr);
  }
}

TEST_F(MenuFilesTest, ASaveIntoAMissingFolderSaysThatFileCouldNotBeWritten) {
  StartPuzzle();
  mainform::Manager& menu = OpenMenu();
  Choose(folders.root / "no such folder" / "puzzle.txt");
  forms_test::DialogScript script(main);
  dialogs_test::strings texts;
  script.Answer().Do([this, &texts] { texts = PaintedTexts(); }).Key(VK_RETURN);
  Click(mainform::kForm, mainform::kSaveAsItem);
  Settle();
  EXPECT_TRUE(script.Done());
  EXPECT_TRUE(Told(texts, puzzle_file::kNotWritten, "puzzle.txt"));
  EXPECT_FALSE(std::filesystem::exists(folders.root / "no such folder"));
  EXPECT_EQ(Menu(), &menu);
}

}  // namespace
}  // namespace menu_form_test
