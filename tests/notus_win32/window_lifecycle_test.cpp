// Life of window objects across stacked controllers: registration, the
// current controller's push and pop, destruction, hiding, disabling, moving
// and resizing, and what they add to the invalid rectangle.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "notus/platform/ownerdrawWin32/invalid_rect.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "tests/support/window_probe.h"

using namespace probes;
using notus::impl::details::add_invalid_rect;
using notus::impl::details::clear_invalid_rect;
using notus::impl::details::invalid_rect;

namespace {

bool same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(NoController, MakingAWindowIsRefusedWithTheLayersMessage) {
  ASSERT_EQ(virtual_window_controller::current(), nullptr);
  try {
    notus::impl::virtual_window_impl<notus::traits>::make_virtual_window(0);
    FAIL() << "no error";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "m_virtualWindowController is NULL! ");
  }
}

TEST(ControllerStack, EachControllerRestoresTheOneBeforeIt) {
  virtual_window_controller form;
  {
    std::optional<virtual_window_controller> dialog(std::in_place);
    EXPECT_EQ(virtual_window_controller::current(), &*dialog);
    EXPECT_EQ(dialog->previous(), &form);
    dialog.reset();
  }
  EXPECT_EQ(virtual_window_controller::current(), &form);
}

TEST(ControllerStack, WhileADialogRunsTheFormsWindowsGetNoInput) {
  journal log;
  virtual_window_controller form;
  auto button = make_window("button", log, {{0, 0, 100, 100}});
  auto hint = make_window("hint", log, {{0, 0, 100, 100}}, winobj_virtual_window::flag_listener);
  form.set_focus(button.get());
  {
    virtual_window_controller dialog;
    auto ok = make_window("ok", log, {{10, 10, 20, 20}});
    EXPECT_EQ(ok->controller(), &dialog);
    log.clear();
    for (auto e : {press(15, 15), press(50, 50), tab_down()}) virtual_window_controller::current()->dispatch(e);
    EXPECT_EQ(log, (journal{"ok:state 3", "ok:mouse 3 5,5", "ok:key 1 2"}));
  }
  log.clear();
  auto e = key(1, 5);
  virtual_window_controller::current()->dispatch(e);
  EXPECT_EQ(log, (journal{"button:key 1 5", "hint:key 1 5"}));
}

// A window of the form dies while a dialog's controller is current: the
// form's controller must not keep a pointer to it, or the next key after the
// dialog reaches freed memory.
TEST(ControllerStack, DestroyingAWindowClearsItInEveryStackedController) {
  journal log;
  virtual_window_controller form;
  auto doomed = make_window("doomed", log, {{0, 0, 10, 10}, 0, 1});
  auto other = make_window("other", log, {{50, 0, 60, 10}, 0, 2});
  virtual_window_controller::current()->dispatch(*std::make_unique<platform_event>(press(5, 5)));
  ASSERT_EQ(form.focused(), doomed.get());
  ASSERT_EQ(form.pressed(), doomed.get());
  form.capture(doomed.get());
  {
    virtual_window_controller dialog;
    doomed.reset();
    EXPECT_EQ(form.focused(), nullptr);
    EXPECT_EQ(form.capturing(), nullptr);
    EXPECT_EQ(form.pressed(), nullptr);
    EXPECT_EQ(form.tab_order().size(), 1u);
    EXPECT_EQ(form.paint_order().size(), 1u);
  }
  log.clear();
  auto tab = tab_down();
  EXPECT_NO_THROW(virtual_window_controller::current()->dispatch(tab));
  EXPECT_EQ(log, (journal{"other:state 3", "other:key 1 2"}));
}

TEST(ControllerStack, DestroyingTheFocusedWindowOfTheCurrentControllerHandsTheFocusOn) {
  journal log;
  virtual_window_controller form;
  auto first = make_window("first", log, {{0, 0, 10, 10}, 0, 1, 0});
  auto second = make_window("second", log, {{0, 0, 10, 10}, 0, 1, 1});
  auto elsewhere = make_window("elsewhere", log, {{0, 0, 10, 10}, 0, 2, 0});
  form.set_focus(second.get());
  second.reset();  // next in group wraps to first
  EXPECT_EQ(form.focused(), first.get());
  elsewhere.reset();
  first.reset();  // nothing left to take it
  EXPECT_EQ(form.focused(), nullptr);
  EXPECT_TRUE(form.tab_order().empty());
}

TEST(ControllerStack, AWindowOutlivingItsControllerForgetsIt) {
  journal log;
  virtual_window_controller form;
  std::unique_ptr<window> survivor;
  {
    virtual_window_controller dialog;
    survivor = make_window("survivor", log, {{0, 0, 10, 10}});
  }
  EXPECT_EQ(survivor->controller(), nullptr);
  survivor->set_tab_index(4);  // nothing to sort, nothing to crash
  survivor->hide();
  EXPECT_TRUE(form.tab_order().empty());
}

