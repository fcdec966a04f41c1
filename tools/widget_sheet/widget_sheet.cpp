// Paints every widget of notus/ownerdraw in each of its states onto one
// sheet, so their looks can be judged by eye.  The widgets are real views
// over a window controller on the headless backend, and the sheet is the
// back buffer after the controller's paint pass, as the game would show it.
// The sheet's background is a simple frame, the page colour of the forms.
// Only one window holds the focus at a time, so each focused cell is painted
// in a pass of its own and copied onto the sheet.
//
//   paint_widget_sheet <resources folder/> <out.ppm>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "notus/ownerdraw/box_label.h"
#include "notus/ownerdraw/check_box.h"
#include "notus/ownerdraw/clock.h"
#include "notus/ownerdraw/combo_box.h"
#include "notus/ownerdraw/frames.h"
#include "notus/ownerdraw/glyph_button.h"
#include "notus/ownerdraw/group_box.h"
#include "notus/ownerdraw/help_button.h"
#include "notus/ownerdraw/hint.h"
#include "notus/ownerdraw/installed_functions.h"
#include "notus/ownerdraw/label.h"
#include "notus/ownerdraw/list_box.h"
#include "notus/ownerdraw/push_button.h"
#include "notus/ownerdraw/radio_button.h"
#include "notus/ownerdraw/scroll_bar.h"
#include "notus/ownerdraw/tab_button.h"
#include "notus/ownerdraw/text_box.h"
#include "notus/ownerdraw/toggle_button.h"
#include "notus/ownerdraw/tooltip.h"
#include "notus/platform/ownerdrawWin32/GDIBuffer.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "notus/platform/ownerdrawWin32/svg_glyph.h"
#include "notus/platform/ownerdrawWin32/virtual_window_controller.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "notus/platform/ownerdrawWin32/winobj_virtual_window.h"
#include "tools/picture_file/PpmFile.h"
#include "winapi/headless/headless.h"

namespace {

namespace od = notus::ownerdraw;
using notus::impl::mouse_action;
using notus::impl::details::app;
using notus::impl::details::GDIBuffer;
using notus::impl::details::virtual_window_controller;
using window_ops = notus::impl::virtual_window_impl<notus::traits>;

constexpr int sheet_width = 900;
constexpr int sheet_height = 1350;
constexpr int first_column = 170;
constexpr int column_width = 145;

class sheet {
 public:
  // A view at r, kept alive as long as the sheet.
  template <class View>
  View& add(RECT r) {
    auto v = std::make_shared<View>();
    window_ops::move(v->display().handle(), {r.left, r.top});
    window_ops::resize(v->display().handle(), {r.right - r.left, r.bottom - r.top}, false);
    m_views.push_back(v);
    return *v;
  }

  // A row: its name in a box label at the left; cells to its right.
  void row(int y, int height, const std::wstring& name) {
    m_y = y;
    m_height = height;
    add<od::box_label_view>({10, y, 160, y + std::max(height + 20, 44)}).model().text = name;
  }

  // Cell `column` of the current row: its caption in a plain label above
  // it, and the widget of the size given below.
  RECT cell(int column, const std::wstring& caption, int width, int height = -1) {
    const int x = first_column + column * column_width;
    add<od::label_view>({x, m_y, x + column_width - 5, m_y + 18}).model().text = caption;
    return {x, m_y + 20, x + width, m_y + 20 + (height < 0 ? m_height : height)};
  }

  // The view gets the focus in a pass of its own.
  template <class View>
  void focus_later(View& v, RECT r) {
    const auto* handle = &v.display().handle();
    m_focus_passes.push_back([this, handle, r] {
      window_ops::set_focus(*handle);
      window_ops::invalidate(*handle);
      paint();
      copy(r);
    });
  }

  // Something that is not a view (a text box's manager), kept alive as long
  // as the sheet.
  template <class T>
  T& own(std::shared_ptr<T> thing) {
    m_views.push_back(thing);
    return *thing;
  }

  // act runs in a pass of its own, then r is copied and undo runs: a press
  // that holds the capture would refuse the focus to the cells after it.
  void later(RECT r, std::function<void()> act, std::function<void()> undo) {
    m_focus_passes.push_back([this, r, act, undo] {
      act();
      paint();
      copy(r);
      undo();
    });
  }

  void paint() { m_controller.paint(*app::instance().back_buffer(), nullptr); }

  // First everything as it is, then each focused cell.
  void paint_all() {
    paint();
    copy({0, 0, sheet_width, sheet_height});
    for (const auto& pass : m_focus_passes) pass();
  }

