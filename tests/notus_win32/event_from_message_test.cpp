#include <gtest/gtest.h>

#include <string>

#include "notus/impl/event.h"
#include "notus/platform/ownerdrawWin32/event_from_message.h"
#include "winapi/windows.h"

using namespace notus::impl;

namespace {

using platform_event = event<notus::traits>;

platform_event from_message(UINT message, WPARAM wParam, LPARAM lParam) {
  MSG m{};
  m.message = message;
  m.wParam = wParam;
  m.lParam = lParam;
  return platform_event(m);  // the constructor classifies the record
}

// The kind and every payload word, e.g. "1:0,3,1,10,20"; "none" without payload.
std::string describe(platform_event& e) {
  if (e.kind.empty()) return "none";
  std::string out = std::to_string(e.kind.index()) + ":";
  auto words = [&out](auto... w) {
    bool first = true;
    const auto add = [&](auto value) {
      if (!first) out += ',';
      out += std::to_string(value);
      first = false;
    };
    (add(w), ...);
  };
  if (auto* p = e.kind.get_if<kind_message>())
    words(p->record.message.message);
  else if (auto* p = e.kind.get_if<kind_mouse>())
    words(p->lead, static_cast<int>(p->action), p->button, p->x, p->y);
  else if (auto* p = e.kind.get_if<kind_key>())
    words(p->lead, p->down, p->key, p->code);
  else if (auto* p = e.kind.get_if<kind_size>())
    words(p->lead, p->width, p->height);
  else if (auto* p = e.kind.get_if<kind_close>())
    words(p->lead, p->flag);
  else if (auto* p = e.kind.get_if<kind_command>())
    words(p->lead, p->flag);
  else if (auto* p = e.kind.get_if<kind_state>())
    words(p->lead, p->state);
  else if (auto* p = e.kind.get_if<kind_timer>())
    words(p->lead, p->id);
  else if (auto* p = e.kind.get_if<kind_deferred>())
    words(p->first, p->second);
  else if (auto* p = e.kind.get_if<kind_paint>())
    words(p->lead, p->item_state);  // the rest: DrawItemCarriesTheItem
  return out;
}

struct row {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  const char* expected;
};

const LPARAM at_10_20 = MAKELPARAM(10, 20);
const LPARAM control = 0x1234;  // lParam of WM_COMMAND sent by a control

DRAWITEMSTRUCT item_in_state(UINT state) {
  DRAWITEMSTRUCT item{};
  item.itemState = state;
  return item;
}
const DRAWITEMSTRUCT checked_focused_selected = item_in_state(ODS_CHECKED | ODS_FOCUS | ODS_SELECTED);
const DRAWITEMSTRUCT disabled_focused_selected = item_in_state(ODS_DISABLED | ODS_FOCUS | ODS_SELECTED);
const DRAWITEMSTRUCT focused_selected = item_in_state(ODS_FOCUS | ODS_SELECTED);
const DRAWITEMSTRUCT selected = item_in_state(ODS_SELECTED);
const DRAWITEMSTRUCT grayed_default = item_in_state(ODS_GRAYED | ODS_DEFAULT);
LPARAM item(const DRAWITEMSTRUCT& d) { return reinterpret_cast<LPARAM>(&d); }

const NMHDR notify_set_focus{nullptr, 3, NM_SETFOCUS};
const NMHDR notify_kill_focus{nullptr, 3, NM_KILLFOCUS};
const NMHDR notify_click{nullptr, 3, NM_FIRST - 2};
LPARAM header(const NMHDR& h) { return reinterpret_cast<LPARAM>(&h); }

const row rows[] = {
    // Mouse: action, button, signed coordinates.
    {"move, left button alone", WM_MOUSEMOVE, MK_LBUTTON, at_10_20, "1:0,0,1,10,20"},
    {"move, right button alone", WM_MOUSEMOVE, MK_RBUTTON, at_10_20, "1:0,0,3,10,20"},
    {"move, middle button alone", WM_MOUSEMOVE, MK_MBUTTON, at_10_20, "1:0,0,2,10,20"},
    {"move, left button with Shift", WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, at_10_20, "1:0,0,0,10,20"},
    {"move, left and right buttons", WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, at_10_20, "1:0,0,0,10,20"},
    {"move, left of and above the window", WM_MOUSEMOVE, 0, MAKELPARAM(-5, -32768), "1:0,0,0,-5,-32768"},
    {"left down", WM_LBUTTONDOWN, MK_LBUTTON, at_10_20, "1:0,3,1,10,20"},
    {"left up", WM_LBUTTONUP, 0, at_10_20, "1:0,4,1,10,20"},
    {"left double click", WM_LBUTTONDBLCLK, MK_LBUTTON, at_10_20, "1:0,2,1,10,20"},
    {"right down", WM_RBUTTONDOWN, MK_RBUTTON, at_10_20, "1:0,3,3,10,20"},
    {"right up", WM_RBUTTONUP, 0, at_10_20, "1:0,4,3,10,20"},
    {"right double click", WM_RBUTTONDBLCLK, 0, at_10_20, "1:0,2,3,10,20"},
    {"middle down", WM_MBUTTONDOWN, 0, MAKELPARAM(32767, 0), "1:0,3,2,32767,0"},
    {"middle up", WM_MBUTTONUP, 0, at_10_20, "1:0,4,2,10,20"},
    {"middle double click", WM_MBUTTONDBLCLK, 0, at_10_20, "1:0,2,2,10,20"},
    {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, 120), at_10_20, "0:522"},
    {"extra button down", WM_XBUTTONDOWN, 0, at_10_20, "0:523"},
    {"extra button double click", WM_XBUTTONDBLCLK, 0, at_10_20, "0:525"},
    // Keys: down, key, code.
    {"Shift down", WM_KEYDOWN, VK_SHIFT, 0, "2:0,1,16,17"},
    {"Left while Shift is held", WM_KEYDOWN, VK_LEFT, 0, "2:0,1,37,13"},
    {"Left up", WM_KEYUP, VK_LEFT, 0, "2:0,0,37,13"},
    {"numeric keypad 5", WM_KEYDOWN, VK_NUMPAD5, 0, "2:0,1,53,0"},
    {"main keyboard 5", WM_KEYDOWN, '5', 0, "2:0,1,53,0"},
    {"numeric keypad 0", WM_KEYDOWN, VK_NUMPAD0, 0, "2:0,1,48,0"},
    {"numeric keypad 9 up", WM_KEYUP, VK_NUMPAD9, 0, "2:0,0,57,0"},
    {"the key after the keypad digits", WM_KEYDOWN, VK_MULTIPLY, 0, "2:0,1,106,0"},
    {"generic Alt", WM_KEYDOWN, VK_MENU, 0, "2:0,1,18,0"},
    {"a letter", WM_KEYDOWN, 'A', 0, "2:0,1,65,0"},
    {"typed character", WM_CHAR, 'a', 0, "0:258"},
    {"system key", WM_SYSKEYDOWN, VK_F4, 0, "0:260"},
    // The other kinds.
    {"close box", WM_SYSCOMMAND, SC_CLOSE, 0, "6:0,0"},
    {"minimize", WM_SYSCOMMAND, SC_MINIMIZE, 0, "0:274"},
    {"close with system bits set", WM_SYSCOMMAND, SC_CLOSE | 2, 0, "0:274"},
    {"timer", WM_TIMER, 7, 0, "10:0,7"},
    {"size", WM_SIZE, 0, MAKELPARAM(480, 640), "3:0,480,640"},
    {"size beyond 32767", WM_SIZE, 0, MAKELPARAM(40000, 1), "3:0,40000,1"},
    {"deferred event", WM_USER + 5, 9, control, "13:0,0"},
    {"init dialog", WM_INITDIALOG, 0, 0, "9:0,1"},
    {"destroy", WM_DESTROY, 0, 0, "9:0,2"},
    {"focus gained", WM_SETFOCUS, 0, 0, "9:0,3"},
    {"focus lost", WM_KILLFOCUS, 0, 0, "9:0,4"},
    {"menu command", WM_COMMAND, 40001, 0, "7:0,1"},
    {"edit focus gained", WM_COMMAND, MAKEWPARAM(3, EN_SETFOCUS), control, "9:0,3"},
    {"edit focus lost", WM_COMMAND, MAKEWPARAM(3, EN_KILLFOCUS), control, "9:0,4"},
    {"edit text changed", WM_COMMAND, MAKEWPARAM(3, EN_CHANGE), control, "9:0,5"},
    {"button focus gained", WM_COMMAND, MAKEWPARAM(3, BN_SETFOCUS), control, "9:0,3"},
    {"button focus lost", WM_COMMAND, MAKEWPARAM(3, BN_KILLFOCUS), control, "9:0,4"},
    {"another control notification", WM_COMMAND, MAKEWPARAM(3, 0x0400), control, "none"},
    {"notified focus gained", WM_NOTIFY, 3, header(notify_set_focus), "9:0,3"},
    {"notified focus lost", WM_NOTIFY, 3, header(notify_kill_focus), "9:0,4"},
    {"another notification", WM_NOTIFY, 3, header(notify_click), "none"},
    {"notification without its header", WM_NOTIFY, 3, 0, "none"},
    // Owner-drawn items: one state bit, the first match of checked,
    // disabled, focus, selected.
    {"item checked, focused, selected", WM_DRAWITEM, 0, item(checked_focused_selected), "5:0,4"},
    {"item disabled, focused, selected", WM_DRAWITEM, 0, item(disabled_focused_selected), "5:0,8"},
    {"item focused and selected", WM_DRAWITEM, 0, item(focused_selected), "5:0,1"},
    {"item selected", WM_DRAWITEM, 0, item(selected), "5:0,2"},
    {"item grayed as default button", WM_DRAWITEM, 0, item(grayed_default), "5:0,0"},
    {"draw item without its structure", WM_DRAWITEM, 0, 0, "0:43"},
    {"repaint of no rectangle", WM_USER + 2, 0, 0, "0:1026"},
    {"create", WM_CREATE, 0, 0, "0:1"},
    {"close", WM_CLOSE, 0, 0, "0:16"},
};

}  // namespace

