// The option pages as the player uses them: built over the main frame's
// display with the source tree's layouts, clicked through the real main
// window and controller, and after each click the stored option, what the
// game was told, what the widgets show and what entered the undo history.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/ResourceManager.h"
#include "app/UserSettings.h"
#include "base/utf.h"
#include "forms/optionpages/AssistancePage.h"
#include "forms/optionpages/GamePage.h"
#include "forms/optionpages/OptionPages.h"
#include "forms/optionpages/PreferencesPage.h"
#include "forms/options/OptionsForm.h"
#include "game/CommandHistory.h"
#include "game/commands/Services.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "tests/support/DialogScript.h"
#include "tests/support/FormsHost.h"
#include "tests/support/RecordingGame.h"

namespace option_pages_test {
namespace {

using forms_test::DialogScript;
using strings = std::vector<std::string>;

// Notes the options passed on to it and the bulk operations run on it;
// every bulk operation reports one changed cell, so a game command run on
// it counts as a change.
class NotingGame : public RecordingGame {
 public:
  void SetShowGuideLines(bool on) override { Note("SetShowGuideLines", on); }
  void SetFlagMistakes(bool on) override { Note("SetFlagMistakes", on); }
  void SetAllowOnlyValidEntries(bool on) override { Note("SetAllowOnlyValidEntries", on); }
  void SetEnteringNumbers(std::uint32_t v) override { Note("SetEnteringNumbers", v); }
  void SetGridSymbols(std::uint32_t v) override { Note("SetGridSymbols", v); }
  void SetOnTabClueDigits(std::uint32_t v) override { Note("SetOnTabClueDigits", v); }
  void SetGridPaintType(std::uint32_t v) override { Note("SetGridPaintType", v); }
  void ClearAllCandidates() override { calls.push_back("ClearAllCandidates"); }
  void FillAllCandidates() override { calls.push_back("FillAllCandidates"); }
  void CopyCandidatesFromSolver() override { calls.push_back("CopyCandidatesFromSolver"); }
  void RemoveWrongValues() override { calls.push_back("RemoveWrongValues"); }
  void ReplaceWrongValues() override { calls.push_back("ReplaceWrongValues"); }
  void ClearAllUserValues() override { calls.push_back("ClearAllUserValues"); }
  void FillSolution() override { calls.push_back("FillSolution"); }
  bool SolveTable(CProgressCallback*) override {
    calls.push_back("SolveTable");
    return true;
  }
  void CollectChangedCells(std::vector<CellChange>& changes) override { changes.push_back(CellChange{}); }

  // The calls whose name starts with prefix.
  strings Calls(const std::string& prefix) const {
    strings found;
    for (const std::string& call : calls)
      if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
  }

 private:
  void Note(const char* name, std::uint32_t value) { calls.push_back(std::string(name) + " " + std::to_string(value)); }
};

class OptionPagesTest : public forms_test::FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    state->game = game;
    gamecommands::Services::InstallCurrentGame([this] { return state ? state->game : nullptr; });
    gamecommands::Services::InstallOkDialog([this](std::uint32_t first, std::uint32_t second) {
      okDialogs.push_back({first, second});
    });
  }
  void TearDown() override {
    page.reset();
    gamecommands::Services::Reset();
    FormsTest::TearDown();
  }

  // Builds the page the way the options form does and paints it.
  template <class Model>
  Model& Build(std::shared_ptr<FormBase> (*make)(const option_pages::Parent&)) {
    page = make(state->FrameDisplay());
    Settle();
    auto* model = dynamic_cast<Model*>(page.get());
    if (model == nullptr) ADD_FAILURE() << "the page is not of the expected model";
    return *model;
  }

