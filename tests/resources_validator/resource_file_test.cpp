// The shipped resources.dat checked as a whole, in every language: the ids
// only play reaches, one geometry for all languages, every form on screen and
// above the tab bar, every dialog inside its panel, every one-line text
// inside the rectangle that shows it (measured in the program's own font),
// and paragraph breaks that survive any editor.  The tour (tour_test.cpp)
// adds what the forms really ask for.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/ResourceManager.h"
#include "base/utf.h"
#include "tests/resources_validator/ShippedFile.h"
#include "tests/resources_validator/TextRoom.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/folders.h"
#include "winapi/windows.h"

namespace {

using resources_validator::FileItem;
using resources_validator::FileLanguage;
using resources_validator::RoomFor;
using resources_validator::Widget;

const std::filesystem::path kShippedFile = std::filesystem::path(TAVLIN_SOURCE_RESOURCES) / "resources.dat";

// Strings no form asks for when it opens, only a game in progress: a hint,
// its help, a check of the grid, a solved puzzle, a new version.  The tour
// cannot reach them, so they are listed.
const std::vector<int> kIdsReachedInPlay = {
    100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115,  // techniques
    190,                                                                             // no step found
    250, 251, 252, 253, 254, 255, 256, 257, 258, 259, 260, 261, 262, 263, 264, 265,  // their help
    350,                                                                             // help for no step
    406, 407, 408, 409,                                                              // check, new version
    419, 420, 421, 422, 423, 424, 425};                                              // open, check, solve

constexpr RECT kScreen{0, 0, 480, 640};
// Everything but the frame and the tab bar stays above the tab bar.
constexpr RECT kAboveTabBar{0, 0, 480, 596};

bool Inside(const FileItem& item, const RECT& area) {
  return area.left <= item.left && area.top <= item.top && item.right <= area.right && item.bottom <= area.bottom &&
         item.left < item.right && item.top < item.bottom;
}

std::string Name(const FileItem& item) {
  return "form " + std::to_string(item.form) + " item " + std::to_string(item.id);
}

// The widget each item with a caption becomes.  An item with text and no
// entry here fails the fit test: a new form's captions must be measured too.
const std::map<std::pair<int, int>, Widget> kWidgets = {
    {{1, 1}, Widget::kTab},         {{1, 2}, Widget::kTab},         {{1, 3}, Widget::kTab},
    {{2, 1}, Widget::kBoxedLabel},  {{2, 2}, Widget::kPushButton},  {{2, 3}, Widget::kPushButton},
    {{2, 4}, Widget::kPushButton},  {{2, 5}, Widget::kPushButton},  {{2, 6}, Widget::kPushButton},
    {{2, 8}, Widget::kPushButton},  {{2, 9}, Widget::kPushButton},  {{2, 10}, Widget::kPushButton},
    {{3, 1}, Widget::kTab},         {{3, 2}, Widget::kTab},         {{3, 3}, Widget::kTab},
    {{3, 5}, Widget::kTab},         {{3, 7}, Widget::kPushButton},  {{4, 15}, Widget::kGroupBox},
    {{4, 16}, Widget::kPushButton}, {{4, 17}, Widget::kPushButton}, {{4, 18}, Widget::kPushButton},
    {{4, 19}, Widget::kGroupBox},   {{4, 20}, Widget::kPushButton}, {{4, 21}, Widget::kPushButton},
    {{4, 22}, Widget::kGroupBox},   {{4, 23}, Widget::kPushButton}, {{4, 24}, Widget::kPushButton},
    {{4, 25}, Widget::kPushButton}, {{4, 26}, Widget::kPushButton}, {{5, 37}, Widget::kMarked},
    {{5, 38}, Widget::kMarked},     {{5, 39}, Widget::kMarked},     {{5, 41}, Widget::kMarked},
    {{5, 52}, Widget::kMarked},     {{5, 53}, Widget::kMarked},     {{5, 54}, Widget::kMarked},
    {{5, 55}, Widget::kMarked},     {{5, 56}, Widget::kMarked},     {{5, 57}, Widget::kGroupBox},
    {{6, 67}, Widget::kMarked},     {{6, 68}, Widget::kMarked},     {{6, 69}, Widget::kMarked},
    {{6, 70}, Widget::kGroupBox},   {{6, 81}, Widget::kMarked},     {{6, 82}, Widget::kMarked},
    {{6, 83}, Widget::kGroupBox},   {{6, 96}, Widget::kPushButton}, {{6, 97}, Widget::kLabel},
    {{8, 102}, Widget::kLabel},     {{9, 1}, Widget::kPushButton},  {{9, 4}, Widget::kLabel},
    {{10, 1}, Widget::kPushButton}, {{10, 5}, Widget::kLabel},      {{10, 6}, Widget::kLabel},
    {{11, 1}, Widget::kPushButton}, {{11, 2}, Widget::kPushButton}, {{11, 3}, Widget::kPushButton},
    {{11, 4}, Widget::kPushButton}, {{11, 6}, Widget::kLabel},      {{13, 1}, Widget::kLabel},
    {{14, 1}, Widget::kLabel},      {{15, 1}, Widget::kBoxedLabel}, {{15, 2}, Widget::kPushButton},
    {{15, 3}, Widget::kPushButton}, {{15, 4}, Widget::kLabel},      {{16, 1}, Widget::kNotDrawn},
    {{16, 2}, Widget::kNotDrawn},   {{16, 3}, Widget::kNotDrawn},   {{16, 4}, Widget::kNotDrawn},
    {{18, 2}, Widget::kPushButton}, {{18, 3}, Widget::kBoxedLabel}, {{19, 1}, Widget::kPushButton},
    {{19, 2}, Widget::kBoxedLabel}, {{19, 3}, Widget::kLabel},      {{19, 4}, Widget::kLabel},
    {{20, 2}, Widget::kPushButton}, {{20, 3}, Widget::kPushButton}, {{22, 1}, Widget::kPushButton},
    {{23, 1}, Widget::kBoxedLabel}, {{23, 3}, Widget::kPushButton}, {{23, 4}, Widget::kPushButton},
    {{24, 1}, Widget::kBoxedLabel}, {{24, 2}, Widget::kLabel},      {{25, 2}, Widget::kPushButton},
};

// Strings shown on one line, what follows them there, and the item whose
// rectangle shows them.
struct ShownString {
  std::vector<int> ids;
  std::wstring after;
  int form;
  int item;
  Widget widget;
};
const std::vector<ShownString> kShownStrings = {
    {{220, 406, 407, 417, 419, 420, 421, 423, 424}, L"", 25, 3, Widget::kLabel},  // the OK dialog's message
    {{418, 422}, L"puzzle.txt", 25, 3, Widget::kLabel},                           // ... naming a file
    {{403, 405, 416, 425}, L"", 25, 1, Widget::kBoxedLabel},                      // ... and its title
    {{409}, L"", 15, 4, Widget::kLabel},                                          // the new-version question
    {{408}, L"", 15, 1, Widget::kBoxedLabel},                                     // ... and its title
    {{389}, L"", 22, 3, Widget::kLabel},                                          // the help dialog's caption
    {{400, 401}, L"", 20, 1, Widget::kBoxedLabel},                                // the edit box's prompt
    {{361, 362, 363, 364}, L"256", 18, 1, Widget::kListRow},                      // puzzle information
    {{100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115},
     L": 99",
     18,
     1,
     Widget::kListRow},                                                   // ... its technique counts
    {{210, 211, 212, 213}, L": 00:00:00", 8, 105, Widget::kListRow},      // a statistics row
    {{200, 201, 202, 203, 204, 205}, L"", 8, 103, Widget::kComboClosed},  // levels on the statistics page
    {{200, 201, 202, 203, 204, 205}, L"", 10, 2, Widget::kComboClosed},   // ... on the build-puzzle form
    {{201, 202, 203, 204, 205}, L"", 9, 6, Widget::kComboClosed},         // ... on the select-puzzle form
    {{230, 231, 232, 233, 234, 235}, L"", 6, 95, Widget::kComboClosed},   // entering numbers
    {{100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 190},
     L"",
     16,
     5,
     Widget::kLabel},  // the hint area: the step's technique, or none found
};

// A dialog's panel and the items drawn on it.
const std::vector<std::pair<int, int>> kDialogPanels = {{15, 1}, {18, 3}, {19, 2}, {20, 1}, {23, 1}, {24, 1}, {25, 1}};

class ShippedResourceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    languages_ = resources_validator::ReadShippedFile(kShippedFile);
    ASSERT_GE(languages_.size(), 2u);
    ASSERT_EQ(languages_[0].name, "en");
    ASSERT_EQ(languages_[1].name, "de");
  }
  std::vector<FileLanguage> languages_;
};

