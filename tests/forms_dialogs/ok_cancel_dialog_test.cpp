// The OK/Cancel dialog over the real main window: what it shows, how each
// way of ending it answers, and that it ends only its own loop.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "forms/dialogs/OkCancelDialog.h"
#include "tests/support/dialogs_fixture.h"

namespace dialogs_test {
namespace {

using OkCancelDialogTest = DialogsTest;
using notus::impl::details::virtual_window_controller;

struct EndCase {
  const char* name;
  std::function<void(DialogScript::Steps&)> answer;
  bool accepted;
};

TEST_F(OkCancelDialogTest, OnlyTheAcceptingButtonAccepts) {
  const EndCase cases[] = {
      {"click Yes", [](auto& s) { s.Click(15, 2); }, true},
      {"Return at once", [](auto& s) { s.Key(VK_RETURN); }, true},
      {"Space at once", [](auto& s) { s.Key(VK_SPACE); }, true},
      {"click No", [](auto& s) { s.Click(15, 3); }, false},
      {"Right to No, Return", [](auto& s) { s.Key(VK_RIGHT).Key(VK_RETURN); }, false},
      {"close box", [](auto& s) { s.Close(); }, false},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    DialogScript script(main);
    strings shown;
    auto& answer = script.Answer().Do([&] { shown = PaintedTexts(); });
    c.answer(answer);
    {
      ok_cancel_dialog dialog;
      EXPECT_NE(virtual_window_controller::current(), desktop->root());
      dialog.Show();
      app::run_message_loop();
      EXPECT_EQ(dialog.accepted(), c.accepted);
    }
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(virtual_window_controller::current(), desktop->root()) << "the dialog gave its controller up";
    // Form 15's own texts: the title, the message and both captions.
    for (const char* text : {"Delete player", "Do you really want to delete this player?", "Yes", "No"})
      EXPECT_TRUE(Shows(shown, text));
    // The panel's place is painted again by the frame beneath.
    Settle();
    EXPECT_EQ(Shot().At(240, 300), 0xFFFFFFFFu);
  }
}

TEST_F(OkCancelDialogTest, ACallerMayGiveItsOwnTitleAndMessage) {
  DialogScript script(main);
  strings shown;
  script.Answer().Do([&] { shown = PaintedTexts(); }).Click(15, 3);
  EXPECT_FALSE(AskOkCancel(L"New version", L"A newer version is available. Download it?"));
  EXPECT_TRUE(script.Done());
  for (const char* text : {"New version", "A newer version is available. Download it?", "Yes", "No"})
    EXPECT_TRUE(Shows(shown, text));
  for (const char* text : {"Delete player", "Do you really want to delete this player?"})
    EXPECT_FALSE(Shows(shown, text));
}

// The window's close box while the dialog is up, with the main loop
// running: the dialog ends as cancelled, and the main loop goes on.
TEST_F(OkCancelDialogTest, TheCloseBoxEndsOnlyTheDialog) {
  struct AskLater : ApplicationCommand {
    explicit AskLater(std::string* log) : log(log) {}
    void Execute() override {}
    void ExecuteDeferred() override {
      *log += AskOkCancel() ? "accepted;" : "cancelled;";
      PostQuitMessage(0);  // the main loop's end
    }
    std::string* log;
  };
  std::string log;
  DialogScript script(main);
  script.Answer().Do([&] { state->ShowFormLater(AskLater(&log)); });  // the main loop
  script.Answer().Close();                                            // the dialog's
  EXPECT_EQ(app::run_message_loop(), 0);
  log += "main loop ended";
  EXPECT_EQ(log, "cancelled;main loop ended");
  EXPECT_TRUE(script.Done());
}

TEST_F(OkCancelDialogTest, AMissingItemThrowsBeforeAnyLoop) {
  LoadLayoutsWithout(15, 4);
  DialogScript script(main);
  try {
    ok_cancel_dialog dialog;
    dialog.Show();
    FAIL() << "Show built form 15 without item 4";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "ResourceManager::GetItemConfig no such ItemConfig ( 15,4)");
  }
  EXPECT_EQ(script.Answered(), 0u);
  EXPECT_EQ(virtual_window_controller::current(), desktop->root());
}

}  // namespace
}  // namespace dialogs_test