  virtual_window_controller& controller() { return m_controller; }

  bool write_ppm(const char* path) const { return picture_file::WritePpm(path, sheet_width, sheet_height, m_pixels); }

 private:
  // The pixels of r, widened by the focus rings' reach, from the back buffer.
  void copy(RECT r) {
    const GDIBuffer& buffer = *app::instance().back_buffer();
    for (int y = std::max(0, int(r.top) - 2); y < std::min(sheet_height, int(r.bottom) + 2); ++y)
      for (int x = std::max(0, int(r.left) - 2); x < std::min(sheet_width, int(r.right) + 2); ++x)
        m_pixels[std::size_t(y) * sheet_width + x] = buffer.pixel(x, y);
  }

  virtual_window_controller m_controller;
  std::vector<std::shared_ptr<void>> m_views;
  std::vector<std::function<void()>> m_focus_passes;
  std::vector<std::uint32_t> m_pixels = std::vector<std::uint32_t>(std::size_t(sheet_width) * sheet_height);
  int m_y = 0;
  int m_height = 0;
};

std::wstring hh_mm_ss(std::uint32_t seconds) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%02u:%02u:%02u", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

void buttons(sheet& s) {
  s.row(10, 32, L"push button");
  s.add<od::push_button_view>(s.cell(0, L"normal", 120)).model().text = L"OK";
  auto& pressed = s.add<od::push_button_view>(s.cell(1, L"pressed", 120));
  pressed.model().text = L"OK";
  pressed.model().pressed = true;
  const RECT focused_rect = s.cell(2, L"focused", 120);
  auto& focused = s.add<od::push_button_view>(focused_rect);
  focused.model().text = L"OK";
  s.focus_later(focused, focused_rect);
  auto& disabled = s.add<od::push_button_view>(s.cell(3, L"disabled", 120));
  disabled.model().text = L"OK";
  window_ops::disable(disabled.display().handle());
  s.add<od::menu_push_button_view>(s.cell(4, L"menu style", 120)).model().text = L"New game";

  s.row(80, 44, L"glyph button");
  auto glyphs = [](od::glyph_button_model& m, unsigned first) {
    m.glyph_id1 = first;
    m.glyph_id2 = first + 1;
    m.glyph_id3 = first + 2;
  };
  glyphs(s.add<od::glyph_button_view>(s.cell(0, L"normal", 44)).model(), 106);
  auto& glyph_pressed = s.add<od::glyph_button_view>(s.cell(1, L"pressed", 44));
  glyphs(glyph_pressed.model(), 106);
  glyph_pressed.model().pressed = true;
  const RECT glyph_focused_rect = s.cell(2, L"focused", 44);
  auto& glyph_focused = s.add<od::glyph_button_view>(glyph_focused_rect);
  glyphs(glyph_focused.model(), 112);
  s.focus_later(glyph_focused, glyph_focused_rect);
  auto& glyph_disabled = s.add<od::glyph_button_view>(s.cell(3, L"disabled", 44));
  glyphs(glyph_disabled.model(), 115);
  window_ops::disable(glyph_disabled.display().handle());
  const RECT help_rect = s.cell(4, L"help, pressed", 44);
  auto& help = s.add<tooltip::help_button_view>(help_rect);
  glyphs(help.model(), 109);
  help.model().pressed = true;
  auto& help_normal =
      s.add<tooltip::help_button_view>({help_rect.left + 60, help_rect.top, help_rect.right + 60, help_rect.bottom});
  glyphs(help_normal.model(), 109);
}

void choices(sheet& s) {
  s.row(162, 28, L"check box");
  s.add<od::checkbox_view>(s.cell(0, L"fresh", 130));
  auto& unchecked = s.add<od::checkbox_view>(s.cell(1, L"unchecked", 130));
  unchecked.model().checked = false;
  unchecked.model().text = L"Sound";
  const RECT check_focused_rect = s.cell(2, L"focused", 130);
  auto& check_focused = s.add<od::checkbox_view>(check_focused_rect);
  check_focused.model().text = L"Sound";
  s.focus_later(check_focused, check_focused_rect);
  auto& check_disabled = s.add<od::checkbox_view>(s.cell(3, L"disabled", 130));
  check_disabled.model().text = L"Sound";
  window_ops::disable(check_disabled.display().handle());

  s.row(232, 28, L"radio button");
  auto& selected = s.add<od::radio_button_view>(s.cell(0, L"selected", 130));
  selected.model().text = L"Digits";
  selected.model().selected = true;
  s.add<od::radio_button_view>(s.cell(1, L"unselected", 130)).model().text = L"Letters";
  const RECT radio_focused_rect = s.cell(2, L"focused", 130);
  auto& radio_focused = s.add<od::radio_button_view>(radio_focused_rect);
  radio_focused.model().text = L"Letters";
  s.focus_later(radio_focused, radio_focused_rect);
  auto& radio_disabled = s.add<od::radio_button_view>(s.cell(3, L"disabled", 130));
  radio_disabled.model().text = L"Letters";
  window_ops::disable(radio_disabled.display().handle());

  s.row(302, 30, L"tab button");
  auto& tab_selected = s.add<od::tab_button_view>(s.cell(0, L"selected", 110));
  tab_selected.model().text = L"Game";
  tab_selected.model().selected = true;
  s.add<od::tab_button_view>(s.cell(1, L"unselected", 110)).model().text = L"Assist";
  const RECT tab_focused_rect = s.cell(2, L"focused", 110);
  auto& tab_focused = s.add<od::tab_button_view>(tab_focused_rect);
  tab_focused.model().text = L"Assist";
  s.focus_later(tab_focused, tab_focused_rect);
  // Two tabs overlapping by 20 px; a click selects the right one, which then
  // stands in front.
  const RECT left = s.cell(3, L"right one clicked", 90);
  auto& left_tab = s.add<od::tab_button_view>(left);
  left_tab.model().text = L"Game";
  auto& right_tab = s.add<od::tab_button_view>({left.left + 70, left.top, left.right + 70, left.bottom});
  right_tab.model().text = L"Assist";
  right_tab.model().id = 2;
  for (auto e : {notus::impl::ev_mouse{0, mouse_action::down, 1, left.left + 120, left.top + 10},
                 notus::impl::ev_mouse{0, mouse_action::up, 1, left.left + 120, left.top + 10}}) {
    notus::impl::event<notus::traits> event(e);
    s.controller().dispatch(event);
  }
}

void toggles(sheet& s) {
  s.row(374, 32, L"toggle button");
  s.add<od::toggle_button_view>(s.cell(0, L"normal", 44)).model().text = L"5";
  auto& selected = s.add<od::toggle_button_view>(s.cell(1, L"selected", 44));
  selected.model().text = L"5";
  selected.model().selected = true;
  const RECT focused_rect = s.cell(2, L"focused", 44);
  auto& focused = s.add<od::toggle_button_view>(focused_rect);
  focused.model().text = L"5";
  s.focus_later(focused, focused_rect);
  auto& disabled = s.add<od::toggle_button_view>(s.cell(3, L"disabled", 44));
  disabled.model().text = L"5";
  window_ops::disable(disabled.display().handle());
  auto& both = s.add<od::toggle_button_view>(s.cell(4, L"selected, disabled", 44));
  both.model().text = L"5";
  both.model().selected = true;
  window_ops::disable(both.display().handle());

  s.row(446, 32, L"clock");
  auto clock = [](clock_view::clock_model& m, bool shown) {
    m.hidden_glyph = 118;
    m.shown_glyph = 119;
    m.shown = shown;
    m.m_paused = 1;
    m.m_accumulated = 3725;
  };
  clock(s.add<clock_view::clock_button_view>(s.cell(0, L"hidden", 110)).model(), false);
  clock(s.add<clock_view::clock_button_view>(s.cell(1, L"shown", 110)).model(), true);
  const RECT focused_clock_rect = s.cell(2, L"focused", 110);
  auto& focused_clock = s.add<clock_view::clock_button_view>(focused_clock_rect);
  clock(focused_clock.model(), true);
  s.focus_later(focused_clock, focused_clock_rect);
  clock(s.add<clock_view::clock_button_view>(s.cell(3, L"narrow, shown", 32)).model(), true);
}

void texts(sheet& s) {
  s.row(518, 30, L"texts");
  s.add<od::label_view>(s.cell(0, L"label", 130)).model().text = L"A plain label, clipped";
  s.add<od::hint_view>(s.cell(1, L"hint", 130, 44)).model().text = L"Naked single";
  s.add<od::boxed_text_view>(s.cell(2, L"boxed text", 130)).model().text = L"Main menu";
  s.add<od::boxed_text_view>(s.cell(3, L"boxed, empty", 130));
  s.add<od::box_label_view>(s.cell(4, L"box label", 130, 60)).model().text = L"Statistics";

  s.row(620, 120, L"frames");
  s.add<od::group_box_view>(s.cell(0, L"group box", 135)).model().text = L"Sound";
  s.add<od::group_box_view>(s.cell(1, L"group, no caption", 135));
  s.add<od::simple_frame_view>(s.cell(2, L"simple frame", 135));
  // The tool tip is a window that paints nothing; shown, it changes nothing.
  const RECT tip_rect = s.cell(3, L"tool tip (shown)", 135);
  s.add<tooltip::tool_tip_view>(tip_rect).model().text = L"invisible";
}

// Scroll bars lay out their parts on their size event; this main window
// hands one to a window resized with notification, as the game's does.
LRESULT CALLBACK answer_size_requests(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != notus::impl::message_size_event) return DefWindowProcW(window, message, wparam, lparam);
  virtual_window_controller* controller = virtual_window_controller::current();
  auto* w = reinterpret_cast<notus::impl::details::winobj_virtual_window*>(lparam);
  if (controller == nullptr || !controller->is_registered(w)) return 0;
  const RECT& r = w->rect();
  notus::impl::event<notus::traits> size(notus::impl::ev_size{0, r.right - r.left, r.bottom - r.top});
  controller->send_event(w, size);
  return 0;
}

