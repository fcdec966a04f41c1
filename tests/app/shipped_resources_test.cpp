// The resources.dat that ships with the game, checked against what the code
// asks of it: every form item and string the forms look up exists in every
// language, and the languages differ in their texts only.  A missing item
// only shows when its form first opens (GetItemConfig throws there), and a
// language with a moved rectangle only when someone plays in it, so both are
// caught here instead.
#include "app/ResourceManager.h"
#include "app/XmlFiles.h"

#include "TempFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct FormItem {
  int form;
  std::vector<int> items;
};

// What the forms and dialogs look up.  Grows with every form that asks for
// more.
const std::vector<FormItem> kRequiredItems = {
    {0, {1}},                                               // main frame
    {1, {1, 2, 3}},                                         // tab bar
    {2, {1, 2, 3, 4, 5, 6, 8, 9, 10}},                      // main menu (no item 7)
    {3, {1, 2, 3, 5, 6, 7}},                                // options: tabs, frame, help button
    {4, {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26}},  // options, Game page
    {5, {37, 38, 39, 41, 52, 53, 54, 55, 56, 57}},          // options, Assistance page
    {6, {67, 68, 69, 70, 81, 82, 83, 95, 96, 97}},          // options, Preferences page
    {8, {102, 103, 104, 105}},                              // options, Statistics page
    {9, {1, 3, 4, 5, 6}},                                   // select puzzle
    {10, {1, 2, 3, 4, 5, 6}},                               // build puzzle
    {11, {1, 2, 3, 4, 5, 6}},                               // players
    {13, {1, 2}},                                           // help form
    {14, {1, 2}},                                           // about
    {15, {1, 2, 3, 4}},                                     // OK/Cancel dialog
    {16, {1, 2, 3, 4, 5, 6, 7, 8, 10, 11}},  // game form: buttons, hint area, grids, preview, clock, help
    {18, {1, 2, 3}},                         // puzzle information
    {19, {1, 2, 3, 4}},                      // progress of a generation
    {20, {1, 2, 3, 4}},                      // edit box dialog
    {22, {1, 2, 3}},                         // help dialog
    {23, {1, 3, 4, 5}},                      // change of language
    {24, {1, 2}},                            // wait form
    {25, {1, 2, 3}},                         // OK dialog
};

const std::vector<int> kRequiredStrings = {
    100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115,  // techniques
    190,                                                                             // no step found
    250, 251, 252, 253, 254, 255, 256, 257, 258, 259, 260, 261, 262, 263, 264, 265,  // technique help
    350,                                                                             // help for no step
    200, 201, 202, 203, 204, 205,                                                    // levels
    210, 211, 212, 213,                                                              // statistics rows
    230, 231, 232, 233, 234, 235,                                                    // entering numbers
    361, 362, 363, 364,                                                              // puzzle information
    371,                                                                             // the game's help
    389, 390, 391, 392, 393,                                                         // options help
    430, 431, 432, 433, 434, 435, 436, 437, 438, 445, 446,                           // the path prompt, its boxes
    447, 448, 449, 450, 451,                                                         // art file, failed save
    220, 400, 401, 403, 405, 406, 407, 408, 409, 416, 417, 418, 419, 420, 421, 422, 423, 424, 425, 1000, 1001};

constexpr int kScreenWidth = 480;
constexpr int kScreenHeight = 640;

// What must agree between languages for one item of one form in one block:
// tabIndex, orderIndex, left, top, right, bottom, and whether it has a text.
using ItemLayout = std::tuple<int, int, int, int, int, int, bool>;
using ItemKey = std::tuple<std::string, int, int>;  // block "WxH", form, item

// The layouts of one language element as they stand in the file.
std::map<ItemKey, ItemLayout> LayoutsOf(const TiXmlElement& language) {
  std::map<ItemKey, ItemLayout> layouts;
  const TiXmlElement* forms = language.FirstChildElement("Forms");
  if (forms == nullptr) return layouts;
  for (const TiXmlElement* block = forms->FirstChildElement(); block; block = block->NextSiblingElement()) {
    const std::string size = std::string(block->Attribute("width") ? block->Attribute("width") : "?") + "x" +
                             (block->Attribute("height") ? block->Attribute("height") : "?");
    for (const TiXmlElement* form = block->FirstChildElement(); form; form = form->NextSiblingElement()) {
      int formId = -1;
      form->QueryIntAttribute("id", &formId);
      for (const TiXmlElement* item = form->FirstChildElement(); item; item = item->NextSiblingElement()) {
        int id = -1;
        ItemLayout layout{};
        item->QueryIntAttribute("id", &id);
        item->QueryIntAttribute("tabIndex", &std::get<0>(layout));
        item->QueryIntAttribute("orderIndex", &std::get<1>(layout));
        item->QueryIntAttribute("left", &std::get<2>(layout));
        item->QueryIntAttribute("top", &std::get<3>(layout));
        item->QueryIntAttribute("right", &std::get<4>(layout));
        item->QueryIntAttribute("bottom", &std::get<5>(layout));
        std::get<6>(layout) = item->GetText() != nullptr;
        EXPECT_TRUE(layouts.emplace(ItemKey{size, formId, id}, layout).second)
            << "item " << formId << "/" << id << " appears twice in block " << size;
      }
    }
  }
  return layouts;
}