TEST(EventFromMessage, MessagesGiveTheirKindAndPayload) {
  for (const row& r : rows) {
    platform_event e = from_message(r.message, r.wParam, r.lParam);
    EXPECT_EQ(describe(e), r.expected) << r.name;
    EXPECT_FALSE(e.handled) << r.name;
  }
}

TEST(EventFromMessage, KindZeroCarriesTheWholeRecord) {
  MSG m{};
  m.hwnd = reinterpret_cast<HWND>(0x5000);
  m.message = WM_CHAR;
  m.wParam = 'x';
  m.lParam = -3;
  m.time = 77;
  m.pt = POINT{4, 5};
  platform_event e(m);
  ASSERT_EQ(e.kind.index(), kind_message);
  const MSG& copy = e.kind.get_if<kind_message>()->record.message;
  EXPECT_EQ(copy.hwnd, m.hwnd);
  EXPECT_EQ(copy.wParam, m.wParam);
  EXPECT_EQ(copy.lParam, m.lParam);
  EXPECT_EQ(copy.time, 77u);
  EXPECT_EQ(copy.pt.y, 5);
  EXPECT_EQ(e.record.message.hwnd, m.hwnd);
}

TEST(EventFromMessage, KeyCodesFollowTheTable) {
  struct code_row {
    int virtual_key;
    int code;
  };
  const code_row table[] = {
      {VK_BACK, 1}, {VK_TAB, 2},     {VK_RETURN, 3}, {VK_ESCAPE, 4}, {VK_SPACE, 5},   {VK_DELETE, 6},   {VK_PAUSE, 7},
      {VK_HOME, 8}, {VK_END, 9},     {VK_PRIOR, 10}, {VK_NEXT, 11},  {VK_INSERT, 12}, {VK_LEFT, 13},    {VK_RIGHT, 14},
      {VK_UP, 15},  {VK_DOWN, 16},   {VK_SHIFT, 17}, {VK_LMENU, 19}, {VK_RMENU, 20},  {VK_CONTROL, 21}, {VK_MENU, 0},
      {VK_F1, 0},   {VK_NUMPAD5, 0}, {VK_LSHIFT, 0}, {0, 0},
  };
  for (const code_row& r : table)
    EXPECT_EQ(KeyCodeFromVirtualKey(r.virtual_key), r.code) << "virtual key " << r.virtual_key;
}

TEST(EventFromMessage, DrawItemCarriesTheItem) {
  DRAWITEMSTRUCT d{};
  d.hDC = reinterpret_cast<HDC>(0x7000);
  d.rcItem = RECT{5, 6, 70, 26};
  d.itemData = 0xABCDEF;
  d.itemID = 42;
  d.itemState = ODS_FOCUS;
  platform_event e = from_message(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
  ASSERT_EQ(e.kind.index(), kind_paint);
  const ev_paint& p = *e.kind.get_if<kind_paint>();
  EXPECT_EQ(p.dc, d.hDC);
  EXPECT_EQ(p.update.left, 5);
  EXPECT_EQ(p.update.bottom, 26);
  EXPECT_EQ(p.client.top, 6);
  EXPECT_EQ(p.client.right, 70);
  EXPECT_EQ(p.item_data, 0xABCDEFu);
  EXPECT_EQ(p.item_id, 42u);
  EXPECT_EQ(p.item_state, 1);
  EXPECT_EQ(p.origin_x, 0);
  EXPECT_EQ(p.origin_y, 0);
}