void mouse(sheet& s, mouse_action action, int x, int y) {
  notus::impl::event<notus::traits> e(notus::impl::ev_mouse{0, action, 1, x, y});
  s.controller().dispatch(e);
}

od::scroll_bar_view& scroll_bar(sheet& s, RECT r, int max, int page, int position) {
  auto& bar = s.add<od::scroll_bar_view>(r);
  window_ops::resize(bar.display().handle(), {r.right - r.left, r.bottom - r.top}, true);
  bar.model().set_range(0, max, page, position);
  od::announce(bar.model());
  return bar;
}

void scrolling(sheet& s, od::simple_frame_view& page) {
  s.row(770, 110, L"scroll bar");
  scroll_bar(s, s.cell(0, L"no range", 20), 0, 0, 0);
  scroll_bar(s, s.cell(1, L"top, page 4 of 10", 20), 10, 4, 0);
  scroll_bar(s, s.cell(2, L"at the end", 20), 10, 4, 6);
  auto& pressed = scroll_bar(s, s.cell(3, L"down arrow pressed", 20), 10, 4, 3);
  pressed.strategy<od::vertical_scrollbar_main_strategies>().down->model().pressed = true;
  // The box grabbed at its middle and dragged 20 px down, then let go once
  // the cell is copied.
  const RECT dragged_rect = s.cell(4, L"box dragged", 20);
  scroll_bar(s, dragged_rect, 10, 4, 0);
  s.later(
      dragged_rect,
      [&s, dragged_rect] {
        mouse(s, mouse_action::down, dragged_rect.left + 10, dragged_rect.top + 40);
        mouse(s, mouse_action::move, dragged_rect.left + 10, dragged_rect.top + 60);
      },
      [&s, dragged_rect] { mouse(s, mouse_action::up, dragged_rect.left + 10, dragged_rect.top + 60); });

  s.row(910, 100, L"text box");
  const std::wstring text =
      L"Fill every row, column and box with the digits 1 to 9, each once.\r\nA digit that is already in the row "
      L"cannot go there again.\r\nThe hint button shows the next step.";
  auto text_box = [&s, &page, &text](RECT r, const std::wstring& shown) -> od::textbox_manager& {
    auto& box = s.own(std::make_shared<od::textbox_manager>(page.display(), r));
    box.text_view->model().text = shown.empty() ? text : shown;
    od::announce(box.text_view->model());
    return box;
  };
  text_box(s.cell(0, L"fresh", 135), L"");
  auto& scrolled = text_box(s.cell(1, L"scrolled 3 lines", 135), L"");
  scrolled.bar_view->model().set_position(3);
  od::announce(scrolled.bar_view->model());
  const RECT focused_rect = s.cell(2, L"focused", 135);
  auto& focused = text_box(focused_rect, L"");
  s.focus_later(*focused.text_view, focused_rect);
  auto& replaced = text_box(s.cell(3, L"short text after scroll", 135), L"");
  replaced.bar_view->model().set_position(4);
  od::announce(replaced.bar_view->model());
  replaced.text_view->model().text = L"A new, short text.";
  od::announce(replaced.text_view->model());
}

