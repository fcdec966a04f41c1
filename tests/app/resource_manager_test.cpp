#include "app/ResourceManager.h"
#include "base/SmallFile.h"
#include "winapi/default_font.h"
#include "winapi/message_box.h"

#include "TempFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string Item(int id, int left, int top, int right, int bottom, const std::string& text = "") {
  return "<item id=\"" + std::to_string(id) + "\" tabIndex=\"3\" orderIndex=\"4\" top=\"" + std::to_string(top) +
         "\" left=\"" + std::to_string(left) + "\" bottom=\"" + std::to_string(bottom) + "\" right=\"" +
         std::to_string(right) + "\">" + text + "</item>";
}

std::string Block(int width, int height, const std::string& forms) {
  return "<block width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\">" + forms +
         "</block>";
}

std::string Language(const std::string& name, const std::string& blocks, const std::string& strings) {
  return "<lang value=\"" + name + "\"><Forms>" + blocks + "</Forms><Strings>" + strings + "</Strings></lang>";
}

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

std::string Document(const std::string& languages) { return "<resources>" + languages + "</resources>"; }

// English has a small layout and an exact one; Swedish only the small one.
const std::string kResources =
    Document(Language("en",
                      Block(240, 320, "<form id=\"16\">" + Item(5, 10, 20, 110, 40, "Small") + "</form>") +
                          Block(480, 640,
                                "<form id=\"16\">" + Item(5, -4, 30, 115, 50, "  Hint\n text ") + Item(6, 1, 2, 3, 4) +
                                    "</form><form id=\"0\">" + Item(1, 0, 0, 480, 640) + "</form>"),
                      "<s id=\"220\">Well done</s><s id=\"401\"> Name:  </s><s id=\"403\"/><s id=\"220\">Solved</s>") +
             Language("sv", Block(240, 320, "<form id=\"16\">" + Item(5, 10, 20, 110, 40, "Liten") + "</form>"),
                      "<s id=\"220\">Klart</s>") +
             "<end/>" + Language("de", Block(480, 640, "<form id=\"16\">" + Item(5, 0, 0, 1, 1) + "</form>"), ""));

class ResourceManagerTest : public TempFolders {
 protected:
  void SetUp() override {
    TempFolders::SetUp();
    WriteBytes(Resources("resources.dat"), kResources);
  }
};

ItemConfig Config(int form, int item, int left, int top, int right, int bottom, const std::wstring& text) {
  return ItemConfig{form, item, 4, 3, text, left, top, right, bottom};
}

TEST_F(ResourceManagerTest, TheExactLayoutIsUsedUnscaled) {
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 5), Config(16, 5, -4, 30, 115, 50, L"  Hint\n text "));
  EXPECT_EQ(ResourceManager::GetItemConfig(0, 1), Config(0, 1, 0, 0, 480, 640, L""));
}

TEST_F(ResourceManagerTest, TheFirstLayoutIsScaledToAnotherScreen) {
  ASSERT_TRUE(LoadResources(L"sv", 480, 640));
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 5), Config(16, 5, 20, 40, 220, 80, L"Liten"));
  ASSERT_TRUE(LoadResources(L"en", 240, 320));
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 5), Config(16, 5, 10, 20, 110, 40, L"Small"));
  ASSERT_TRUE(LoadResources(L"en", 960, 1280));  // no exact layout: the first one, doubled twice
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 5), Config(16, 5, 40, 80, 440, 160, L"Small"));
}