  void ClickItem(int form, int item) {
    const ItemConfig c = ResourceManager::GetItemConfig(form, item);
    winapi::headless::InjectClick(main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
    Settle();
  }

  template <class View>
  static bool Visible(const View& view) {
    return view.display().handle().get()->visible();
  }

  std::shared_ptr<NotingGame> game = std::make_shared<NotingGame>();
  std::shared_ptr<FormBase> page;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> okDialogs;
  // The options form has been built again (it is the current form).
  bool OptionsFormShown() const { return dynamic_cast<OptionsForm::Manager*>(state->currentForm.get()) != nullptr; }
};

// The first paint of each page shows every caption of its layout items,
// the group boxes' too (they are made without a connection to the page),
// and the stored keypad arrangement in the combo box; the sound box paints
// nothing.
TEST_F(OptionPagesTest, PagesPaintTheirLayoutCaptions) {
  using Maker = std::shared_ptr<FormBase> (*)(const option_pages::Parent&);
  struct Case {
    const char* what;
    std::vector<Maker> makers;
    int form;
    std::vector<int> items;
    std::vector<std::wstring> alsoShown;
    std::vector<std::wstring> notShown;
  };
  state->options.enteringNumbers = 4;
  const Case cases[] = {
      {"game", {option_pages::MakeGamePage}, 4, {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26}, {}, {}},
      {"assistance", {option_pages::MakeAssistancePage}, 5, {37, 38, 39, 41, 57, 52, 53, 54, 55, 56}, {}, {}},
      {"preferences",
       {option_pages::MakePreferencesPage, option_pages::MakeGridPaintPart},
       6,
       {97, 70, 68, 69, 83, 81, 82, 96},
       {ResourceManager::GetString(234)},
       {ResourceManager::GetItemConfig(6, 67).text}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> calls;
    notus::gdi::set_device_recorder([&calls](const std::string& call) { calls.push_back(call); });
    std::vector<std::shared_ptr<FormBase>> pages;
    for (Maker make : c.makers) pages.push_back(make(state->FrameDisplay()));
    Settle();
    notus::gdi::set_device_recorder(nullptr);
    auto drawn = [&calls](const std::wstring& text) {
      const std::string call = "draw_text(\"" + wide_to_utf8(text) + "\", {";
      for (const std::string& made : calls)
        if (made.starts_with(call)) return true;
      return false;
    };
    std::vector<std::wstring> shown = c.alsoShown;
    for (int item : c.items) shown.push_back(ResourceManager::GetItemConfig(c.form, item).text);
    for (const std::wstring& text : shown) EXPECT_TRUE(drawn(text)) << wide_to_utf8(text);
    for (const std::wstring& text : c.notShown) EXPECT_FALSE(drawn(text)) << wide_to_utf8(text);
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) it->reset();
    Settle();
  }
}

// Each check box stores the inverse of what it showed and then shows it;
// the options the game shows reach the game too.
TEST_F(OptionPagesTest, AssistanceCheckBoxesStoreTheFlippedFlag) {
  struct Case {
    int item;
    bool Options::*field;
    bool before;
    const char* gameCall;  // null: the option is not the game's
  };
  const Case cases[] = {
      {OptionsAssistance::kAutoPencilMarks, &Options::autoPencilMarks, true, nullptr},
      {OptionsAssistance::kAllowOnlyValidEntries, &Options::allowOnlyValidEntries, true, "SetAllowOnlyValidEntries 0"},
      {OptionsAssistance::kFlagMistakes, &Options::flagMistakes, false, "SetFlagMistakes 1"},
      {OptionsAssistance::kShowGuideLines, &Options::showGuideLines, false, "SetShowGuideLines 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    state->options.*c.field = c.before;
    game->calls.clear();
    auto& form = Build<OptionsAssistance::Model>(option_pages::MakeAssistancePage);
    auto& box = *form.checkBoxes[static_cast<std::size_t>(c.item == 41 ? 3 : c.item - 37)];
    ASSERT_EQ(static_cast<int>(box.model().id), c.item);
    EXPECT_EQ(box.model().checked, c.before);

    ClickItem(OptionsAssistance::kForm, c.item);
    EXPECT_EQ(state->options.*c.field, !c.before);
    EXPECT_EQ(box.model().checked, !c.before);
    EXPECT_EQ(game->Calls("Set"), c.gameCall ? strings{c.gameCall} : strings{});

    // And back again.
    ClickItem(OptionsAssistance::kForm, c.item);
    EXPECT_EQ(state->options.*c.field, c.before);
    EXPECT_EQ(box.model().checked, c.before);
  }
}

// Choosing a radio clears the one selected before, stores its mode and
// selects itself; a stored mode without a radio shows none selected.
TEST_F(OptionPagesTest, AssistanceRadiosKeepOneSelected) {
  struct Case {
    int stored;
    int shownBefore;  // index of the selected radio, -1 none
    int chosenItem;
  };
  const Case cases[] = {{0, 0, 54}, {4, 4, 52}, {7, -1, 56}, {-1, -1, 53}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    state->options.onTabClueDigits = c.stored;
    game->calls.clear();
    auto& form = Build<OptionsAssistance::Model>(option_pages::MakeAssistancePage);
    auto selected = [&form] {
      std::vector<int> items;
      for (const auto& radio : form.radios)
        if (radio->model().selected) items.push_back(radio->model().id);
      return items;
    };
    EXPECT_EQ(selected(), c.shownBefore < 0 ? std::vector<int>{} : std::vector<int>{52 + c.shownBefore});
    EXPECT_TRUE(game->calls.empty()) << "building the page ran a setter";

    ClickItem(OptionsAssistance::kForm, c.chosenItem);
    EXPECT_EQ(state->options.onTabClueDigits, c.chosenItem - 52);
    EXPECT_EQ(selected(), std::vector<int>{c.chosenItem});
    EXPECT_EQ(game->Calls("Set"), strings{"SetOnTabClueDigits " + std::to_string(c.chosenItem - 52)});
  }
}

TEST_F(OptionPagesTest, PreferencesShowTheOptionsAndBuildingStoresNothing) {
  struct Case {
    const char* what;
    Options stored;
    bool digits, letters, plain, shaded;
    int comboRow;  // -1: nothing committed
  };
  auto options = [](int symbols, int entering, int paint, bool sound) {
    Options o;
    o.gridSymbols = symbols;
    o.enteringNumbers = entering;
    o.gridPaintType = paint;
    o.sound = sound;
    return o;
  };
  const Case cases[] = {
      {"digits, arrangement 3, plain, sound on", options(0, 3, 0, true), true, false, true, false, 3},
      {"letters, arrangement 5, shaded, sound off", options(1, 5, 1, false), false, true, false, true, 5},
      {"values without a widget", options(2, 6, 2, true), false, false, false, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state->options = c.stored;
    game->calls.clear();
    auto& prefs = Build<OptionsPrefereces::Model>(option_pages::MakePreferencesPage);
    std::shared_ptr<FormBase> gridPart = option_pages::MakeGridPaintPart(state->FrameDisplay());
    Settle();
    auto& grid = dynamic_cast<OptionsGridInput::ModelGridPaintType&>(*gridPart);

    EXPECT_EQ(prefs.digits->model().selected, c.digits);
    EXPECT_EQ(prefs.letters->model().selected, c.letters);
    EXPECT_EQ(grid.plain->model().selected, c.plain);
    EXPECT_EQ(grid.shaded->model().selected, c.shaded);
    EXPECT_EQ(prefs.enteringNumbers->selected, c.comboRow);
    EXPECT_EQ(prefs.enteringNumbers->label_view->model().text,
              c.comboRow < 0 ? std::wstring() : ResourceManager::GetString(230 + c.comboRow));
    EXPECT_EQ(prefs.enteringNumbers->list_view->model().size(), 6u);
    // The sound box follows the option though it is never shown.
    EXPECT_EQ(prefs.sound->model().checked, c.stored.sound);
    EXPECT_FALSE(Visible(*prefs.sound));
    EXPECT_TRUE(Visible(*prefs.digits));
    EXPECT_EQ(state->options, c.stored);
    EXPECT_TRUE(game->calls.empty()) << "building the page ran a setter";
    // A click where the sound box lies reaches nothing.
    ClickItem(OptionsPrefereces::kForm, OptionsPrefereces::kSound);
    EXPECT_EQ(state->options, c.stored);
    gridPart.reset();
  }
}

// The choices of the Preferences page and of its grid part, each through
// the real window, stored and passed on to the game.
TEST_F(OptionPagesTest, PreferencesChoicesStoreTheirValue) {
  const ItemConfig combo =
      ResourceManager::GetItemConfig(OptionsPrefereces::kForm, OptionsPrefereces::kEnteringNumbers);
  struct Case {
    const char* what;
    std::function<void()> act;
    int Options::*field;
    int expected;
    std::string gameCall;
  };
  const Case cases[] = {
      {"letters after a symbol value without a radio",
       [this] { ClickItem(OptionsPrefereces::kForm, OptionsPrefereces::kLetters); }, &Options::gridSymbols, 1,
       "SetGridSymbols 1"},
      {"digits", [this] { ClickItem(OptionsPrefereces::kForm, OptionsPrefereces::kDigits); }, &Options::gridSymbols, 0,
       "SetGridSymbols 0"},
      {"shaded boxes", [this] { ClickItem(OptionsGridInput::kForm, OptionsGridInput::kShaded); },
       &Options::gridPaintType, 1, "SetGridPaintType 1"},
      {"the fourth arrangement",
       [this, combo] {
         const int x = (combo.left + combo.right) / 2;
         winapi::headless::InjectClick(main, x, combo.top + 10);
         Settle();
         winapi::headless::InjectClick(main, x, combo.top + 20 + 25 * 3 + 12);
         Settle();
       },
       &Options::enteringNumbers, 3, "SetEnteringNumbers 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state->options = Options{};
    state->options.gridSymbols = 2;
    state->options.gridPaintType = 0;
    state->options.enteringNumbers = 0;
    game->calls.clear();
    auto& prefs = Build<OptionsPrefereces::Model>(option_pages::MakePreferencesPage);
    std::shared_ptr<FormBase> gridPart = option_pages::MakeGridPaintPart(state->FrameDisplay());
    Settle();
    auto& grid = dynamic_cast<OptionsGridInput::ModelGridPaintType&>(*gridPart);

    c.act();
    EXPECT_EQ(state->options.*c.field, c.expected);
    EXPECT_EQ(game->Calls("Set"), strings{c.gameCall});
    if (c.field == &Options::gridSymbols) {
      EXPECT_EQ(prefs.digits->model().selected, c.expected == 0);
      EXPECT_EQ(prefs.letters->model().selected, c.expected == 1);
    } else if (c.field == &Options::gridPaintType) {
      EXPECT_FALSE(grid.plain->model().selected);
      EXPECT_TRUE(grid.shaded->model().selected);
    } else {
      EXPECT_EQ(prefs.enteringNumbers->label_view->model().text, ResourceManager::GetString(233));
    }
    gridPart.reset();
  }
}

TEST_F(OptionPagesTest, EnteringNumbersCallbackTakesOnlyKnownArrangements) {
  state->options.enteringNumbers = 1;
  auto& prefs = Build<OptionsPrefereces::Model>(option_pages::MakePreferencesPage);
  prefs.OnEnteringNumbersSelected(6);
  prefs.OnEnteringNumbersSelected(0xFFFFFFFFu);
  EXPECT_EQ(state->options.enteringNumbers, 1);
  prefs.OnEnteringNumbersSelected(5);
  EXPECT_EQ(state->options.enteringNumbers, 5);
  EXPECT_EQ(game->Calls("Set"), strings{"SetEnteringNumbers 5"});
}

// The buttons that change cells go through the command executor and can be
// undone; the grid check and the puzzle information run outside it.
TEST_F(OptionPagesTest, GamePageButtonsRunTheirCommand) {
  struct Case {
    int item;
    std::string action;
    bool undoable;
  };
  const Case cases[] = {
      {OptionsGame::kFillValid, "CopyCandidatesFromSolver", true},
      {OptionsGame::kFillAll, "FillAllCandidates", true},
      {OptionsGame::kClearCandidates, "ClearAllCandidates", true},
      {OptionsGame::kRemoveWrong, "RemoveWrongValues", true},
      {OptionsGame::kReplaceWrong, "ReplaceWrongValues", true},
      {OptionsGame::kResetGrid, "ClearAllUserValues", true},
      {OptionsGame::kSolve, "FillSolution", true},
      {OptionsGame::kCheckGrid, "SolveTable", false},
  };
  Build<OptionsGame::Model>(option_pages::MakeGamePage);
  CommandHistory* history = CommandHistory::Instance();
  ASSERT_NE(history, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    history->Reset();
    game->calls.clear();
    okDialogs.clear();
    ClickItem(OptionsGame::kForm, c.item);
    EXPECT_EQ(game->Calls(c.action), strings{c.action});
    EXPECT_EQ(history->CanUndo(), c.undoable);
    EXPECT_EQ(okDialogs.size(), c.undoable ? 0u : 1u);
  }
}

TEST_F(OptionPagesTest, PuzzleInformationOpensItsDialogOutsideTheHistory) {
  Build<OptionsGame::Model>(option_pages::MakeGamePage);
  CommandHistory::Instance()->Reset();
  DialogScript script(main);
  script.Answer().Close();
  ClickItem(OptionsGame::kForm, OptionsGame::kPuzzleInfo);
  EXPECT_TRUE(script.Done());
  EXPECT_FALSE(CommandHistory::Instance()->CanUndo());
  EXPECT_TRUE(game->Calls("Fill").empty());
}

// The language button: a change reopens the options form (the page cannot
// rebuild itself in the new language); no change leaves everything.
TEST_F(OptionPagesTest, LanguageButtonReopensTheFormOnlyAfterAChange) {
  const ItemConfig combo = ResourceManager::GetItemConfig(23, 5);
  const int x = (combo.left + combo.right) / 2;
  struct Case {
    const char* what;
    bool chooseGerman;
    int button;  // of form 23: 3 OK, 4 Cancel
    bool reopened;
    std::wstring language;
  };
  const Case cases[] = {
      {"the same language accepted", false, 3, false, L"en"},
      {"German, then Cancel", true, 4, false, L"en"},
      {"German accepted", true, 3, true, L"de"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state->currentForm.reset();
    Build<OptionsPrefereces::Model>(option_pages::MakePreferencesPage);
    DialogScript script(main);
    auto& answer = script.Answer();
    if (c.chooseGerman) answer.ClickAt(x, combo.top + 10).ClickAt(x, combo.top + 20 + 25 + 12);
    answer.Click(23, c.button);
    ClickItem(OptionsPrefereces::kForm, OptionsPrefereces::kChangeLanguage);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(OptionsFormShown(), c.reopened);
    EXPECT_EQ(state->options.language, c.language);
  }
}

// A changed option is in the player's file at once, so a crash or a kill
// before the close keeps it: a check box, a radio and the language.  The
// file is that of the player the application holds.
TEST_F(OptionPagesTest, AChangedOptionIsWrittenToThePlayersFileAtOnce) {
  state->player = Application::HeldPlayer{3, L"Ann", {}};
  state->statistics = {StatisticRecord{1, 1, 60, 1, 60, 60, 60}};
  const auto stored = [] {
    UserSettings settings(L"");
    EXPECT_TRUE(LoadUserSettings(settings, 3));
    return settings;
  };

  state->options.flagMistakes = true;
  Build<OptionsAssistance::Model>(option_pages::MakeAssistancePage);
  ClickItem(OptionsAssistance::kForm, OptionsAssistance::kFlagMistakes);
  EXPECT_FALSE(stored().options.flagMistakes);
  EXPECT_EQ(stored().statistics, state->statistics);

  Build<OptionsPrefereces::Model>(option_pages::MakePreferencesPage);
  ClickItem(OptionsPrefereces::kForm, OptionsPrefereces::kLetters);
  EXPECT_EQ(stored().options.gridSymbols, 1);

  const ItemConfig combo = ResourceManager::GetItemConfig(23, 5);
  const int x = (combo.left + combo.right) / 2;
  DialogScript script(main);
  script.Answer().ClickAt(x, combo.top + 10).ClickAt(x, combo.top + 20 + 25 + 12).Click(23, 3);
  ClickItem(OptionsPrefereces::kForm, OptionsPrefereces::kChangeLanguage);
  ASSERT_TRUE(script.Done());
  EXPECT_EQ(stored().options.language, L"de");
  EXPECT_EQ(stored().options, state->options);
}

}  // namespace
}  // namespace option_pages_test
