#include "notus/platform/ownerdrawWin32/event_from_message.h"

#include <algorithm>
#include <iterator>

#include "notus/key_codes.h"

#include "notus/platform/ownerdrawWin32/paint_surface.h"

namespace notus::impl {

namespace {

// The program's private messages that carry events.
constexpr UINT paint_rectangle_message = WM_USER + 2;  // lParam: the RECT to repaint
constexpr UINT deferred_event_message = WM_USER + 5;

// Numeric keypad digits reach the framework as the digit characters, so that
// both rows of digits enter values alike.
word key_from_virtual_key(WPARAM virtual_key) {
  if (virtual_key >= static_cast<WPARAM>(VK_NUMPAD0) && virtual_key <= static_cast<WPARAM>(VK_NUMPAD9))
    return static_cast<word>('0' + (virtual_key - VK_NUMPAD0));
  return static_cast<word>(virtual_key);
}

// Button of a mouse move: only a single button held alone counts; a modifier
// or a second button held with it gives none.
word button_of_move(WPARAM keys) {
  if (keys == MK_LBUTTON) return 1;
  if (keys == MK_RBUTTON) return 3;
  if (keys == MK_MBUTTON) return 2;
  return 0;
}

// The window's client origin in the main window's client coordinates.
POINT origin_in_main_window(HWND window, HWND main_window) {
  POINT origin{0, 0};
  if (!main_window || window == main_window) return origin;
  if (!ClientToScreen(window, &origin) || !ScreenToClient(main_window, &origin)) return POINT{0, 0};
  return origin;
}

// An owner-drawn item's state as one framework state bit; the first match
// wins, so a checked item that also has the focus reports only "checked".
word item_state_bit(UINT state) {
  if (state & ODS_CHECKED) return 4;
  if (state & ODS_DISABLED) return 8;
  if (state & ODS_FOCUS) return 1;
  if (state & ODS_SELECTED) return 2;
  return 0;
}

void fill_client_and_origin(ev_paint& paint, HWND window) {
  GetClientRect(window, &paint.client);
  const POINT origin = origin_in_main_window(window, current_paint_surface().main_window);
  paint.origin_x = origin.x;
  paint.origin_y = origin.y;
}

// The button messages: what each reports, and for which button.
struct button_message {
  UINT message;
  mouse_action action;
  word button;
};
constexpr button_message button_messages[] = {
    {WM_LBUTTONDOWN, mouse_action::down, 1},
    {WM_LBUTTONUP, mouse_action::up, 1},
    {WM_LBUTTONDBLCLK, mouse_action::double_click, 1},
    {WM_RBUTTONDOWN, mouse_action::down, 3},
    {WM_RBUTTONUP, mouse_action::up, 3},
    {WM_RBUTTONDBLCLK, mouse_action::double_click, 3},
    {WM_MBUTTONDOWN, mouse_action::down, 2},
    {WM_MBUTTONUP, mouse_action::up, 2},
    {WM_MBUTTONDBLCLK, mouse_action::double_click, 2},
};

}  // namespace

word KeyCodeFromVirtualKey(WPARAM virtual_key) {
  switch (virtual_key) {
    case VK_BACK: return key_codes::backspace;
    case VK_TAB: return key_codes::tab;
    case VK_RETURN: return key_codes::enter;
    case VK_ESCAPE: return key_codes::escape;
    case VK_SPACE: return key_codes::space;
    case VK_DELETE: return key_codes::del;
    case VK_PAUSE: return key_codes::pause;
    case VK_HOME: return key_codes::home;
    case VK_END: return key_codes::end;
    case VK_PRIOR: return key_codes::page_up;
    case VK_NEXT: return key_codes::page_down;
    case VK_INSERT: return key_codes::insert;
    case VK_LEFT: return key_codes::left;
    case VK_RIGHT: return key_codes::right;
    case VK_UP: return key_codes::up;
    case VK_DOWN: return key_codes::down;
    case VK_SHIFT: return key_codes::shift;
    case VK_LMENU: return key_codes::left_alt;
    case VK_RMENU: return key_codes::right_alt;
    case VK_CONTROL: return key_codes::control;
    default: return 0;
  }
}

bool MouseEventFromMessage(event<traits>& e) {
  const MSG& m = e.record.message;
  ev_mouse mouse;
  if (m.message == WM_MOUSEMOVE) {
    mouse.action = mouse_action::move;
    mouse.button = button_of_move(m.wParam);
  } else {
    const auto found = std::find_if(std::begin(button_messages), std::end(button_messages),
                                    [&](const button_message& b) { return b.message == m.message; });
    if (found == std::end(button_messages)) return false;  // the wheel and the extra buttons
    mouse.action = found->action;
    mouse.button = found->button;
  }
  mouse.x = GET_X_LPARAM(m.lParam);
  mouse.y = GET_Y_LPARAM(m.lParam);
  e.kind = mouse;
  return true;
}

bool KeyEventFromMessage(event<traits>& e) {
  const MSG& m = e.record.message;
  if (m.message != WM_KEYDOWN && m.message != WM_KEYUP) return false;
  ev_key key;
  key.down = m.message == WM_KEYDOWN ? 1 : 0;
  key.key = key_from_virtual_key(m.wParam);
  key.code = KeyCodeFromVirtualKey(m.wParam);
  e.kind = key;
  return true;
}

bool PaintEventFromMessage(event<traits>& e) {
  const MSG& m = e.record.message;
  ev_paint paint;
  paint.back_buffer = current_paint_surface().back_buffer;
  switch (m.message) {
    case WM_PAINT:
      if (!GetUpdateRect(m.hwnd, &paint.update, FALSE)) {
        // Nothing to repaint: settle the request so it does not come back.
        ValidateRect(m.hwnd, nullptr);
        return false;
      }
      fill_client_and_origin(paint, m.hwnd);
      paint.dc = BeginPaint(m.hwnd, &e.record.paint);
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
      if (!item) return false;
      paint.dc = item->hDC;
      paint.update = item->rcItem;
      paint.client = item->rcItem;
      paint.item_state = item_state_bit(item->itemState);
      paint.item_data = item->itemData;
      paint.item_id = item->itemID;
      break;
    }
    case paint_rectangle_message: {
      const auto* rectangle = reinterpret_cast<const RECT*>(m.lParam);
      if (!rectangle) return false;
      paint.update = *rectangle;
      fill_client_and_origin(paint, m.hwnd);
      break;
    }
    default: return false;
  }
  e.kind = paint;
  return true;
}