// The text keeps to the layouts it is drawn in: in proportion to the
// smaller scale, within the legible range.
TEST(TextLineHeight, FollowsTheLayoutsScaleWithinTheLegibleRange) {
  struct {
    int width, height, layoutWidth, layoutHeight, expected;
  } cases[] = {
      {480, 640, 480, 640, 16}, {240, 320, 480, 640, 11}, {360, 480, 480, 640, 12}, {960, 1280, 480, 640, 32},
      {480, 320, 480, 640, 11}, {400, 640, 480, 640, 13}, {240, 240, 480, 640, 11}, {4096, 4096, 480, 640, 64},
      {240, 320, 240, 320, 16}, {480, 640, 0, 640, 16},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextLineHeightFor(c.width, c.height, c.layoutWidth, c.layoutHeight), c.expected)
        << c.width << "x" << c.height << " from " << c.layoutWidth << "x" << c.layoutHeight;
  }
}

TEST_F(ResourceManagerTest, ALoadSetsTheFontForItsScaleAndAFailedOneKeepsIt) {
  ASSERT_TRUE(LoadResources(L"sv", 480, 640));  // its only layout, 240 x 320, doubled
  EXPECT_EQ(winapi::core::WantedLineHeight(), 32);
  ASSERT_FALSE(LoadResources(L"xx", 480, 640));  // not in the file
  EXPECT_EQ(winapi::core::WantedLineHeight(), 32);
  ASSERT_TRUE(LoadResources(L"en", 480, 640));  // a layout of its own size
  EXPECT_EQ(winapi::core::WantedLineHeight(), 16);
  ASSERT_TRUE(LoadResources(L"en", 960, 1280));  // the first layout, 240 x 320, four times
  EXPECT_EQ(winapi::core::WantedLineHeight(), 64);
}

// The layer's box can show before any form (a failed save): its buttons
// speak the language from the moment it loads.
TEST_F(ResourceManagerTest, ALoadSetsTheBoxButtonsWordsAndAFailedOneKeepsThem) {
  const auto words = [] {
    const winapi::MessageBoxTexts& texts = winapi::MessageBoxTextsInUse();
    return std::vector<std::wstring>{texts.ok, texts.cancel, texts.yes, texts.no};
  };
  const std::string layout = Block(480, 640, "<form id=\"16\">" + Item(5, 0, 0, 1, 1) + "</form>");
  WriteBytes(Resources("resources.dat"),
             Document(Language("de", layout,
                               "<s id=\"431\">Gut</s><s id=\"432\">Abbrechen</s><s id=\"445\">Ja</s>"
                               "<s id=\"446\">Nein</s>") +
                      Language("fr", layout, "<s id=\"445\">Oui</s><s id=\"446\"></s>")));
  winapi::SetMessageBoxTexts({});
  ASSERT_TRUE(LoadResources(L"de", 480, 640));
  EXPECT_EQ(words(), (std::vector<std::wstring>{L"Gut", L"Abbrechen", L"Ja", L"Nein"}));
  ASSERT_FALSE(LoadResources(L"xx", 480, 640));
  EXPECT_EQ(words(), (std::vector<std::wstring>{L"Gut", L"Abbrechen", L"Ja", L"Nein"}));
  // A word the language lacks, or leaves empty, is English.
  ASSERT_TRUE(LoadResources(L"fr", 480, 640));
  EXPECT_EQ(words(), (std::vector<std::wstring>{L"OK", L"Cancel", L"Oui", L"No"}));
  winapi::SetMessageBoxTexts({});
}

TEST_F(ResourceManagerTest, AMissingItemThrowsWithItsFormAndNumber) {
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  try {
    ResourceManager::GetItemConfig(16, 9);
    FAIL();
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "ResourceManager::GetItemConfig no such ItemConfig ( 16,9)");
  }
}

TEST_F(ResourceManagerTest, StringsKeepTheirWhiteSpaceAndTheLastDuplicate) {
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  EXPECT_EQ(ResourceManager::GetString(220), L"Solved");
  EXPECT_EQ(ResourceManager::GetString(401), L" Name:  ");
  EXPECT_EQ(ResourceManager::GetString(403), L"");
  EXPECT_EQ(ResourceManager::GetString(9999), L"");
}

