// The hint display the game commands show through the installed service:
// the hint's text, the help button with its topic, and the invisible tool
// tip that hides both at the player's next press elsewhere or key.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/commands/Services.h"
#include "tests/support/application_fixture.h"

namespace application_test {
namespace {

using gamecommands::Services;

class HintDisplayTest : public ApplicationTest {
 protected:
  void SetUp() override {
    ApplicationTest::SetUp();
    notus::ownerdraw::set_help_dialog_runner(
        [this](std::uint32_t helpId, std::uint32_t titleId) { helpOpened.emplace_back(helpId, titleId); });
  }

  bool HintShown() { return PaintedAtCentreOf(16, 5); }
  bool HelpButtonShown() { return PaintedAtCentreOf(16, 11); }
  void ClickCentreOf(int form, int item) {
    const ItemConfig c = ResourceManager::GetItemConfig(form, item);
    winapi::headless::InjectClick(main, (c.left + c.right) / 2, (c.top + c.bottom) / 2);
  }
  void PressKey(int key) {
    winapi::headless::InjectKey(main, key, true);
    winapi::headless::InjectKey(main, key, false);
  }

  std::vector<std::pair<std::uint32_t, std::uint32_t>> helpOpened;
};

TEST_F(HintDisplayTest, AHintShowsItsTextWithTheHelpButtonForItsTopic) {
  Services::ShowHintDisplay(102, 252);
  const dialogs_test::strings texts = PaintedTexts();
  EXPECT_TRUE(dialogs_test::Shows(texts, "Naked single"));
  EXPECT_NE(std::find(glyphs.begin(), glyphs.end(), 109u), glyphs.end()) << "the help button's question mark";
  EXPECT_TRUE(HintShown());
  EXPECT_TRUE(HelpButtonShown());

  ClickCentreOf(16, 11);
  Settle();
  EXPECT_EQ(helpOpened, (decltype(helpOpened){{252u, 389u}}));

  // The next hint replaces the text on the screen, also while it is shown.
  Services::ShowHintDisplay(190, 350);
  EXPECT_TRUE(dialogs_test::Shows(PaintedTexts(), "No logical step found"));
  helpOpened.clear();
  ClickCentreOf(16, 11);
  Settle();
  EXPECT_EQ(helpOpened, (decltype(helpOpened){{350u, 389u}}));
}

TEST_F(HintDisplayTest, ThePlayersNextPressElsewhereOrKeyHidesTheHint) {
  struct Case {
    const char* name;
    std::function<void()> input;
    bool stays;
  };
  const std::vector<Case> cases = {
      {"a press on the page", [this] { winapi::headless::InjectClick(main, 240, 300); }, false},
      {"a press on the hint", [this] { ClickCentreOf(16, 5); }, false},
      {"a letter key", [this] { PressKey('A'); }, false},
      {"Tab", [this] { PressKey(VK_TAB); }, true},
      {"a press on the help button", [this] { ClickCentreOf(16, 11); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Services::ShowHintDisplay(103, 253);
    ASSERT_TRUE(HintShown());
    c.input();
    EXPECT_EQ(HintShown(), c.stays);
    EXPECT_EQ(HelpButtonShown(), c.stays);
  }
  // Each hint brings the tool tip back with it, so it goes again too.
  for (int round = 0; round < 2; ++round) {
    Services::ShowHintDisplay(104, 254);
    EXPECT_TRUE(HintShown());
    winapi::headless::InjectClick(main, 240, 300);
    EXPECT_FALSE(HintShown());
  }
}

}  // namespace
}  // namespace application_test
