// The dialogs on the handheld's smallest screen, 240 x 320, where the
// 480 x 640 layouts are halved: in each language every text lies inside
// its box and on the screen, and a message is read whole, broken between
// words (a file name too long for any line broken inside the name).
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/utf.h"
#include "forms/dialogs/OkCancelDialog.h"
#include "forms/dialogs/OkDialog.h"
#include "tests/support/DrawnTexts.h"
#include "tests/support/dialogs_fixture.h"

namespace dialogs_test {
namespace {

using forms::window_ops;
using forms_test::DrawnText;

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

// String ids of the resource file.
constexpr int kFileProblemTitle = 416;
constexpr int kNotAPuzzle = 417;
constexpr int kNotReadable = 422;
constexpr int kSolvedTitle = 403;
constexpr int kSolvedMessage = 220;

class SmallScreenDialogTest : public DialogsTest, public ::testing::WithParamInterface<const wchar_t*> {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    ASSERT_TRUE(
        LoadResourceStrings(CachedResourcesFileName(), ResourcesFileName(), GetParam(), kScreenWidth, kScreenHeight));
    // The frame sizes the main window to the loaded layout's screen.
    state.reset();
    state = std::make_unique<Application>();
    Settle();
    RECT client{};
    GetClientRect(main, &client);
    ASSERT_EQ(client.right, kScreenWidth);
    ASSERT_EQ(client.bottom, kScreenHeight);
  }
};

std::string Utf8(const std::wstring& text) { return wide_to_utf8(text); }

// Every text drawn lies whole inside its box.
void ExpectNoTextCut(const std::vector<DrawnText>& drawn) {
  for (const DrawnText& text : drawn) EXPECT_FALSE(forms_test::IsCut(text)) << forms_test::Describe(text);
}

// The lines read as the message, whole and in order: each line ends where
// a word of the message ends, unless it is a piece of a word wider than
// the box the line was drawn in.
void ExpectWholeMessageBetweenWords(const std::vector<std::string>& lines, const std::string& message, int width) {
  std::string read;
  std::size_t at = 0;
  for (const std::string& line : lines) {
    while (at < message.size() && message[at] == ' ') ++at;
    ASSERT_EQ(message.compare(at, line.size(), line), 0)
        << "\"" << line << "\" is not the next part of \"" << message << "\"";
    at += line.size();
    const bool endsAWord = at == message.size() || message[at] == ' ';
    if (!endsAWord) {
      // A piece of a word no line holds: the whole word is wider than the box.
      const std::size_t wordStart = message.rfind(' ', at - line.size());
      const std::size_t start = wordStart == std::string::npos ? 0 : wordStart + 1;
      const std::size_t end = std::min(message.find(' ', at), message.size());
      EXPECT_GT(forms_test::ExtentOf(message.substr(start, end - start)).cx, width)
          << "\"" << line << "\" ends inside a word that fits a line";
    }
    read += line;
  }
  EXPECT_EQ(at, message.size()) << "the message is shown only up to \"" << read << "\"";
}

// The panel and every window of the dialog inside the screen.
template <class View>
void ExpectOnScreen(const View& view, const char* what) {
  const auto r = window_ops::rect(view.display().handle());
  EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= kScreenWidth && r.bottom <= kScreenHeight)
      << what << " at {" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

TEST_P(SmallScreenDialogTest, TheOkDialogShowsAMessageWithALongFileNameWholeOnTheScreen) {
  const std::wstring longName = L"mein_wochenendraetsel_aus_der_zeitung_vom_samstag-2026.txt";
  const std::wstring messages[] = {
      ResourceManager::GetString(kNotReadable) + longName,
      ResourceManager::GetString(kNotReadable) + L"a.txt",
      ResourceManager::GetString(kNotAPuzzle),
      ResourceManager::GetString(kSolvedMessage),
  };
  for (const std::wstring& message : messages) {
    SCOPED_TRACE(Utf8(message));
    DialogScript script(main);
    ok_dialog dialog;
    std::vector<DrawnText> drawn;
    script.Answer()
        .Do([&] {
          drawn = forms_test::RepaintAllRecordingTexts(main);
          ExpectOnScreen(*dialog.form()->title, "the panel");
          ExpectOnScreen(*dialog.form()->message, "the message");
          ExpectOnScreen(*dialog.form()->button, "the button");
        })
        .Key(VK_RETURN);
    dialog.title = ResourceManager::GetString(kFileProblemTitle);
    dialog.message = message;
    dialog.Show();
    app::run_message_loop();
    ASSERT_TRUE(script.Done());

    ExpectNoTextCut(drawn);
    const auto box = window_ops::rect(dialog.form()->message->display().handle());
    // The message's lines are drawn in the message's own window; what the
    // panel and the button draw lies in theirs, so they are told apart by
    // their texts.
    std::vector<std::string> lines;
    for (const DrawnText& text : drawn) {
      const std::string title = Utf8(dialog.title), ok = Utf8(ResourceManager::GetItemConfig(25, 2).text);
      if (text.text != title && text.text != ok && !text.text.empty()) lines.push_back(text.text);
    }
    ExpectWholeMessageBetweenWords(lines, Utf8(message), box.right - box.left);
  }
}

TEST_P(SmallScreenDialogTest, TheOkCancelDialogShowsItsQuestionWholeOnTheScreen) {
  DialogScript script(main);
  ok_cancel_dialog dialog;
  std::vector<DrawnText> drawn;
  script.Answer()
      .Do([&] {
        drawn = forms_test::RepaintAllRecordingTexts(main);
        ExpectOnScreen(*dialog.form()->title, "the panel");
        ExpectOnScreen(*dialog.form()->message, "the message");
        ExpectOnScreen(*dialog.form()->accept, "the accepting button");
        ExpectOnScreen(*dialog.form()->cancel, "the cancelling button");
      })
      .Close();
  dialog.Show();
  app::run_message_loop();
  ASSERT_TRUE(script.Done());

  ExpectNoTextCut(drawn);
  const std::string question = Utf8(ResourceManager::GetItemConfig(15, 4).text);
  std::vector<std::string> lines;
  for (const DrawnText& text : drawn) {
    bool other = text.text.empty();
    for (int item : {1, 2, 3}) other = other || text.text == Utf8(ResourceManager::GetItemConfig(15, item).text);
    if (!other) lines.push_back(text.text);
  }
  const auto box = window_ops::rect(dialog.form()->message->display().handle());
  ExpectWholeMessageBetweenWords(lines, question, box.right - box.left);
}

INSTANTIATE_TEST_SUITE_P(Languages, SmallScreenDialogTest, ::testing::Values(L"en", L"de"),
                         [](const auto& info) { return wide_to_utf8(info.param); });

}  // namespace
}  // namespace dialogs_test