TEST_F(ResourceManagerTest, TheCachedCopyIsWrittenAndThenUsedOnItsOwn) {
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  ASSERT_TRUE(std::filesystem::exists(Settings("cached_resources.dat")));
  const std::string cache = ReadBytes(Settings("cached_resources.dat"));
  EXPECT_EQ(cache.find("Small"), std::string::npos);         // the other layout is pruned
  EXPECT_EQ(cache.find("Klart"), std::string::npos);         // so is the other language's content
  EXPECT_NE(cache.find("value=\"sv\""), std::string::npos);  // but it is still named

  std::filesystem::remove(Resources("resources.dat"));
  ResourceManager::Clear();
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  EXPECT_EQ(ResourceManager::GetString(220), L"Solved");
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 6), Config(16, 6, 1, 2, 3, 4, L""));
}

// The copy only saves the next start some time: one that cannot be written
// is no news for the player, whose save-failure box stays for the game's files.
TEST_F(ResourceManagerTest, ACopyThatCannotBeWrittenIsNotReported) {
  std::filesystem::create_directory(Settings("cached_resources.dat"));
  std::vector<std::string> reported;
  SetReplaceFailureReporter([&reported](const std::string& folder) { reported.push_back(folder); });
  const bool loaded = LoadResources(L"en", 480, 640);
  SetReplaceFailureReporter({});
  EXPECT_TRUE(loaded);
  EXPECT_EQ(ResourceManager::GetString(220), L"Solved");
  EXPECT_TRUE(reported.empty()) << reported.front();
}

TEST_F(ResourceManagerTest, ACopyOfAnotherLanguageOrScreenIsRebuilt) {
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  ASSERT_TRUE(LoadResources(L"sv", 480, 640));
  EXPECT_NE(ReadBytes(Settings("cached_resources.dat")).find("Klart"), std::string::npos);
  EXPECT_EQ(ResourceManager::GetString(220), L"Klart");

  // A copy made for one screen must not serve another that has its own layout.
  ASSERT_TRUE(LoadResources(L"en", 240, 320));
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 5).text, L"  Hint\n text ");
}

TEST_F(ResourceManagerTest, AChangedResourceFileReplacesAStaleCopy) {
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  WriteBytes(Resources("resources.dat"),
             Document(Language("en", Block(480, 640, "<form id=\"16\">" + Item(7, 1, 1, 2, 2, "New") + "</form>"),
                               "<s id=\"220\">Updated</s>")));
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  EXPECT_EQ(ResourceManager::GetString(220), L"Updated");
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 7).text, L"New");
}

TEST_F(ResourceManagerTest, AnOlderCopyStillServesWhenTheResourceFileCannotGiveTheLanguage) {
  // The copy no longer matches the resource file, but the file itself is of
  // no use (cut short by a broken update, or without the language): the
  // copy is read, as it always was before copies were checked, rather than
  // leaving the program without a single form.
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  const std::string copy = ReadBytes(Settings("cached_resources.dat"));
  const struct {
    const char* what;
    std::string resources;
  } unusable[] = {
      {"cut short", kResources.substr(0, kResources.size() / 2)},
      {"without the language", Document(Language("sv", Block(480, 640, ""), ""))},
  };
  for (const auto& c : unusable) {
    SCOPED_TRACE(c.what);
    WriteBytes(Resources("resources.dat"), c.resources);
    ResourceManager::Clear();
    ASSERT_TRUE(LoadResources(L"en", 480, 640));
    EXPECT_EQ(ResourceManager::GetString(220), L"Solved");
    EXPECT_EQ(ResourceManager::GetItemConfig(16, 5).text, L"  Hint\n text ");
    EXPECT_EQ(ReadBytes(Settings("cached_resources.dat")), copy);
  }
  // A copy of another language is no stand-in.
  WriteBytes(Resources("resources.dat"), unusable[0].resources);
  ResourceManager::Clear();
  EXPECT_FALSE(LoadResources(L"sv", 480, 640));

  // Once the resource file is whole again, the copy is rebuilt from it.
  WriteBytes(Resources("resources.dat"), kResources + " ");
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  EXPECT_NE(ReadBytes(Settings("cached_resources.dat")), copy);
}

