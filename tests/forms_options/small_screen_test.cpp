// The options form and the game form's clock on the handheld's smallest
// screens, 240 x 320 upright, 320 x 240 on its side and 240 x 240, in each
// language, where the 480 x 640 layouts shrink faster than the text: every
// text reads whole (drawn smaller where its box is too small for it) and no
// window paints over another's text, so a group's caption keeps above its
// first control.
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/utf.h"
#include "forms/application/FormatSeconds.h"
#include "forms/gameobject/Game.h"
#include "tests/forms_options/options_fixture.h"
#include "tests/support/DrawnTexts.h"

namespace options_test {
namespace {

using forms_test::DrawnText;

struct Screen {
  const wchar_t* language;
  int width;
  int height;
};

class SmallScreenTest : public OptionsFormTest, public ::testing::WithParamInterface<Screen> {
 protected:
  void SetUp() override {
    OptionsFormTest::SetUp();
    const Screen& screen = GetParam();
    ASSERT_TRUE(LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), screen.language, screen.width,
                                    screen.height));
    // The frame sizes the main window to the loaded layout's screen.
    state.reset();
    state = std::make_unique<Application>();
    Settle();
    StartPuzzle();
  }

  // What a repaint of the whole window draws: the texts, and what is wrong
  // with them (cut by their boxes, or painted over by another window).
  std::vector<DrawnText> Repaint(std::vector<std::string>& faults) {
    const std::vector<std::pair<std::string, POINT>> placed = forms_test::RepaintAllPlacedCalls(main);
    std::vector<std::string> calls;
    for (const auto& [call, origin] : placed) calls.push_back(call);
    const std::vector<DrawnText> drawn = forms_test::DrawnTextsOf(calls);
    for (const DrawnText& text : drawn)
      if (forms_test::IsCut(text)) faults.push_back("cut " + forms_test::Describe(text));
    for (const std::string& overlapped : forms_test::OverlappedTexts(placed)) faults.push_back(overlapped);
    return drawn;
  }
};

bool Draws(const std::vector<DrawnText>& drawn, const std::string& text) {
  for (const DrawnText& d : drawn)
    if (d.text == text) return true;
  return false;
}

TEST_P(SmallScreenTest, EveryOptionsPageReadsWholeAndUncovered) {
  OpenThroughTheTabBar();
  ASSERT_NE(Options(), nullptr);
  const std::pair<int, const char*> pages[] = {{1, "Game"}, {2, "Assistance"}, {3, "Statistics"}, {5, "Preferences"}};
  for (const auto& [tab, name] : pages) {
    SCOPED_TRACE(name);
    ClickTab(tab);
    std::vector<std::string> faults;
    const std::vector<DrawnText> drawn = Repaint(faults);
    EXPECT_TRUE(Draws(drawn, wide_to_utf8(ResourceManager::GetItemConfig(OptionsForm::kForm, 3).text)))
        << "the Statistics tab's caption";
    for (const std::string& fault : faults) ADD_FAILURE() << fault;
  }
}

TEST_P(SmallScreenTest, TheClockShowsItsTimeWhole) {
  // The clock shows no time without it; start-up installs it.
  installed.Install(&notus::ownerdraw::set_time_formatter);
  InstallTimeFormatter();
  Click(application_tab_bar::kTabBarForm, application_tab_bar::kGameTab);
  Settle();
  Click(game_form::kForm, game_form::kClockItem);
  winapi::headless::AdvanceTickCount((12 * 60 + 34) * 1000);
  Settle();
  std::vector<std::string> faults;
  const std::vector<DrawnText> drawn = Repaint(faults);
  EXPECT_TRUE(Draws(drawn, "00:12:34"));
  for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

INSTANTIATE_TEST_SUITE_P(Screens, SmallScreenTest,
                         ::testing::Values(Screen{L"en", 240, 320}, Screen{L"de", 240, 320}, Screen{L"en", 320, 240},
                                           Screen{L"de", 320, 240}, Screen{L"en", 240, 240}, Screen{L"de", 240, 240}),
                         [](const auto& info) {
                           return wide_to_utf8(info.param.language) + "_" + std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height);
                         });

}  // namespace
}  // namespace options_test