TEST_F(ShippedResourceFileTest, HasEveryIdOnlyPlayReaches) {
  for (const FileLanguage& language : languages_) {
    SCOPED_TRACE(language.name);
    for (int id : kIdsReachedInPlay) {
      const std::wstring* text = language.String(id);
      EXPECT_TRUE(text != nullptr && !text->empty()) << "string " << id;
    }
  }
}

// Forms 0, 1 and 16 are never placed again after a change of language, so
// a German rectangle that differs would hold for the forms built later only.
TEST_F(ShippedResourceFileTest, EveryItemAndStringOnceWithOneGeometryForAllLanguages) {
  using Geometry = std::tuple<int, int, int, int, int, int, bool>;
  auto geometryOf = [](const FileLanguage& language) {
    std::map<std::pair<int, int>, Geometry> geometry;
    for (const FileItem& item : language.items) {
      const bool added =
          geometry
              .emplace(std::pair{item.form, item.id}, Geometry{item.tabIndex, item.orderIndex, item.left, item.top,
                                                               item.right, item.bottom, !item.text.empty()})
              .second;
      EXPECT_TRUE(added) << Name(item) << " twice";
    }
    return geometry;
  };
  auto stringIdsOf = [](const FileLanguage& language) {
    std::set<int> ids;
    for (const auto& [id, text] : language.strings) EXPECT_TRUE(ids.insert(id).second) << "string " << id << " twice";
    return ids;
  };
  SCOPED_TRACE(languages_[0].name);
  const auto reference = geometryOf(languages_[0]);
  const auto referenceStrings = stringIdsOf(languages_[0]);
  for (std::size_t i = 1; i < languages_.size(); ++i) {
    SCOPED_TRACE(languages_[i].name);
    EXPECT_EQ(geometryOf(languages_[i]), reference);
    EXPECT_EQ(stringIdsOf(languages_[i]), referenceStrings);
  }
}