TEST_F(ResourceManagerTest, AFailedLoadKeepsWhatWasLoaded) {
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  EXPECT_FALSE(LoadResources(L"fi", 480, 640));  // no such language
  EXPECT_FALSE(LoadResources(L"de", 480, 640));  // listed after the end of the language scan
  EXPECT_FALSE(LoadResources(L"en", 0, 640));
  EXPECT_EQ(ResourceManager::GetString(220), L"Solved");
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 5).text, L"  Hint\n text ");
}

struct BadFileCase {
  const char* what;
  std::string resources;
};

class BadResourceFileTest : public ResourceManagerTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadResourceFileTest, LoadFailsWithoutThrowing) {
  WriteBytes(Resources("resources.dat"), GetParam().resources);
  EXPECT_FALSE(LoadResources(L"en", 480, 640)) << GetParam().what;
  EXPECT_THROW(ResourceManager::GetItemConfig(16, 5), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadResourceFileTest,
    ::testing::Values(BadFileCase{"not XML", "<resources><lang value=\"en\">"}, BadFileCase{"empty", ""},
                      BadFileCase{"block without width", Document(Language("en", "<block height=\"640\"/>", ""))},
                      BadFileCase{"layout of zero size", Document(Language("en", Block(0, 320, ""), ""))},
                      BadFileCase{
                          "form without id",
                          Document(Language("en", Block(480, 640, "<form>" + Item(1, 0, 0, 1, 1) + "</form>"), ""))},
                      BadFileCase{"no Forms", Document("<lang value=\"en\"><Strings/></lang>")},
                      BadFileCase{"nested 100000 deep, which would run the parser out of stack",
                                  Repeated("<lang value=\"en\">", 100000)}));

TEST_F(ResourceManagerTest, ABigFlatResourceFileLoads) {
  // Tens of thousands of tags, but only a few levels deep: a size that the
  // guard in front of the parser must still let through.
  std::string strings;
  for (int id = 0; id < 20000; ++id)
    strings += "<s id=\"" + std::to_string(id) + "\">Text number " + std::to_string(id) + "</s>";
  WriteBytes(Resources("resources.dat"),
             Document(Language("en", Block(480, 640, "<form id=\"16\">" + Item(5, 0, 0, 1, 1) + "</form>"), strings)));
  ASSERT_GT(std::filesystem::file_size(Resources("resources.dat")), 500u * 1024);
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  EXPECT_EQ(ResourceManager::GetString(19999), L"Text number 19999");
}

TEST_F(ResourceManagerTest, ADamagedCopyIsRebuiltFromTheResourceFile) {
  // The copy lies in the user's folder; whatever happened to it, the next
  // start must load from the resource file and write a sound copy again.
  ASSERT_TRUE(LoadResources(L"en", 480, 640));
  const std::string good = ReadBytes(Settings("cached_resources.dat"));
  ASSERT_NE(good.find("source="), std::string::npos);
  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string copy = good;
    const std::size_t at = copy.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return copy.replace(at, from.size(), to);
  };
  const struct {
    const char* what;
    std::string copy;
  } damaged[] = {
      {"a string that is not UTF-8", replaced("Solved", "\xC0\x80")},
      {"a language name that is not UTF-8", replaced("value=\"en\"", "value=\"\xFF\"")},
      {"an item text that is not UTF-8", replaced("  Hint", "\xED\xA0\x80")},
      {"no Forms", replaced("<Forms>", "<Gone>")},
      {"a form without id", replaced("<form id=\"16\">", "<form>")},
      {"nested 100000 deep", Repeated("<lang value=\"en\">", 100000)},
      {"longer than any resource file", good + std::string(5 * 1024 * 1024, ' ')},
  };
  for (const auto& c : damaged) {
    SCOPED_TRACE(c.what);
    WriteBytes(Settings("cached_resources.dat"), c.copy);
    ResourceManager::Clear();
    ASSERT_TRUE(LoadResources(L"en", 480, 640));
    EXPECT_EQ(ResourceManager::GetString(220), L"Solved");
    EXPECT_EQ(ResourceManager::GetItemConfig(16, 5).text, L"  Hint\n text ");
    EXPECT_EQ(ReadBytes(Settings("cached_resources.dat")), good);
  }
}