template <class Manager>
void fill_colours(Manager& m) {
  auto& model = m.list_view->model();
  for (const wchar_t* colour : {L"red", L"green", L"blue", L"cyan", L"pink", L"grey", L"white", L"black"})
    model.items.push_back(std::make_shared<std::wstring>(colour));
  od::listbox_model::model_update u;
  model.raise(u);
}

void lists(sheet& s, od::simple_frame_view& page) {
  s.row(1050, 110, L"list box");
  auto list_box = [&s, &page](RECT r, int top, int selected) -> od::listbox_manager& {
    auto& box = s.own(std::make_shared<od::listbox_manager>(
        notus::rect<notus::traits>{r.left, r.top, r.right, r.bottom}, page.display_ptr()));
    fill_colours(box);
    box.list_view->model().set_top(top);
    box.list_view->model().set_selected(selected);
    od::listbox_model::model_update u;
    box.list_view->model().raise(u);
    return box;
  };
  list_box(s.cell(0, L"no selection", 135), 0, -1);
  list_box(s.cell(1, L"item 2 selected", 135), 0, 1);
  list_box(s.cell(2, L"scrolled to the end", 135), 4, 6);
  const RECT focused_rect = s.cell(3, L"focused", 135);
  s.focus_later(*list_box(focused_rect, 0, 0).list_view, focused_rect);

  s.row(1190, 130, L"combo box");
  auto combo = [&s, &page](RECT r, int item) -> od::cobmbobox::manager& {
    auto& c = s.own(std::make_shared<od::cobmbobox::manager>(
        notus::rect<notus::traits>{r.left, r.top, r.right, r.top + 24},
        notus::rect<notus::traits>{r.left, r.top + 24, r.right, r.top + 124}, page.display_ptr()));
    fill_colours(c);
    c.select_item(item);
    return c;
  };
  combo(s.cell(0, L"nothing chosen", 135), -1);
  combo(s.cell(1, L"closed", 135), 2);
  const RECT focused_combo_rect = s.cell(2, L"focused", 135);
  s.focus_later(*combo(focused_combo_rect, 2).label_view, focused_combo_rect);
  auto& pressed = combo(s.cell(3, L"button pressed", 135), 2);
  pressed.button_view->model().pressed = true;
  // Opened and hovered over its fourth row in a pass of its own: the open
  // list's fake window would take the other cells' mouse events.
  const RECT open_rect = s.cell(4, L"open, row 4 hovered", 135);
  auto& open = combo(open_rect, 2);
  s.later(
      open_rect,
      [&s, &open, open_rect] {
        open.open_list();
        notus::impl::event<notus::traits> e(
            notus::impl::ev_mouse{0, mouse_action::move, 0, open_rect.left + 40, open_rect.top + 24 + 85});
        s.controller().dispatch(e);
      },
      [&open] { open.close(false); });
}

