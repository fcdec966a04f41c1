// The help dialog as the player meets it: a help button of the form behind
// opens it with the button's text under the caption 389, OK has the focus,
// and each way of pressing OK closes it and gives the form back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "forms/help/HelpDialog.h"
#include "notus/ownerdraw/help_button.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "tests/support/DialogScript.h"
#include "tests/support/FormsHost.h"

namespace forms_test {
namespace {

constexpr std::uint32_t kHelpText = 350;
// Where the help button lies in the form behind the dialog.
constexpr RECT kHelpButton{10, 10, 50, 50};
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

class HelpDialogTest : public FormsTest {
 protected:
  void SetUp() override {
    AddHelpText("Press a digit.&#13;Then a cell.");
    FormsTest::SetUp();
    installed.Install(&notus::gdi::set_device_recorder, [this](const std::string& call) {
      const std::string prefix = "draw_text(\"";
      if (call.rfind(prefix, 0) == 0) drawn.push_back(call.substr(prefix.size(), call.find("\", {") - prefix.size()));
    });
    // The button's glyphs are not what these tests look at.
    installed.Install(&notus::ownerdraw::set_glyph_drawer, [](auto&, unsigned, auto, auto) {});
    button = std::make_unique<tooltip::help_button_view>();
    const auto& h = button->display().handle();
    forms::window_ops::move(h, {kHelpButton.left, kHelpButton.top});
    forms::window_ops::resize(h, {kHelpButton.right - kHelpButton.left, kHelpButton.bottom - kHelpButton.top}, true);
    button->model().help_text_id = kHelpText;
    Settle();
  }
  void TearDown() override {
    button.reset();
    FormsTest::TearDown();
  }
  void InstallFunctions() override { InstallHelpDialog(); }

  // The source tree's resources with one more English string, written with
  // a line break as the resource file writes them.
  void AddHelpText(const std::string& text) {
    const std::filesystem::path file = folders.root / "resources" / "resources.dat";
    std::ifstream in(file);
    std::string xml{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t strings = xml.find("</Strings>");
    ASSERT_NE(strings, std::string::npos);
    xml.insert(strings, "<string id=\"" + std::to_string(kHelpText) + "\">" + text + "</string>");
    std::ofstream(file, std::ios::trunc) << xml;
  }

  // The texts painted when the dialog's loop starts.
  DialogScript::Steps& Paint(DialogScript::Steps& steps) {
    return steps.Do([this] {
      drawn.clear();
      SendMessageW(main, notus::impl::message_paint_now, 0, 0);
      shown = drawn;
    });
  }

  void ClickHelpButton() {
    winapi::headless::InjectClick(main, (kHelpButton.left + kHelpButton.right) / 2,
                                  (kHelpButton.top + kHelpButton.bottom) / 2);
    Settle();
  }

  std::unique_ptr<tooltip::help_button_view> button;
  std::vector<std::string> drawn;
  std::vector<std::string> shown;
};

TEST_F(HelpDialogTest, TheHelpButtonShowsItsTextInLinesUnderTheCaption389) {
  DialogScript script(main);
  Paint(script.Answer()).Key(VK_RETURN);
  ClickHelpButton();
  EXPECT_TRUE(script.Done());
  // The caption, the button, then the text box's lines: the carriage return
  // of the resource file breaks the text where it stands.
  EXPECT_EQ(shown, (std::vector<std::string>{"Help", "OK", "Press a digit.", "Then a cell."}));
}

// OK has the focus from the start; each way of pressing it ends the dialog,
// and the form behind gets its controller and its pixels back.
TEST_F(HelpDialogTest, ReturnSpaceOrAClickOnOkCloses) {
  const ItemConfig ok = ResourceManager::GetItemConfig(22, 1);
  const int okX = (ok.left + ok.right) / 2;
  const int okY = (ok.top + ok.bottom) / 2;
  struct Case {
    const char* name;
    void (*answer)(DialogScript::Steps&);
  };
  const Case cases[] = {
      {"Return", [](DialogScript::Steps& s) { s.Key(VK_RETURN); }},
      {"Space", [](DialogScript::Steps& s) { s.Key(VK_SPACE); }},
      {"click", [](DialogScript::Steps& s) { s.Click(22, 1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      DialogScript script(main);
      c.answer(Paint(script.Answer()));
      ClickHelpButton();
      EXPECT_TRUE(script.Done());
      EXPECT_EQ(script.Answered(), 1u);
    }
    EXPECT_EQ(virtual_window_controller::current(), desktop->root());
    EXPECT_EQ(Shot().At(okX, okY), kWhite);
  }
}

}  // namespace
}  // namespace forms_test