// A language with form 16 holding item 5 (with that text) and item 6.
std::string TextLanguage(const std::string& name, const std::string& itemText, const std::string& strings) {
  return Language(name,
                  Block(480, 640, "<form id=\"16\">" + Item(5, 0, 0, 1, 1, itemText) + Item(6, 0, 0, 1, 1) + "</form>"),
                  strings);
}

TEST_F(ResourceManagerTest, TextThatIsNotUtf8CostsOnlyThatText) {
  const std::string kStrings = "<s id=\"1\">One</s><s id=\"2\">Two</s><s id=\"3\">Three</s>";
  const struct {
    const char* what;
    std::string resources;
    std::wstring asked;
    std::wstring loaded;  // the language that serves
    std::map<int, std::wstring> strings;
    std::wstring itemText;
  } cases[] = {
      {"a string with \\xFF; the earlier duplicate stays",
       Document(TextLanguage("en", "Go",
                             "<s id=\"1\">One</s><s id=\"2\">Before</s><s id=\"2\">T\xFFwo</s><s id=\"3\">Three</s>")),
       L"en",
       L"en",
       {{1, L"One"}, {2, L"Before"}, {3, L"Three"}},
       L"Go"},
      {"a string of &#xD800;",
       Document(TextLanguage("en", "Go", "<s id=\"1\">One</s><s id=\"2\">&#xD800;</s><s id=\"3\">Three</s>")),
       L"en",
       L"en",
       {{1, L"One"}, {2, L""}, {3, L"Three"}},
       L"Go"},
      {"an overlong form in a string",
       Document(TextLanguage("en", "Go", "<s id=\"1\">\xC0\x80</s><s id=\"3\">Three</s>")),
       L"en",
       L"en",
       {{1, L""}, {3, L"Three"}},
       L"Go"},
      {"an item text with \\xFF",
       Document(TextLanguage("en", "G\xFFo", kStrings)),
       L"en",
       L"en",
       {{1, L"One"}, {2, L"Two"}},
       L""},
      {"a language value with \\xFF before the wanted one",
       Document(TextLanguage("\xFF", "Bad", "<s id=\"1\">Bad</s>") + TextLanguage("en", "Go", kStrings)),
       L"en",
       L"en",
       {{1, L"One"}, {2, L"Two"}},
       L"Go"},
      {"only a language value with \\xFF before a missing one: the first listed serves",
       Document(TextLanguage("\xFF", "Bad", "<s id=\"1\">Bad</s>") + TextLanguage("sv", "G\xC3\xA5", kStrings)),
       L"fi",
       L"sv",
       {{1, L"One"}},
       L"G\u00E5"},
      {"the wanted language's value with \\xFF: the copy of the earlier file serves",
       Document(TextLanguage("en\xFF", "Bad", "<s id=\"220\">Bad</s>")),
       L"en",
       L"en",
       {{220, L"Solved"}},
       L"  Hint\n text "},
  };
  auto check = [](const auto& c, const std::wstring& asked) {
    std::wstring language = asked;
    bool loaded = false;
    EXPECT_NO_THROW(loaded = LoadResourcesOrFirstLanguage(language, 480, 640));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(language, c.loaded);
    for (const auto& [id, text] : c.strings) EXPECT_EQ(ResourceManager::GetString(id), text) << id;
    EXPECT_EQ(ResourceManager::GetItemConfig(16, 5).text, c.itemText);
    EXPECT_NO_THROW(ResourceManager::GetItemConfig(16, 6));
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(Settings("cached_resources.dat"));
    WriteBytes(Resources("resources.dat"), kResources);
    ASSERT_TRUE(LoadResources(L"en", 480, 640));  // a copy made from an earlier file
    WriteBytes(Resources("resources.dat"), c.resources);
    ResourceManager::Clear();
    check(c, c.asked);
    {
      SCOPED_TRACE("loaded again");
      ResourceManager::Clear();
      check(c, c.loaded);
    }
    {
      SCOPED_TRACE("from the copy alone");
      std::filesystem::remove(Resources("resources.dat"));
      ResourceManager::Clear();
      check(c, c.loaded);
    }
  }
}