// Keys of a window registered with the form are sorted in the form's lists,
// even while a dialog's controller is current.
TEST(ControllerStack, KeysAreSortedInTheOwningController) {
  journal log;
  virtual_window_controller form;
  auto a = make_window("a", log, {{0, 0, 10, 10}, 0, 1});
  auto b = make_window("b", log, {{0, 0, 10, 10}, 0, 2});
  virtual_window_controller dialog;
  a->set_tab_index(3);
  a->set_z_order(-5);
  EXPECT_EQ(name_of(form.tab_order().back()), "a");
  EXPECT_EQ(name_of(form.paint_order().back()), "a");
  EXPECT_TRUE(dialog.tab_order().empty());
}

class InputLoss : public ::testing::Test {
 protected:
  virtual_window_controller controller;
  journal log;
  std::unique_ptr<window> a = make_window("a", log, {{0, 0, 10, 10}, 0, 1, 0});
  std::unique_ptr<window> b = make_window("b", log, {{20, 0, 30, 10}, 0, 1, 1});
};

// Focus changes are refused while any capture is held; so a window that
// hides or is disabled while holding the capture must let it go first, or
// the invisible window would keep every mouse event and the focus.
TEST_F(InputLoss, HidingOrDisablingTheCaptorReleasesTheCaptureAndMovesTheFocus) {
  for (bool hide : {true, false}) {
    SCOPED_TRACE(hide ? "hide" : "disable");
    a->show();
    a->enable();
    controller.set_focus(a.get());
    controller.capture(a.get());
    hide ? a->hide() : a->disable();
    EXPECT_EQ(controller.capturing(), nullptr);
    EXPECT_EQ(controller.focused(), b.get());
    log.clear();
    auto e = press(25, 5);
    controller.dispatch(e);
    EXPECT_EQ(log, (journal{"b:mouse 3 5,5"}));
    controller.set_focus(a.get());
  }
}

TEST_F(InputLoss, ACaptorThatIsNotFocusedLeavesTheFocusAlone) {
  controller.set_focus(b.get());
  controller.capture(a.get());
  a->hide();
  EXPECT_EQ(controller.capturing(), nullptr);
  EXPECT_EQ(controller.focused(), b.get());
}

TEST_F(InputLoss, HidingOrDisablingAnUnfocusedWindowMovesNothing) {
  controller.set_focus(b.get());
  log.clear();
  a->hide();
  a->show();
  a->disable();
  EXPECT_EQ(controller.focused(), b.get());
  EXPECT_TRUE(log.empty());
}

class InvalidArea : public ::testing::Test {
 protected:
  void SetUp() override { clear_invalid_rect(); }
  void TearDown() override { clear_invalid_rect(); }

  virtual_window_controller controller;
  journal log;
};

TEST_F(InvalidArea, AddingWidensToTheUnionAndIgnoresEmptyRectangles) {
  add_invalid_rect({10, 10, 20, 20});
  add_invalid_rect({5, 15, 12, 30});
  add_invalid_rect({100, 100, 100, 200});
  EXPECT_TRUE(same(invalid_rect(), {5, 10, 20, 30}));
}

TEST_F(InvalidArea, VacatedPlacesOfVisibleWindowsBecomeInvalid) {
  auto w = make_window("w", log, {{10, 10, 50, 30}});
  clear_invalid_rect();
  w->resize(20, 10);  // shrinking leaves pixels nobody else repaints
  EXPECT_TRUE(same(invalid_rect(), {10, 10, 50, 30}));
  EXPECT_TRUE(same(w->rect(), {10, 10, 30, 20}));

  clear_invalid_rect();
  w->move(100, 100);
  EXPECT_TRUE(same(invalid_rect(), {10, 10, 30, 20}));
  EXPECT_TRUE(same(w->rect(), {100, 100, 120, 110}));

  clear_invalid_rect();
  w->hide();
  EXPECT_TRUE(same(invalid_rect(), {100, 100, 120, 110}));

  // A hidden window covers nothing, so moving or resizing it vacates nothing.
  clear_invalid_rect();
  w->move(0, 0);
  w->resize(5, 5);
  EXPECT_TRUE(same(invalid_rect(), {0, 0, 0, 0}));

  // Destroyed, even hidden, its rectangle is repainted.
  w.reset();
  EXPECT_TRUE(same(invalid_rect(), {0, 0, 5, 5}));
}

TEST_F(InvalidArea, ChangesMarkTheWindowDirtyOnlyWhenTheyChangeSomething) {
  auto w = make_window("w", log, {{0, 0, 10, 10}});
  w->set_dirty(false);
  w->show();
  w->enable();
  EXPECT_FALSE(w->dirty());
  for (auto change : {+[](window& x) { x.move(1, 1); }, +[](window& x) { x.resize(3, 3); },
                      +[](window& x) { x.disable(); }, +[](window& x) { x.enable(); },
                      +[](window& x) {
                        x.hide();
                        x.show();
                      }}) {
    w->set_dirty(false);
    change(*w);
    EXPECT_TRUE(w->dirty());
  }
}

}  // namespace
