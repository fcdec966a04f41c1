// Changing the language as the player does it: the dialog lists the
// languages of the cached resources with the current one chosen, OK loads
// another one behind the wait form, and every other answer (the same
// language, Cancel, closing the window, an empty list, a load that fails)
// leaves the texts and the option as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "forms/language/GetSupportedLanguagesCommand.h"
#include "forms/language/LanguageChangeCommand.h"
#include "notus/platform/ownerdrawWin32/device_recorder.h"
#include "tests/support/DialogScript.h"
#include "tests/support/FormsHost.h"

namespace forms_test {
namespace {

std::string Language(const std::string& name, const std::string& title, const std::string& cancel,
                     const std::string& wait, const std::string& loading, const std::string& help) {
  // Forms 1 and 16: where the application object puts its game and hint
  // display.
  return "<lang value=\"" + name + R"("><Forms><block width="480" height="640">
    <form id="0"><item id="1" left="0" top="0" right="480" bottom="640"/></form>
    <form id="1"><item id="1" left="0" top="596" right="160" bottom="640"/></form>
    <form id="16">
      <item id="5" left="4" top="544" right="476" bottom="592"/>
      <item id="6" left="4" top="4" right="476" bottom="476"/>
      <item id="7" left="4" top="4" right="400" bottom="400"/>
      <item id="10" left="220" top="490" right="340" bottom="538"/>
      <item id="11" left="428" top="490" right="476" bottom="538"/>
    </form>
    <form id="23">
      <item id="1" left="60" top="200" right="420" bottom="440">)" +
         title + R"(</item>
      <item id="5" left="140" top="250" right="340" bottom="375"/>
      <item id="3" tabIndex="1" orderIndex="1" left="90" top="390" right="210" bottom="430">OK</item>
      <item id="4" tabIndex="1" orderIndex="2" left="270" top="390" right="390" bottom="430">)" +
         cancel + R"(</item>
    </form>
    <form id="24">
      <item id="1" left="40" top="190" right="440" bottom="450">)" +
         wait + R"(</item>
      <item id="2" left="80" top="300" right="400" bottom="330">)" +
         loading + R"(</item>
    </form></block></Forms><Strings><string id="389">)" +
         help + "</string></Strings></lang>";
}

const std::string kResources =
    "<resources>" + Language("en", "Language", "Cancel", "Please wait", "Loading...", "Help") +
    Language("de", "Sprache", "Abbrechen", "Bitte warten", "Laden...", "Hilfe") + "</resources>";

// The combo box of form 23: its closed part is the top 20 px of item 5 and
// the list's rows, 25 px high, drop below it.
constexpr int kComboX = 200;
constexpr int kClosedY = 260;
constexpr int RowY(int row) { return 270 + 25 * row + 12; }

// The player opens the list and takes its row 1 ("de").
DialogScript::Steps& ChooseGerman(DialogScript::Steps& steps) {
  return steps.ClickAt(kComboX, kClosedY).ClickAt(kComboX, RowY(1));
}

class LanguageChangeTest : public FormsTest {
 protected:
  void SetUp() override {
    folders.Write("resources.dat", kResources);
    FormsTest::SetUp();
    installed.Install(&notus::gdi::set_device_recorder);
    state->options.language = L"en";
  }

  // Which language's texts are loaded, by a string each language has.
  static std::wstring Loaded() { return ResourceManager::GetString(389); }

  std::filesystem::path Resources() const { return folders.root / "resources" / "resources.dat"; }
  std::filesystem::path Cached() const { return NativePath(CachedResourcesFileName()); }
  static std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // Paints what is invalid now and answers the texts drawn, empty ones left
  // out.
  std::vector<std::string> PaintNow() {
    std::vector<std::string> texts;
    notus::gdi::set_device_recorder([&texts](const std::string& call) {
      const std::string prefix = "draw_text(\"";
      if (call.rfind(prefix, 0) != 0) return;
      const std::string text = call.substr(prefix.size(), call.find("\", {") - prefix.size());
      if (!text.empty()) texts.push_back(text);
    });
    SendMessageW(main, notus::impl::message_paint_now, 0, 0);
    notus::gdi::set_device_recorder(nullptr);
    return texts;
  }

  // Runs the command with one answer for its dialog.
  bool Change(bool fromOptions, const std::function<void(DialogScript::Steps&)>& answer) {
    DialogScript script(main);
    answer(script.Answer());
    LanguageChangeCommand command(fromOptions);
    command.Execute();
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(virtual_window_controller::current(), desktop->root());
    return command.changed;
  }
};

TEST_F(LanguageChangeTest, TheLanguagesAreThoseTheCachedCopyNames) {
  // Loading wrote the copy; without the resource file the list comes from it.
  std::filesystem::remove(Resources());
  GetSupportedLanguagesCommand supported;
  supported.Execute();
  EXPECT_EQ(supported.languages, (std::vector<std::wstring>{L"en", L"de"}));
}

