// The tour: the whole program run headless from an empty settings folder,
// once per language chosen in the first run's language dialog, walking
// through every form and dialog the player can open, by clicks on the
// layout items as the player would.  The resource manager's request log is
// on throughout; at each stop the form must have asked for its own items,
// and at the end every item and string asked for must have been found, and
// must exist in every language of the shipped resources.dat, so that a form
// that asks for an id the file lacks fails here rather than in German only.
//
// Each stop starts when the main loop has nothing left to do: by then the
// form the last stop opened is built and painted, and every dialog it opened
// has taken its scripted answer and closed.  A stop chained to the one
// before by a posted message instead would run inside whichever dialog loop
// happened to be pumping, and click the form behind it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/ResourceManager.h"
#include "forms/common/Application.h"
#include "forms/tabbar/TabCommands.h"
#include "platform/win32/Application/program_host.h"
#include "startup/RunApplication.h"
#include "tests/resources_validator/ShippedFile.h"
#include "tests/support/DialogScript.h"
#include "tests/support/FormsHost.h"

namespace {

using forms_test::DialogScript;
using ResourceManager::Request;
using resources_validator::FileLanguage;
using Steps = DialogScript::Steps;
using winapi::FileDialogRequest;
using winapi::FileDialogResult;

constexpr int kStrings = -1;  // a stop that shows strings rather than a form

// A combo box's closed part is the top 20 px of its item; its rows, and a
// list's, are 25 px high.
constexpr int kComboClosed = 20;
constexpr int kRowHeight = 25;

// Whether the log since the last collection holds an item of form (a
// string, for kStrings).
bool LogAsksFor(int form) {
  for (const Request& request : ResourceManager::RequestLog()) {
    if (form == kStrings ? request.kind == Request::Kind::kString
                         : request.kind == Request::Kind::kItem && request.form == form)
      return true;
  }
  return false;
}

// The player's input on the main window, placed by the layout of the
// language loaded when it is given.
void Click(HWND main, int form, int item) {
  const ItemConfig c = ResourceManager::GetItemConfig(form, item);
  winapi::headless::InjectClick(main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
}

// Row of the list (closed 0) or dropped combo list (closed 20) of an item.
void ClickRow(HWND main, int form, int item, int closed, int row) {
  const ItemConfig c = ResourceManager::GetItemConfig(form, item);
  winapi::headless::InjectClick(main, (c.left + c.right) / 2, c.top + closed + kRowHeight * row + kRowHeight / 2);
}

class TourTest : public startup_test::StartupTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    installed.Install(&winapi::headless::SetFileDialogHook);
    shipped_ = resources_validator::ReadShippedFile(std::filesystem::path(TAVLIN_SOURCE_RESOURCES) / "resources.dat");
    ASSERT_GE(shipped_.size(), 2u);
    // The select-puzzle form's packages and the grid's digits.
    for (const auto& file : std::filesystem::directory_iterator(TAVLIN_SOURCE_RESOURCES)) {
      const std::filesystem::path copy = folders.root / "resources" / file.path().filename();
      if (!std::filesystem::exists(copy)) std::filesystem::copy_file(file.path(), copy);
    }
    ResourceManager::SetRequestLogging(true);
  }
  void TearDown() override {
    ResourceManager::SetRequestLogging(false);
    StartupTest::TearDown();
  }

  struct Stop {
    std::string name;
    std::vector<int> forms;    // what it must have asked for
    std::function<void()> go;  // the input that opens it
  };

  // A stop of the tour: go's input must open something that asks for the
  // items of each of forms (strings, for kStrings).  A dialog it opens takes
  // the next answer of the script, so answers are added in the order of the
  // stops.
  void AddStop(std::string name, std::vector<int> forms, std::function<void()> go) {
    stops_.push_back(Stop{std::move(name), std::move(forms), std::move(go)});
  }