std::set<int> StringIdsOf(const TiXmlElement& language) {
  std::set<int> ids;
  if (const TiXmlElement* strings = language.FirstChildElement("Strings")) {
    for (const TiXmlElement* element = strings->FirstChildElement(); element; element = element->NextSiblingElement()) {
      int id = -1;
      element->QueryIntAttribute("id", &id);
      ids.insert(id);
    }
  }
  return ids;
}

std::string Describe(const ItemKey& key) {
  return std::get<0>(key) + " form " + std::to_string(std::get<1>(key)) + " item " + std::to_string(std::get<2>(key));
}

class ShippedResourcesTest : public TempFolders {
 protected:
  void SetUp() override {
    TempFolders::SetUp();
    std::filesystem::copy_file(std::filesystem::path(TAVLIN_SOURCE_RESOURCES) / "resources.dat",
                               Resources("resources.dat"));
    languages_ = ReadSupportedLanguages(Resources("resources.dat").wstring());
  }

  std::vector<std::wstring> languages_;
};

TEST_F(ShippedResourcesTest, EveryLanguageHasWhatTheFormsAskFor) {
  ASSERT_GE(languages_.size(), 2u);
  EXPECT_EQ(languages_.front(), L"en");
  for (const std::wstring& language : languages_) {
    SCOPED_TRACE(std::string(language.begin(), language.end()));
    ASSERT_TRUE(LoadResources(language, kScreenWidth, kScreenHeight));
    for (const FormItem& required : kRequiredItems) {
      for (int item : required.items) {
        SCOPED_TRACE("form " + std::to_string(required.form) + " item " + std::to_string(item));
        try {
          const ItemConfig config = ResourceManager::GetItemConfig(required.form, item);
          EXPECT_LT(config.left, config.right);
          EXPECT_LT(config.top, config.bottom);
          EXPECT_LE(config.right, kScreenWidth);
          EXPECT_LE(config.bottom, kScreenHeight);
        } catch (const std::invalid_argument& missing) {
          ADD_FAILURE() << missing.what();
        }
      }
    }
    for (int id : kRequiredStrings) {
      EXPECT_FALSE(ResourceManager::GetString(id).empty()) << "string " << id;
    }
  }
}

// Translators change texts; a rectangle or index that differs, an item or
// string one language lacks, or a text left out in one language is a slip.
TEST_F(ShippedResourcesTest, LanguagesDifferInTheirTextsOnly) {
  TiXmlDocument document;
  ASSERT_TRUE(LoadXmlFile(Resources("resources.dat").wstring(), document, 4 * 1024 * 1024));
  const TiXmlElement* first = document.RootElement()->FirstChildElement();
  ASSERT_NE(first, nullptr);
  const std::map<ItemKey, ItemLayout> reference = LayoutsOf(*first);
  const std::set<int> referenceStrings = StringIdsOf(*first);
  ASSERT_FALSE(reference.empty());

  int languageCount = 0;
  for (const TiXmlElement* language = first; language && language->Attribute("value");
       language = language->NextSiblingElement()) {
    ++languageCount;
    SCOPED_TRACE(language->Attribute("value"));
    const std::map<ItemKey, ItemLayout> layouts = LayoutsOf(*language);
    for (const auto& [key, layout] : reference) {
      const auto found = layouts.find(key);
      if (found == layouts.end()) {
        ADD_FAILURE() << "missing " << Describe(key);
      } else {
        EXPECT_EQ(found->second, layout) << Describe(key);
      }
    }
    for (const auto& [key, layout] : layouts) {
      EXPECT_TRUE(reference.contains(key)) << "only here: " << Describe(key);
    }
    EXPECT_EQ(StringIdsOf(*language), referenceStrings);
  }
  EXPECT_EQ(languageCount, static_cast<int>(languages_.size()));
}

// Paragraph breaks are written as character references: the text wrapper
// breaks on CR only, and a raw line end in the file is whatever the editor
// that saved it wrote.  The break must also survive the cached copy, which
// the loader writes back out.
TEST_F(ShippedResourcesTest, ACharacterReferenceGivesACarriageReturn) {
  WriteBytes(Resources("resources.dat"),
             "<resources><lang value=\"en\"><Forms><block width=\"480\" height=\"640\"><form id=\"22\">"
             "<item id=\"2\" tabIndex=\"0\" orderIndex=\"0\" left=\"0\" top=\"0\" right=\"9\" bottom=\"9\">"
             "A&#13;B</item></form></block></Forms><Strings>"
             "<string id=\"1\">One&#13;&#13;Two</string>"
             "</Strings></lang></resources>");
  // The second load reads the cached copy that the first one wrote.
  for (const char* load : {"from resources.dat", "from the cached copy"}) {
    SCOPED_TRACE(load);
    ASSERT_TRUE(LoadResources(L"en", kScreenWidth, kScreenHeight));
    EXPECT_EQ(ResourceManager::GetString(1), L"One\r\rTwo");
    EXPECT_EQ(ResourceManager::GetItemConfig(22, 2).text, L"A\rB");
  }
  EXPECT_TRUE(std::filesystem::exists(Settings("cached_resources.dat")));
}

}  // namespace
