// The players form through the real main window, controller and dialogs:
// clicks on its list and buttons, the dialogs they open answered by script,
// and after each the list shown, "users.txt" and the players' files on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/UserSettings.h"
#include "app/Users.h"
#include "forms/dialogs/LoadCurrentUserSettings.h"
#include "forms/menu/MainForm.h"
#include "forms/menu/ShowMenuFormCommand.h"
#include "forms/tabbar/ApplicationTabBar.h"
#include "forms/tabbar/TabCommands.h"
#include "forms/users/ShowUsersFormCommand.h"
#include "forms/users/UsersForm.h"
#include "notus/ownerdraw/list_strategies.h"
#include "notus/platform/ownerdrawWin32/native_control.h"
#include "platform/win32/Application/app_entry.h"
#include "tests/support/dialogs_fixture.h"

namespace users_form_test {
namespace {

using dialogs_test::Bytes;
using dialogs_test::OptionsOfPlayer;
using dialogs_test::StatisticsOfPlayer;
using dialogs_test::StoredNames;
using dialogs_test::StoredPlayers;
using dialogs_test::UsersFileName;
using dialogs_test::WritePlayers;
using forms_test::DialogScript;
using names = std::vector<std::wstring>;

constexpr int kEditForm = 20;
constexpr int kEditOk = 2;
constexpr int kEditCancel = 3;
constexpr int kConfirmForm = 15;
constexpr int kYes = 2;
constexpr int kNo = 3;

class UsersFormTest : public dialogs_test::DialogsTest {
 protected:
  void InstallFunctions() override { InstallApplicationTabBar(); }
  void SetUp() override {
    // As start-up does: the edit box's entry reports to its window object.
    // Kept until the host has gone, as start-up keeps it.
    entryProcedure.Install(&notus::impl::details::set_native_control_procedure, &MainWindowProc);
    DialogsTest::SetUp();
    // The tabs draw glyphs.
    forms_test::app::load_glyph_document(std::filesystem::path(TAVLIN_SOURCE_RESOURCES "/glyphs.dat").wstring());
  }

  // Shows the form the way the menu does and answers it.
  UsersForm::Model& Open() {
    ShowUsersFormCommand().Execute();
    Settle();
    auto* form = dynamic_cast<UsersForm::Model*>(state->currentForm.get());
    if (form == nullptr) ADD_FAILURE() << "the players form is not the current form";
    return *form;
  }