  // Runs the program on the script.  The first run's language dialog is the
  // one loop before the main one, whose entry takes the answer that marks
  // the main loop as started; from then on, each time the program waits for
  // input, the last stop is checked and the next one given.
  void Run(DialogScript& script) {
    std::size_t next = 0;
    bool inFlight = false;
    winapi::headless::SetIdleHook([&] {
      if (!mainLoopStarted_) {
        if (script.Answered() == 1 && Application::Instance() != nullptr) return false;  // the splash's wait
        ADD_FAILURE() << "start-up waits for input before the main loop";
        PostQuitMessage(0);
        return true;
      }
      if (inFlight) {
        for (int form : stops_[next - 1].forms)
          EXPECT_TRUE(LogAsksFor(form)) << stops_[next - 1].name << ": nothing of form " << form << " was asked for";
        Collect();
        inFlight = false;
      }
      if (next == stops_.size()) return false;  // shutting down after the last stop
      stops_[next++].go();
      inFlight = true;
      return true;
    });
    EXPECT_EQ(RunApplication(desktop::Host()), 0);
    EXPECT_EQ(next, stops_.size()) << "the program ended before the tour did";
    EXPECT_TRUE(script.Done()) << "answers left: a dialog did not come";
    Collect();
  }

  // Moves the log's requests into the tour's, and starts the log afresh.
  void Collect() {
    for (const Request& request : ResourceManager::RequestLog()) asked_.insert(request);
    ResourceManager::SetRequestLogging(true);
  }

  // The language dialog: open the combo box, take the row of the language
  // (they are listed in file order), accept.
  void ChooseLanguage(Steps& steps, int row) {
    steps.Do([this] {
      const ItemConfig combo = ResourceManager::GetItemConfig(23, 5);
      winapi::headless::InjectClick(main, (combo.left + combo.right) / 2, combo.top + kComboClosed / 2);
    });
    steps.Then().Do([this, row] { ClickRow(main, 23, 5, kComboClosed, row); }).Then().Click(23, 3);
  }

  int RowOf(const std::string& language) const {
    for (std::size_t i = 0; i < shipped_.size(); ++i)
      if (shipped_[i].name == language) return static_cast<int>(i);
    return -1;
  }

  // The file dialogs choose path.
  static void ChooseFile(const std::filesystem::path& path) {
    winapi::headless::SetFileDialogHook(
        [path](const FileDialogRequest&) { return FileDialogResult::Chosen(path.wstring()); });
  }

  // Every request was answered, and every id asked for is in every language
  // of the shipped file.
  void ExpectEverythingAskedForExists() const {
    ASSERT_FALSE(asked_.empty());
    for (const Request& request : asked_) {
      const std::string what = request.kind == Request::Kind::kItem
                                   ? "form " + std::to_string(request.form) + " item " + std::to_string(request.id)
                                   : "string " + std::to_string(request.id);
      EXPECT_TRUE(request.found) << what << " was asked for and not found";
      for (const FileLanguage& language : shipped_) {
        const bool there = request.kind == Request::Kind::kItem ? language.Item(request.form, request.id) != nullptr
                                                                : language.String(request.id) != nullptr;
        EXPECT_TRUE(there) << what << " is missing in \"" << language.name << "\"";
      }
    }
  }

  // The forms some stop asked for.
  std::set<int> FormsAskedFor() const {
    std::set<int> forms;
    for (const Request& request : asked_)
      if (request.kind == Request::Kind::kItem) forms.insert(request.form);
    return forms;
  }

  std::vector<FileLanguage> shipped_;
  std::vector<Stop> stops_;
  std::set<Request> asked_;
  bool mainLoopStarted_ = false;
};