TEST_F(ResourceManagerTest, ALanguageNameThatIsNotUtf8IsNotListed) {
  WriteBytes(Resources("resources.dat"), Document(Language("\xFF", "", "") + Language("en", "", "") +
                                                  Language("\xC0\x80", "", "") + Language("sv", "", "")));
  EXPECT_EQ(ReadSupportedLanguages(CachedResourcesFileName()), (std::vector<std::wstring>{L"en", L"sv"}));
}

TEST_F(ResourceManagerTest, CharacterReferencesAboveAsciiReadAsTheirCharacters) {
  // Without an encoding declaration, as resources.dat has none.
  WriteBytes(
      Resources("resources.dat"),
      Document(Language("sv", Block(480, 640, "<form id=\"16\">" + Item(5, 0, 0, 1, 1, "G&#xE5; vidare") + "</form>"),
                        "<s id=\"1\">&#xE5;&#229;\xC3\xA5</s><s id=\"2\">&#x20AC;&#x1F600;</s>")));
  ASSERT_TRUE(LoadResources(L"sv", 480, 640));
  EXPECT_EQ(ResourceManager::GetString(1), L"\u00E5\u00E5\u00E5");
  EXPECT_EQ(ResourceManager::GetString(2), L"\u20AC\U0001F600");
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 5).text, L"G\u00E5 vidare");

  // The copy written from it reads the same on its own.
  std::filesystem::remove(Resources("resources.dat"));
  ResourceManager::Clear();
  ASSERT_TRUE(LoadResources(L"sv", 480, 640));
  EXPECT_EQ(ResourceManager::GetString(1), L"\u00E5\u00E5\u00E5");
  EXPECT_EQ(ResourceManager::GetString(2), L"\u20AC\U0001F600");
  EXPECT_EQ(ResourceManager::GetItemConfig(16, 5).text, L"G\u00E5 vidare");
}

TEST_F(ResourceManagerTest, AMissingLanguageFallsBackToTheFirst) {
  std::wstring language = L"fi";
  ASSERT_TRUE(LoadResourcesOrFirstLanguage(language, 480, 640));
  EXPECT_EQ(language, L"en");
  EXPECT_EQ(ResourceManager::GetString(220), L"Solved");
  language = L"sv";
  ASSERT_TRUE(LoadResourcesOrFirstLanguage(language, 480, 640));
  EXPECT_EQ(language, L"sv");
}

TEST_F(ResourceManagerTest, LanguagesAreListedInFileOrderUpToTheFirstUnnamed) {
  ASSERT_TRUE(LoadResources(L"sv", 480, 640));
  std::filesystem::remove(Resources("resources.dat"));  // the list comes from the copy
  EXPECT_EQ(ReadSupportedLanguages(CachedResourcesFileName()), (std::vector<std::wstring>{L"en", L"sv"}));
}

TEST_F(ResourceManagerTest, WithoutACopyTheLanguagesComeFromTheResourceFile) {
  EXPECT_EQ(ReadSupportedLanguages(CachedResourcesFileName()), (std::vector<std::wstring>{L"en", L"sv"}));
}

}  // namespace