int draw(const std::string& resources, const char* out) {
  winapi::headless::Reset();
  WNDCLASSW main_class{};
  main_class.lpfnWndProc = answer_size_requests;
  main_class.lpszClassName = L"WidgetSheet";
  RegisterClassW(&main_class);
  app::instance().set_main_window(
      CreateWindowExW(0, L"WidgetSheet", L"", 0, 0, 0, sheet_width, sheet_height, nullptr, nullptr, nullptr, nullptr));
  app::resize_back_buffer(sheet_width, sheet_height);
  notus::gdi::load_svg_glyphs(std::wstring(resources.begin(), resources.end()) + L"glyphs.dat");
  od::set_time_formatter(hh_mm_ss);

  sheet s;
  // The page every form lies on, behind everything else: widgets without a
  // fill of their own are repainted over it, as on a form.
  auto& page = s.add<od::simple_frame_view>({0, 0, sheet_width, sheet_height});
  window_ops::set_z_order(page.display().handle(), 100);
  buttons(s);
  choices(s);
  toggles(s);
  texts(s);
  scrolling(s, page);
  lists(s, page);
  s.paint_all();
  if (!s.write_ppm(out)) {
    std::fprintf(stderr, "paint_widget_sheet: cannot write %s\n", out);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: paint_widget_sheet <resources folder/> <out.ppm>\n");
    return 2;
  }
  try {
    const int result = draw(argv[1], argv[2]);
    app::instance().release();
    return result;
  } catch (const char* text) {
    std::fprintf(stderr, "paint_widget_sheet: %s\n", text);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "paint_widget_sheet: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "paint_widget_sheet: a glyph could not be drawn\n");
  }
  return 1;
}