TEST_P(TourTest, EveryFormAsksOnlyForWhatTheFileHas) {
  const std::string language = GetParam();
  const int row = RowOf(language);
  ASSERT_GE(row, 0);
  const std::string other = shipped_[row == 0 ? 1 : 0].name;
  const HWND w = main;
  const auto click = [w](int form, int item) { return [w, form, item] { Click(w, form, item); }; };

  DialogScript script(main);
  ChooseLanguage(script.Answer(), row);
  script.Answer().Do([this] { mainLoopStarted_ = true; });

  // The first run: the language dialog, the new puzzle made under the
  // progress form, and the game form, all before the first input.
  AddStop("first run", {23, 19, 16, 1, 0}, [this, row] {
    EXPECT_EQ(ResourceManager::GetItemConfig(1, 2).text, shipped_[row].Item(1, 2)->text) << "the texts chosen";
    EXPECT_TRUE(Application::Instance()->game != nullptr);
    PostMessageW(main, WM_NULL, 0, 0);
  });

  // The menu and what it opens.
  AddStop("menu", {2}, click(1, 1));
  AddStop("about", {14}, click(2, 6));
  AddStop("menu again", {2}, click(1, 1));
  AddStop("help", {13}, click(2, 5));
  AddStop("menu again", {2}, click(1, 1));
  AddStop("players", {11}, click(2, 2));
  AddStop("new player", {20}, click(11, 1));
  script.Answer().Type(L"Tour").Click(20, 2);
  AddStop("rename the new player", {20}, [w] {
    ClickRow(w, 11, 5, 0, 1);
    Click(w, 11, 2);
  });
  script.Answer().Type(L"2").Click(20, 2);
  AddStop("delete, refused", {15}, click(11, 3));
  script.Answer().Click(15, 3);
  // The first player again: a player made here has the options of a new
  // one, English among them, while the texts stay those of the first run.
  AddStop("select, back to the menu", {2}, [w] {
    ClickRow(w, 11, 5, 0, 0);
    Click(w, 11, 4);
  });
  AddStop("build puzzle", {10}, click(2, 4));
  AddStop("build and start: progress, game and puzzle information", {19, 16, 18}, click(10, 1));
  script.Answer().Click(18, 2);
  AddStop("menu again", {2}, click(1, 1));
  AddStop("select puzzle", {9, 16}, click(2, 3));
  AddStop("start a shipped puzzle", {18}, click(9, 1));
  script.Answer().Click(18, 2);
  AddStop("menu again", {2}, click(1, 1));
  const std::filesystem::path notAPuzzle = folders.root / "not_a_puzzle.txt";
  std::ofstream(notAPuzzle) << "12345\n";
  AddStop("open a file that is no puzzle", {25}, [w, notAPuzzle] {
    ChooseFile(notAPuzzle);
    Click(w, 2, 9);
  });
  script.Answer().Click(25, 2);
  AddStop("save into a folder that is not there", {25}, [this, w] {
    ChooseFile(folders.root / "no folder" / "puzzle.txt");
    Click(w, 2, 10);
  });
  script.Answer().Click(25, 2);

  // The options form, each page, its help and what the pages open.
  AddStop("options", {3, 4}, click(1, 3));
  AddStop("check the grid", {25}, click(4, 23));
  script.Answer().Click(25, 2);
  AddStop("puzzle information from the options", {18}, click(4, 26));
  script.Answer().Click(18, 2);
  AddStop("assistance page", {5}, click(3, 2));
  AddStop("statistics page", {8}, click(3, 3));
  AddStop("preferences page", {6}, click(3, 5));
  AddStop("help of the options", {22}, click(3, 7));
  script.Answer().Click(22, 1);
  AddStop("language dialog, cancelled", {23}, click(6, 96));
  script.Answer().Click(23, 4);

  // The game form's own: a hint shows the hint display and, beside it, the
  // help button.
  AddStop("game form", {16}, click(1, 2));
  AddStop("hint", {kStrings}, click(16, 2));
  AddStop("help of the game form", {22}, click(16, 11));
  script.Answer().Click(22, 1);

  // The other language, from the options form (which opens on the page it
  // was left on): the wait form while it loads, then the options form again
  // in the new texts.
  AddStop("options again", {3, 6}, click(1, 3));
  AddStop("another language: the wait form, the options form again", {23, 24, 3, 6}, click(6, 96));
  ChooseLanguage(script.Answer(), RowOf(other));
  AddStop("the other language's texts", {}, [this, other] {
    EXPECT_EQ(ResourceManager::GetItemConfig(1, 2).text, shipped_[RowOf(other)].Item(1, 2)->text);
    PostMessageW(main, WM_NULL, 0, 0);
  });

  // Exit, from the menu.
  AddStop("menu for the exit", {2}, click(1, 1));
  AddStop("exit", {}, click(2, 8));

  Run(script);
  ExpectEverythingAskedForExists();
  // Every form of the program was opened: 7 and 12 are not forms, 17 and 21
  // belong to the handheld.
  EXPECT_EQ(FormsAskedFor(),
            (std::set<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 13, 14, 15, 16, 18, 19, 20, 22, 23, 24, 25}));
}

INSTANTIATE_TEST_SUITE_P(Languages, TourTest, ::testing::Values("en", "de"));

}  // namespace