bool StateEventFromMessage(event<traits>& e) {
  const MSG& m = e.record.message;
  word state = 0;
  switch (m.message) {
    case WM_INITDIALOG: state = 1; break;
    case WM_DESTROY: state = 2; break;
    case WM_SETFOCUS: state = 3; break;
    case WM_KILLFOCUS: state = 4; break;
    case WM_COMMAND:
      switch (HIWORD(m.wParam)) {
        case EN_SETFOCUS:
        case BN_SETFOCUS: state = 3; break;
        case EN_KILLFOCUS:
        case BN_KILLFOCUS: state = 4; break;
        case EN_CHANGE: state = 5; break;
        default: return false;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(m.lParam);
      if (!header) return false;
      state = header->code == NM_KILLFOCUS ? 4 : 3;
      break;
    }
    default: return false;
  }
  e.kind = ev_state{0, state};
  return true;
}

void EventFromMessage(event<traits>& e) {
  const MSG& m = e.record.message;
  e.kind.reset();
  const auto as_message = [&e] { e.kind = ev_message{e.record}; };

  if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
    if (!MouseEventFromMessage(e)) as_message();
    return;
  }
  if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) {
    if (!KeyEventFromMessage(e)) as_message();
    return;
  }
  switch (m.message) {
    case WM_PAINT:
    case WM_DRAWITEM:
    case paint_rectangle_message:
      if (!PaintEventFromMessage(e)) as_message();
      return;
    case deferred_event_message:
      // lParam names the receiving window object; the words themselves are
      // read by nobody, so no pointer is copied into them.
      e.kind = ev_deferred{0, 0};
      return;
    case WM_TIMER: e.kind = ev_timer{0, m.wParam}; return;
    case WM_SYSCOMMAND:
      if (m.wParam == SC_CLOSE)
        e.kind = ev_close{0, 0};
      else
        as_message();
      return;
    case WM_SIZE:
      e.kind = ev_size{0, LOWORD(static_cast<DWORD_PTR>(m.lParam)), HIWORD(static_cast<DWORD_PTR>(m.lParam))};
      return;
    case WM_INITDIALOG:
    case WM_DESTROY:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: StateEventFromMessage(e); return;
    case WM_COMMAND:
      if (m.lParam == 0)
        e.kind = ev_command{0, 1};
      else
        StateEventFromMessage(e);  // other notifications of a control make no event
      return;
    case WM_NOTIFY:
      // Only the focus notifications make an event; every other one, and
      // a notification without its header, makes none.
      if (const auto* header = reinterpret_cast<const NMHDR*>(m.lParam))
        if (header->code == NM_SETFOCUS || header->code == NM_KILLFOCUS) StateEventFromMessage(e);
      return;
    default: as_message(); return;
  }
}

}  // namespace notus::impl

void notus::traits::classify(impl::event<traits>& e) { impl::EventFromMessage(e); }