TEST_F(ShippedResourceFileTest, FormsStayAboveTheTabBarAndDialogsInsideTheirPanels) {
  for (const FileLanguage& language : languages_) {
    SCOPED_TRACE(language.name);
    for (const FileItem& item : language.items) {
      EXPECT_TRUE(Inside(item, item.form <= 1 ? kScreen : kAboveTabBar)) << Name(item);
    }
    for (const auto& [form, panelId] : kDialogPanels) {
      const FileItem* panel = language.Item(form, panelId);
      ASSERT_NE(panel, nullptr) << "form " << form << " has no panel";
      for (const FileItem& item : language.items) {
        if (item.form == form) {
          EXPECT_TRUE(panel->Contains(item)) << Name(item) << " leaves its panel";
        }
      }
    }
    // The wait form is shown over the language dialog and must hide all of it.
    EXPECT_TRUE(language.Item(24, 1)->Contains(*language.Item(23, 1)));
    // The option pages are drawn inside the options form's frame.
    const FileItem* frame = language.Item(3, 6);
    ASSERT_NE(frame, nullptr);
    for (const FileItem& item : language.items) {
      if (item.form >= 4 && item.form <= 8) {
        EXPECT_TRUE(frame->Contains(item)) << Name(item) << " leaves the frame";
      }
    }
    // The select-puzzle preview (a game-form item no game uses) clears the
    // form's widgets; a combo box's list may drop over it.
    const FileItem* preview = language.Item(16, 8);
    ASSERT_NE(preview, nullptr);
    for (const FileItem& widget : language.items) {
      if (widget.form != 9) continue;
      FileItem shown = widget;
      if (widget.id == 5 || widget.id == 6) shown.bottom = shown.top + resources_validator::kComboClosedHeight;
      const bool apart = shown.right <= preview->left || preview->right <= shown.left || shown.bottom <= preview->top ||
                         preview->bottom <= shown.top;
      EXPECT_TRUE(apart) << Name(widget) << " lies under the preview";
    }
  }
}

// A combo box's item is its 20 px closed part and its list below; a list
// shows whole rows of 25 px.  A rectangle a few pixels off shows a cut row or
// a gap under the last.
TEST_F(ShippedResourceFileTest, CombosAndListsHoldWholeRows) {
  struct Rows {
    int form;
    int item;
    int closed;  // 20 for a combo box, 0 for a list
    int rows;    // the entries, or 0 when they are the player's (any whole number)
  };
  const std::vector<Rows> kRows = {
      {6, 95, 20, 6},   // entering numbers
      {8, 103, 20, 6},  // levels
      {8, 104, 20, 3},  // grid sizes
      {9, 6, 20, 5},    // levels without the empty grid
      {9, 5, 20, 2},    // grid sizes of the packages
      {10, 2, 20, 6},   // levels
      {10, 3, 20, 3},   // grid sizes
      {8, 105, 0, 4},   // statistics rows
      {23, 5, 20, 0},   // the languages of the file
      {9, 3, 0, 0},     // puzzle numbers
      {11, 5, 0, 0},    // players
  };
  constexpr int kRowHeight = 25;
  for (const FileLanguage& language : languages_) {
    SCOPED_TRACE(language.name);
    for (const Rows& rows : kRows) {
      const FileItem* item = language.Item(rows.form, rows.item);
      ASSERT_NE(item, nullptr) << "form " << rows.form << " item " << rows.item;
      const int list = item->Height() - rows.closed;
      if (rows.rows > 0) {
        EXPECT_EQ(list, rows.rows * kRowHeight) << Name(*item);
      } else {
        EXPECT_EQ(list % kRowHeight, 0) << Name(*item);
      }
    }
    // The language dialog lists every language of the file.
    EXPECT_GE(language.Item(23, 5)->Height() - 20, kRowHeight * static_cast<int>(languages_.size()));
  }
}