// Answers that change nothing: the option, the loaded texts and the cached
// copy stay as they were.
TEST_F(LanguageChangeTest, AnswersThatKeepTheLanguage) {
  using Steps = DialogScript::Steps;
  struct Case {
    const char* name;
    const wchar_t* current;
    bool fromOptions;
    std::function<void(Steps&)> answer;
  };
  const Case cases[] = {
      {"the current language accepted", L"en", true, [](Steps& s) { s.Click(23, 3); }},
      // The row of "de" is chosen: OK takes it, and it is the current one.
      {"the current row is preselected", L"de", true, [](Steps& s) { s.Click(23, 3); }},
      {"another language, then Cancel", L"en", true, [](Steps& s) { ChooseGerman(s).Click(23, 4); }},
      {"a close at start-up", L"en", false, [](Steps& s) { ChooseGerman(s).Close(); }},
      {"a close from the options", L"en", true, [](Steps& s) { ChooseGerman(s).Close(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state->options.language = c.current;
    const std::string cached = Read(Cached());
    std::filesystem::remove(Resources());  // a reload would have to fail
    EXPECT_FALSE(Change(c.fromOptions, c.answer));
    EXPECT_EQ(state->options.language, c.current);
    EXPECT_EQ(Loaded(), L"Help");
    EXPECT_EQ(Read(Cached()), cached);
    folders.Write("resources.dat", kResources);
  }
}

TEST_F(LanguageChangeTest, AnotherLanguageLoadsBehindTheWaitFormInTheOldTexts) {
  std::vector<std::string> drawn;
  notus::gdi::set_device_recorder([&drawn](const std::string& call) {
    if (call.rfind("draw_text(", 0) == 0) drawn.push_back(call + " with " + (Loaded() == L"Help" ? "en" : "de"));
  });
  EXPECT_TRUE(Change(true, [](DialogScript::Steps& s) { ChooseGerman(s).Click(23, 3); }));

  auto painted = [&drawn](const std::string& text) {
    return std::count_if(drawn.begin(), drawn.end(), [&](const std::string& call) {
      return call.rfind("draw_text(\"" + text + "\"", 0) == 0 && call.ends_with(" with en");
    });
  };
  EXPECT_EQ(painted("Please wait"), 1);
  EXPECT_EQ(painted("Loading..."), 1);
  EXPECT_EQ(painted("Bitte warten"), 0);

  EXPECT_EQ(state->options.language, L"de");
  EXPECT_EQ(Loaded(), L"Hilfe");
  EXPECT_EQ(ResourceManager::GetItemConfig(24, 1).text, L"Bitte warten");
  const std::string cached = Read(Cached());
  EXPECT_NE(cached.find("Bitte warten"), std::string::npos);
  EXPECT_EQ(cached.find("Please wait"), std::string::npos);

  // What the load left on screen is the wait form alone: its panel shows
  // the same colour outside the dialog's panel, on the dialog's panel and
  // where the dialog's OK button was.
  {
    const winapi::Image during = Shot();
    EXPECT_EQ(during.At(100, 300), during.At(50, 300));
    EXPECT_EQ(during.At(150, 410), during.At(50, 300));
  }

  // The form behind gets its pixels back wherever the dialog and the wait
  // form were.
  Settle();
  const winapi::Image shot = Shot();
  for (const POINT p : {POINT{45, 195}, POINT{100, 220}, POINT{150, 300}, POINT{150, 410}})
    EXPECT_EQ(shot.At(p.x, p.y), 0xFFFFFFFFu) << p.x << "," << p.y;
}

// OK has the focus: Return accepts the preselected row, which is row 0
// when the current language is not in the list.
TEST_F(LanguageChangeTest, ReturnAcceptsTheFirstRowForAnUnlistedLanguage) {
  state->options.language = L"fr";
  EXPECT_TRUE(Change(true, [](DialogScript::Steps& s) { s.Key(VK_RETURN); }));
  EXPECT_EQ(state->options.language, L"en");
}

// The dialog as it opens: the title, OK, Cancel only when it runs from the
// options, and the current language in the closed combo box.
TEST_F(LanguageChangeTest, TheDialogShowsCancelOnlyFromTheOptions) {
  struct Case {
    const char* name;
    bool fromOptions;
    const wchar_t* current;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {"at start-up", false, L"en", {"Language", "OK", "en"}},
      {"from the options", true, L"de", {"Language", "OK", "Cancel", "de"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state->options.language = c.current;
    std::vector<std::string> shown;
    EXPECT_FALSE(Change(c.fromOptions, [&](DialogScript::Steps& s) { s.Do([&] { shown = PaintNow(); }).Close(); }));
    EXPECT_EQ(shown, c.texts);
  }
}

TEST_F(LanguageChangeTest, AcceptingAnEmptyListChangesNothing) {
  // No file names a language for this run's list.
  std::filesystem::remove(Resources());
  std::filesystem::remove(Cached());
  EXPECT_FALSE(Change(true, [](DialogScript::Steps& s) { s.Click(23, 3); }));
  EXPECT_EQ(state->options.language, L"en");
  EXPECT_EQ(Loaded(), L"Help");
}

// The cached copy names "de" but holds only the English texts: without the
// resource file "de" cannot load, and English stays in use.
TEST_F(LanguageChangeTest, ALoadThatFailsKeepsTheOldLanguage) {
  std::filesystem::remove(Resources());
  EXPECT_FALSE(Change(true, [](DialogScript::Steps& s) { ChooseGerman(s).Click(23, 3); }));
  EXPECT_EQ(state->options.language, L"en");
  EXPECT_EQ(Loaded(), L"Help");
  EXPECT_EQ(ResourceManager::GetItemConfig(23, 1).text, L"Language");
}

}  // namespace
}  // namespace forms_test
