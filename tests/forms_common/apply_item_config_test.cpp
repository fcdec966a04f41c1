// Placing widgets by the resource file's layouts.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "forms/common/ApplyItemConfig.h"
#include "notus/managers/view_manager.h"
#include "notus/ownerdraw/check_box.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "tests/support/FormsHost.h"

namespace forms_test {
namespace {

using notus::ownerdraw::push_button_view;

// The layouts of a private resource file.
class ApplyItemConfigTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    folders.Write("resources.dat", R"(<resources><lang value="en"><Forms><block width="480" height="640">
      <form id="0"><item id="1" left="0" top="0" right="480" bottom="640"/></form>
      <form id="1"><item id="1" left="0" top="596" right="160" bottom="640"/></form>
      <form id="16"><item id="6" left="4" top="4" right="476" bottom="476"/></form>
      <form id="5">
        <item id="38" tabIndex="3" orderIndex="2" left="10" top="20" right="110" bottom="50">Sound</item>
        <item id="39" tabIndex="3" orderIndex="1" left="10" top="60" right="110" bottom="90">Music</item>
        <item id="40" tabIndex="1" orderIndex="0" left="10" top="100" right="110" bottom="130">First</item>
        <item id="41" tabIndex="2" orderIndex="0" left="0" top="0" right="0" bottom="0">Nothing</item>
      </form></block></Forms><Strings/></lang></resources>)");
    ResourceManager::Clear();
    std::remove(ws(CachedResourcesFileName()).c_str());
    ASSERT_TRUE(LoadResources(L"en", 480, 640));
  }
  static std::string ws(const std::wstring& w) { return std::string(w.begin(), w.end()); }

  template <class View>
  static RECT Rect(View& v) {
    const auto r = forms::window_ops::rect(v.display().handle());
    return {r.left, r.top, r.right, r.bottom};
  }
};

TEST_F(ApplyItemConfigTest, AWidgetTakesRectangleTextIdAndTabPlace) {
  struct row {
    int item;
    RECT rect;
    const wchar_t* text;
  };
  const row rows[] = {{38, {10, 20, 110, 50}, L"Sound"}, {41, {0, 0, 0, 0}, L"Nothing"}};
  for (const row& r : rows) {
    SCOPED_TRACE(r.item);
    push_button_view button;
    forms::ApplyItemConfig(5, r.item, button);
    const RECT got = Rect(button);
    EXPECT_EQ(got.left, r.rect.left);
    EXPECT_EQ(got.top, r.rect.top);
    EXPECT_EQ(got.right, r.rect.right);
    EXPECT_EQ(got.bottom, r.rect.bottom);
    EXPECT_EQ(button.model().text, r.text);
    EXPECT_EQ(button.model().id, std::uint32_t(r.item));
  }
}

TEST_F(ApplyItemConfigTest, ThePlacedButtonsClickCarriesItsItem) {
  push_button_view button;
  forms::ApplyItemConfig(5, 38, button);
  std::uint32_t clicked = 0;
  auto listening =
      notus::make_shared_connection(button, push_button_view::slot_type([&](push_button_view::view_event_type& e) {
                                      if (auto* d = e.payload.template get_if<0>())
                                        if (auto* click = d->payload.kind.get_if<notus::impl::kind_click>())
                                          clicked = std::uint32_t(click->id);
                                    }));
  winapi::headless::InjectClick(main, 50, 30);
  Settle();
  EXPECT_EQ(clicked, 38u);
}

TEST_F(ApplyItemConfigTest, TheTabOrderFollowsTabThenOrderIndex) {
  push_button_view sound, music, first;
  forms::ApplyItemConfig(5, 38, sound);
  forms::ApplyItemConfig(5, 39, music);
  forms::ApplyItemConfig(5, 40, first);
  ASSERT_TRUE(forms::window_ops::set_focus(first.display().handle()));
  // Into the other group, along it, and back: Music leads its group although
  // Sound was placed first.
  std::vector<std::wstring> walk;
  const auto& h = first.display().handle();
  for (bool (*move)(const notus::details::handle&) :
       {&forms::window_ops::focus_next_tab, &forms::window_ops::focus_next_in_group,
        &forms::window_ops::focus_next_tab}) {
    move(h);
    for (push_button_view* v : {&sound, &music, &first})
      if (forms::window_ops::has_focus(v->display().handle())) walk.push_back(v->model().text);
  }
  EXPECT_EQ(walk, (std::vector<std::wstring>{L"Music", L"Sound", L"First"}));
}

TEST_F(ApplyItemConfigTest, AMissingItemThrowsAndLeavesTheWidgetAsItWas) {
  notus::ownerdraw::checkbox_view box;
  try {
    forms::ApplyItemConfig(5, 42, box);
    FAIL() << "no exception";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "ResourceManager::GetItemConfig no such ItemConfig ( 5,42)");
  }
  EXPECT_EQ(box.model().text, L"checkbox");
  EXPECT_TRUE(box.model().checked);
}

}  // namespace
}  // namespace forms_test
