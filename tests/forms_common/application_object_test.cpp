// The application object: one at a time, the main window sized by its
// layout, and the pending form command run by the frame on its message.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest-spi.h>

#include "tests/support/DialogScript.h"
#include "tests/support/FormsHost.h"

namespace forms_test {
namespace {

using ApplicationObjectTest = FormsTest;

// Records its deferred builds; a build can show another form.
struct ShowCommand : ApplicationCommand {
  ShowCommand(std::vector<std::string>& log, std::string name, std::string next = "")
      : log(&log), name(std::move(name)), next(std::move(next)) {}
  void Execute() override { Application::Instance()->ShowFormLater(*this); }
  void ExecuteDeferred() override {
    log->push_back(name + (Application::Instance()->PendingFormCommand() ? " with pending" : ""));
    if (!next.empty()) ShowCommand(*log, next).Execute();
  }
  ~ShowCommand() override { log->push_back("~" + name); }

  std::vector<std::string>* log;
  std::string name;
  std::string next;
};

TEST_F(ApplicationObjectTest, TheMainWindowTakesTheSizeOfItsLayout) {
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 480);
  EXPECT_EQ(client.bottom, 640);
  EXPECT_EQ(app::instance().back_buffer()->width(), 480);
}

TEST_F(ApplicationObjectTest, ThereIsOnlyOne) {
  try {
    Application second;
    FAIL() << "a second state was made";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "Only one domain is possible.");
  }
  EXPECT_EQ(Application::Instance(), state.get());
}

TEST_F(ApplicationObjectTest, OnlyTheLastShownFormIsBuiltOnceItsMessageArrives) {
  std::vector<std::string> log;
  ShowCommand(log, "menu").Execute();
  ShowCommand(log, "game").Execute();
  EXPECT_EQ(log, (std::vector<std::string>{"~menu", "~menu", "~game"}));  // the copies and the locals
  log.clear();
  Settle();
  // Two messages: the first builds the game form, the second finds none.
  EXPECT_EQ(log, (std::vector<std::string>{"game", "~game"}));
  EXPECT_EQ(state->PendingFormCommand(), nullptr);
}

TEST_F(ApplicationObjectTest, AFormShownDuringABuildWaitsForItsOwnMessage) {
  std::vector<std::string> log;
  ShowCommand(log, "users", "about").Execute();
  log.clear();
  // One message at a time: the first runs the users build only.
  app::pump_message();
  EXPECT_EQ(log, (std::vector<std::string>{"users", "~about", "~users"}));
  ASSERT_NE(state->PendingFormCommand(), nullptr);
  log.clear();
  Settle();
  EXPECT_EQ(log, (std::vector<std::string>{"about", "~about"}));
}

}  // namespace
}  // namespace forms_test

namespace forms_test {
namespace {

// The dialog script itself: an answer ends its loop, a missing answer or
// one that leaves its loop waiting fails the test instead of hanging it.
TEST_F(ApplicationObjectTest, ADialogScriptAnswersEachLoopOrFails) {
  {
    DialogScript script(main);
    script.Answer().Close();
    app::run_message_loop();
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(script.Answered(), 1u);
  }
  {
    DialogScript script(main);
    EXPECT_NONFATAL_FAILURE(app::run_message_loop(), "with no answer left");
  }
  {
    DialogScript script(main);
    script.Answer().ClickAt(5, 5);  // nothing there ends the loop
    EXPECT_NONFATAL_FAILURE(app::run_message_loop(), "waits for input");
  }
}

}  // namespace
}  // namespace forms_test