// A raw line end in the file is whatever the editor that saved it wrote, and
// the text widgets break on CR only: breaks are written as "&#13;".
TEST_F(ShippedResourceFileTest, TextsBreakWithCarriageReturnsOnly) {
  for (const FileLanguage& language : languages_) {
    SCOPED_TRACE(language.name);
    for (const FileItem& item : language.items) EXPECT_EQ(item.text.find(L'\n'), std::wstring::npos) << Name(item);
    for (const auto& [id, text] : language.strings) EXPECT_EQ(text.find(L'\n'), std::wstring::npos) << id;
  }
  // The help texts are paragraphs.
  for (int id : {371, 390, 391, 392, 393, 250, 350}) {
    EXPECT_NE(languages_[0].String(id)->find(L'\r'), std::wstring::npos) << id;
  }
}

class ShippedTextsFitTest : public ShippedResourceFileTest {
 protected:
  void SetUp() override {
    ShippedResourceFileTest::SetUp();
    desktop_ = std::make_unique<test_support::HeadlessDesktop>(1000);
    screen_ = GetDC(nullptr);
  }
  void TearDown() override {
    ReleaseDC(nullptr, screen_);
    desktop_.reset();
  }
  int WidthOf(const std::wstring& text) const {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(screen_, text.c_str(), static_cast<int>(text.size()), &size));
    return size.cx;
  }
  void ExpectFits(const std::wstring& text, Widget widget, const FileItem& where, const std::string& what) const {
    EXPECT_EQ(text.find(L'\r'), std::wstring::npos) << what << " is shown on one line";
    const int width = WidthOf(text);
    const int room = RoomFor(widget, where);
    EXPECT_LE(width, room) << what << " \"" << wide_to_utf8(text) << "\" needs " << width << " px, " << Name(where)
                           << " has " << room;
  }

  std::unique_ptr<test_support::HeadlessDesktop> desktop_;
  HDC screen_ = nullptr;
};

TEST_F(ShippedTextsFitTest, ItemCaptionsFitInsideTheirWidgets) {
  ASSERT_GT(WidthOf(L"Wg"), 10);  // the font is there
  for (const FileLanguage& language : languages_) {
    SCOPED_TRACE(language.name);
    for (const FileItem& item : language.items) {
      if (item.text.empty()) continue;
      const auto widget = kWidgets.find({item.form, item.id});
      if (widget == kWidgets.end()) {
        ADD_FAILURE() << Name(item) << " has a caption but no widget kind in the table";
      } else if (widget->second != Widget::kNotDrawn) {
        ExpectFits(item.text, widget->second, item, "caption of " + Name(item));
      }
    }
  }
}

TEST_F(ShippedTextsFitTest, StringsShownOnOneLineFitTheirRectangles) {
  for (const FileLanguage& language : languages_) {
    SCOPED_TRACE(language.name);
    for (const ShownString& shown : kShownStrings) {
      const FileItem* where = language.Item(shown.form, shown.item);
      ASSERT_NE(where, nullptr) << "form " << shown.form << " item " << shown.item;
      for (int id : shown.ids) {
        const std::wstring* text = language.String(id);
        ASSERT_NE(text, nullptr) << "string " << id;
        ExpectFits(*text + shown.after, shown.widget, *where, "string " + std::to_string(id));
      }
    }
  }
}

// Each language of the shipped file loads through the resource manager
// itself, and the one it loads is the one asked for.
TEST_F(ShippedResourceFileTest, EveryLanguageLoads) {
  grid_test::Folders folders({"resources.dat"});
  for (const FileLanguage& language : languages_) {
    SCOPED_TRACE(language.name);
    ASSERT_TRUE(LoadResources(utf8_to_wide(language.name), 480, 640));
    EXPECT_EQ(ResourceManager::GetItemConfig(1, 2).text, language.Item(1, 2)->text);
    EXPECT_EQ(ResourceManager::GetString(371), *language.String(371));
  }
}

}  // namespace