  // Clicks the centre of one of the form's items, or of a list row.
  void ClickItem(int item) {
    const ItemConfig c = ResourceManager::GetItemConfig(UsersForm::kForm, item);
    winapi::headless::InjectClick(main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
    Settle();
  }
  void ClickRow(int row) {
    const ItemConfig c = ResourceManager::GetItemConfig(UsersForm::kForm, UsersForm::kListItem);
    winapi::headless::InjectClick(
        main, c.left + 30, c.top + notus::ownerdraw::list_row_height * row + notus::ownerdraw::list_row_height / 2);
    Settle();
  }

  // What the rows show, top row first, and which row is marked selected
  // (-1: none).
  struct Shown {
    names rows;
    int marked = -1;
  };
  static Shown RowsShown(const UsersForm::Model& form) {
    Shown shown;
    int i = 0;
    for (const auto& row : *form.players->rows) {
      shown.rows.push_back(row->model().text);
      if (row->model().selected) shown.marked = i;
      ++i;
    }
    while (!shown.rows.empty() && shown.rows.back().empty()) shown.rows.pop_back();
    return shown;
  }
  static names Entries(const UsersForm::Model& form) {
    names entries;
    for (const auto& item : form.List().items) entries.push_back(*item);
    return entries;
  }

  int IdOf(const std::wstring& name) {
    for (const auto& player : StoredPlayers().players)
      if (player->name == name) return player->id;
    ADD_FAILURE() << "no stored player of that name";
    return -1;
  }

  // Settings the application holds that no player's file has: what the
  // current player changed since they were last written.
  static Options HeldOptions() {
    Options options = OptionsOfPlayer(2);
    options.autoPencilMarks = true;
    return options;
  }

  // Select ends on the main menu.
  bool MenuShown() const { return dynamic_cast<const mainform::Model*>(state->currentForm.get()) != nullptr; }
  test_support::ScopedInstalls entryProcedure;
};

TEST_F(UsersFormTest, OpensWithTheTabsClearedAndThePlayersOfTheFileInFileOrderTheCurrentOneSelected) {
  struct Case {
    const char* what;
    names players;
    std::wstring current;
    int selected;
    // Written as "users.txt" instead of the players, when set.
    std::optional<std::string> file;
  };
  const Case cases[] = {
      {"one player", {L"Ann"}, L"Ann", 0, {}},
      {"unsorted, the current one in the middle", {L"Zoe", L"Ann", L"Max"}, L"Ann", 1, {}},
      {"names that differ only in case", {L"ann", L"Ann"}, L"Ann", 1, {}},
      {"no \"users.txt\" at all", {}, L"", -1, {}},
      // There is no current player to ask for, and that ends nothing.
      {"a \"users.txt\" without players", {}, L"", -1, std::string("5\n3")},
      {"a \"users.txt\" that is not one", {}, L"", -1, std::string("\x01\xff garbage")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(NativePath(UsersFileName()));
    if (c.file) std::ofstream(NativePath(UsersFileName()), std::ios::binary) << *c.file;
    if (!c.players.empty()) WritePlayers(c.players, c.current);
    // As the menu leaves it; no tab leads to this form.
    application_tab_bar::ApplicationTabBar* bar = application_tab_bar::HeldApplicationTabBar();
    ASSERT_NE(bar, nullptr);
    application_tab_bar::TabOf(*bar, application_tab_bar::kMenuTab)->model().selected = true;
    UsersForm::Model& form = Open();
    for (std::int32_t tab = 1; tab <= 3; ++tab) EXPECT_FALSE(application_tab_bar::TabOf(*bar, tab)->model().selected);
    EXPECT_EQ(Entries(form), c.players);
    EXPECT_EQ(form.List().selected, c.selected);
    const Shown shown = RowsShown(form);
    EXPECT_EQ(shown.rows, c.players);
    EXPECT_EQ(shown.marked, c.selected);
  }
}

// Rename, Delete and Select act on the selection only; with none (after
// the selected player was deleted) they open no dialog and change nothing.
// A loop the script has no answer for fails the test.
TEST_F(UsersFormTest, WithoutASelectionRenameDeleteAndSelectDoNothing) {
  WritePlayers({L"Ann", L"Bob", L"Cid"}, L"Ann");
  UsersForm::Model& form = Open();
  ClickRow(1);
  ASSERT_EQ(form.List().selected, 1);
  {
    DialogScript script(main);
    script.Answer().Click(kConfirmForm, kYes);
    ClickItem(UsersForm::kDeleteItem);
    ASSERT_TRUE(script.Done());
  }
  ASSERT_EQ(form.List().selected, -1);
  const std::string file = Bytes(UsersFileName());

  DialogScript none(main);
  for (int item : {UsersForm::kRenameItem, UsersForm::kDeleteItem, UsersForm::kSelectItem}) {
    SCOPED_TRACE(item);
    ClickItem(item);
    EXPECT_EQ(none.Answered(), 0u);
    EXPECT_EQ(Entries(form), (names{L"Ann", L"Cid"}));
    EXPECT_EQ(Bytes(UsersFileName()), file);
    EXPECT_FALSE(MenuShown());
  }
}

// New and Rename through the edit box: accepted names appear in the list
// and the file, where the renamed player keeps id and files; refused or
// cancelled ones change neither, and no message is shown.
TEST_F(UsersFormTest, NewAndRenameFollowTheEditBoxAnswer) {
  struct Case {
    const char* what;
    int button;
    std::wstring typed;  // after emptying the entry
    int end;             // OK or Cancel
    names listed;        // the list and the file afterwards
  };
  const names before{L"Ann", L"Bob"};
  const Case cases[] = {
      {"a new player is added at the end", UsersForm::kNewItem, L"Cy", kEditOk, {L"Ann", L"Bob", L"Cy"}},
      {"a new player with a taken name", UsersForm::kNewItem, L"Bob", kEditOk, before},
      {"a new player without a name", UsersForm::kNewItem, L"", kEditOk, before},
      {"a new player, cancelled", UsersForm::kNewItem, L"Cy", kEditCancel, before},
      {"the selected player renamed", UsersForm::kRenameItem, L"Anne", kEditOk, {L"Anne", L"Bob"}},
      {"renamed to another player's name", UsersForm::kRenameItem, L"Bob", kEditOk, before},
      {"renamed to nothing", UsersForm::kRenameItem, L"", kEditOk, before},
      {"a rename, cancelled", UsersForm::kRenameItem, L"Anne", kEditCancel, before},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(folders.root / "settings");
    std::filesystem::create_directory(folders.root / "settings");
    WritePlayers(before, L"Ann");
    const int annId = IdOf(L"Ann");
    const std::string file = Bytes(UsersFileName());
    UsersForm::Model& form = Open();

    DialogScript script(main);
    // The rename's entry starts with "Ann".
    script.Answer().Type(L"\b\b\b" + c.typed).Click(kEditForm, c.end);
    ClickItem(c.button);
    EXPECT_TRUE(script.Done());

    EXPECT_EQ(Entries(form), c.listed);
    EXPECT_EQ(RowsShown(form).rows, c.listed);
    EXPECT_EQ(StoredNames(), c.listed);
    if (c.listed == before) {
      EXPECT_EQ(Bytes(UsersFileName()), file) << "the file was written";
    }
    EXPECT_EQ(form.List().selected, 0) << "the selection stays where it was";
    EXPECT_EQ(GetCurrentUserName(StoredPlayers()), c.listed[0]);
    EXPECT_EQ(IdOf(c.listed[0]), annId);
    EXPECT_TRUE(dialogs_test::PlayerFilesExist(annId));
    EXPECT_TRUE(winapi::headless::MessageBoxes().empty());
  }
}

// The command refuses to delete the only player after the confirmation;
// the form then keeps its entry and selection as the file keeps the player.
TEST_F(UsersFormTest, DeleteRemovesTheSelectedPlayerOnlyWhenConfirmedAndAllowed) {
  struct Case {
    const char* what;
    names players;
    int row;
    int answer;
    names listed;
  };
  const names three{L"Ann", L"Bob", L"Cid"};
  const Case cases[] = {
      {"confirmed", three, 2, kYes, {L"Ann", L"Bob"}},
      {"declined", three, 2, kNo, three},
      {"the only player, confirmed", {L"Ann"}, 0, kYes, {L"Ann"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(folders.root / "settings");
    std::filesystem::create_directory(folders.root / "settings");
    WritePlayers(c.players, L"Ann");
    const int chosenId = IdOf(c.players[static_cast<std::size_t>(c.row)]);
    const std::string file = Bytes(UsersFileName());
    UsersForm::Model& form = Open();
    ClickRow(c.row);

    DialogScript script(main);
    script.Answer().Click(kConfirmForm, c.answer);
    ClickItem(UsersForm::kDeleteItem);
    EXPECT_TRUE(script.Done());

    const bool deleted = c.listed != c.players;
    EXPECT_EQ(Entries(form), c.listed);
    EXPECT_EQ(RowsShown(form).rows, c.listed);
    EXPECT_EQ(StoredNames(), c.listed);
    if (!deleted) {
      EXPECT_EQ(Bytes(UsersFileName()), file) << "the file was written";
    }
    EXPECT_EQ(form.List().selected, deleted ? -1 : c.row);
    EXPECT_EQ(RowsShown(form).marked, deleted ? -1 : c.row);
    EXPECT_EQ(dialogs_test::PlayerFilesExist(chosenId), !deleted);
    EXPECT_TRUE(winapi::headless::MessageBoxes().empty());
  }
}

// With the list scrolled to its end, a deletion pulls the first row back so
// that the rows stay full rather than showing blank ones at the bottom.
TEST_F(UsersFormTest, DeletingFromAScrolledListKeepsItsRowsFull) {
  const auto rowsOnScreen = (ResourceManager::GetItemConfig(UsersForm::kForm, UsersForm::kListItem).bottom -
                             ResourceManager::GetItemConfig(UsersForm::kForm, UsersForm::kListItem).top) /
                            notus::ownerdraw::list_row_height;
  const int count = rowsOnScreen + 3;
  names players;
  for (int i = 0; i < count; ++i) players.push_back(L"P" + std::to_wstring(i));
  WritePlayers(players, L"P0");
  UsersForm::Model& form = Open();
  form.List().set_top(3);
  form.Announce();
  Settle();
  ASSERT_EQ(form.List().top, 3);
  ClickRow(rowsOnScreen - 1);  // the last player
  ASSERT_EQ(form.List().selected, count - 1);

  DialogScript script(main);
  script.Answer().Click(kConfirmForm, kYes);
  ClickItem(UsersForm::kDeleteItem);
  EXPECT_TRUE(script.Done());

  EXPECT_EQ(form.List().top, 2);
  const names shown = RowsShown(form).rows;
  ASSERT_EQ(static_cast<int>(shown.size()), rowsOnScreen);
  EXPECT_EQ(shown.front(), L"P2");
  EXPECT_EQ(shown.back(), players[count - 2]);
  EXPECT_EQ(static_cast<int>(StoredNames().size()), count - 1);
}

TEST_F(UsersFormTest, SelectMakesThePlayerCurrentWithTheirSettingsAndShowsTheMenu) {
  WritePlayers({L"Ann", L"Bob"}, L"Ann");
  LoadCurrentUserSpecificSettings_Command().Execute();  // as start-up does
  // What Ann has played since her settings were last written.
  state->options = HeldOptions();
  Open();
  ClickRow(1);
  ClickItem(UsersForm::kSelectItem);

  EXPECT_TRUE(MenuShown());
  EXPECT_EQ(GetCurrentUserName(StoredPlayers()), L"Bob");
  EXPECT_EQ(state->options, OptionsOfPlayer(1));
  EXPECT_EQ(state->statistics, StatisticsOfPlayer(1));
  UserSettings ann(L"Ann");
  ASSERT_TRUE(LoadUserSettings(ann, IdOf(L"Ann")));
  EXPECT_EQ(ann.options, HeldOptions()) << "the outgoing player's settings are saved";
}

// Select ends on the main menu, whose title names the chosen player.
TEST_F(UsersFormTest, SelectEndsOnTheMenuTitledWithTheChosenPlayer) {
  WritePlayers({L"Ann", L"Bob"}, L"Ann");
  Open();
  ClickRow(1);
  // Clicked and the messages run, but nothing painted yet: the paint pass
  // below shows what the menu draws.
  const ItemConfig select = ResourceManager::GetItemConfig(UsersForm::kForm, UsersForm::kSelectItem);
  winapi::headless::InjectClick(main, (select.left + select.right) / 2, (select.top + select.bottom) / 2);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) forms_test::app::pump_message();

  const auto* menu = dynamic_cast<const mainform::Model*>(state->currentForm.get());
  ASSERT_NE(menu, nullptr) << "the menu is not the current form";
  EXPECT_EQ(menu->title->model().text, L"Bob");
  EXPECT_TRUE(dialogs_test::Shows(PaintedTexts(), "Bob"));
}

// Another way of deleting (or another copy of the program) removed the
// player after the list was read: Select reads the list again and stays.
TEST_F(UsersFormTest, SelectingAPlayerNoLongerStoredRereadsTheListAndStays) {
  WritePlayers({L"Ann", L"Bob", L"Cid"}, L"Ann");
  UsersForm::Model& form = Open();
  data_objects::users users = StoredPlayers();
  users.players.pop_back();
  ASSERT_TRUE(SaveUsers(users));
  const std::string file = Bytes(UsersFileName());
  ClickRow(2);
  ASSERT_EQ(form.List().selected, 2);

  ClickItem(UsersForm::kSelectItem);

  EXPECT_FALSE(MenuShown());
  EXPECT_EQ(state->currentForm.get(), &form);
  EXPECT_EQ(Entries(form), (names{L"Ann", L"Bob"}));
  EXPECT_EQ(RowsShown(form).rows, (names{L"Ann", L"Bob"}));
  EXPECT_EQ(form.List().selected, 0) << "the current player, as on opening";
  EXPECT_EQ(Bytes(UsersFileName()), file);
}

// The deleted current player's settings are still held when the next player
// is chosen; that choice saves what is held into the player who became
// current by the deletion.  Those must be that player's own settings.
TEST_F(UsersFormTest, DeletingTheCurrentPlayerThenSelectingAnotherKeepsTheNewCurrentPlayersFile) {
  WritePlayers({L"Ann", L"Bob", L"Cid"}, L"Ann");
  const int annId = IdOf(L"Ann");
  const int bobId = IdOf(L"Bob");
  state->options = HeldOptions();
  state->statistics = StatisticsOfPlayer(7);
  UsersForm::Model& form = Open();
  ASSERT_EQ(form.List().selected, 0);
  {
    DialogScript script(main);
    script.Answer().Click(kConfirmForm, kYes);
    ClickItem(UsersForm::kDeleteItem);
    ASSERT_TRUE(script.Done());
  }
  ASSERT_EQ(StoredNames(), (names{L"Bob", L"Cid"}));
  EXPECT_FALSE(dialogs_test::PlayerFilesExist(annId));
  ClickRow(1);
  ClickItem(UsersForm::kSelectItem);

  EXPECT_TRUE(MenuShown());
  EXPECT_EQ(GetCurrentUserName(StoredPlayers()), L"Cid");
  UserSettings bob(L"Bob");
  ASSERT_TRUE(LoadUserSettings(bob, bobId));
  EXPECT_EQ(bob.options, OptionsOfPlayer(1));
  EXPECT_EQ(bob.statistics, StatisticsOfPlayer(1));
  EXPECT_EQ(state->options, OptionsOfPlayer(2));
}

}  // namespace
}  // namespace users_form_test
