// Creating, destroying, placing, showing and focusing windows.
#include "winapi/backend.h"
#include "winapi/pixels.h"
#include "winapi/timers.h"
#include "winapi/window_registry.h"

#include <algorithm>

using namespace winapi::core;

namespace {

int DefaultedCoordinate(int value) { return value == CW_USEDEFAULT ? 0 : value; }
int DefaultedExtent(int value) { return value == CW_USEDEFAULT ? 0 : std::max(value, 0); }

RECT ClientBounds(const Window& window) { return RECT{0, 0, window.Width(), window.Height()}; }

// The backend shows a top-level window with its children drawn over it, so
// any change to a child's place or visibility changes the top-level picture.
void ReportPictureChange(HWND hwnd, const RECT& rectInParent) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr || window->IsTopLevel()) {
    return;
  }
  const POINT origin = OriginInTopLevel(window->parent);
  winapi::CurrentBackend().SurfaceChanged(TopLevelOf(hwnd), Offset(rectInParent, origin.x, origin.y));
}

void InvalidateAll(Window& window) { window.update = ClientBounds(window); }

bool IsSelfOrDescendant(HWND candidate, HWND ancestor) {
  for (const Window* window = LookupWindow(candidate); window != nullptr; window = LookupWindow(window->parent)) {
    if (window->handle == ancestor) {
      return true;
    }
  }
  return false;
}

void DetachFromParent(Window& window) {
  if (Window* parent = LookupWindow(window.parent)) {
    std::erase(parent->children, window.handle);
  }
}

// The window and its descendants receive WM_DESTROY, parents first, and go.
void DestroyTree(HWND hwnd) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return;
  }
  window->destroying = true;
  if (window->IsTopLevel()) {
    winapi::CurrentBackend().WindowDestroyed(hwnd);
  }
  SendMessageW(hwnd, WM_DESTROY, 0, 0);
  if ((window = LookupWindow(hwnd)) == nullptr) {
    return;
  }
  const std::vector<HWND> children = window->children;
  for (const HWND child : children) {
    DestroyTree(child);
  }
  KillWindowTimers(hwnd);
  if ((window = LookupWindow(hwnd)) != nullptr) {
    DetachFromParent(*window);
    RemoveWindow(hwnd);
  }
}

// Moves and sizes a window; WM_SIZE is sent at once when the client size
// changes, so that callers see the new size handled when this returns.
void Place(HWND hwnd, const RECT& rect, bool repaint) {
  Window* window = LookupWindow(hwnd);
  const RECT old = window->rect;
  window->rect = rect;
  const bool resized = window->Width() != old.right - old.left || window->Height() != old.bottom - old.top;
  if (resized) {
    window->surface.Resize(window->Width(), window->Height(), kOpaqueWhite);
    window->update = Intersect(window->update, ClientBounds(*window));
  }
  if (repaint && window->visible) {
    InvalidateAll(*window);
  }
  if (window->IsTopLevel()) {
    winapi::CurrentBackend().WindowPlaced(hwnd);
  } else if (window->visible) {
    ReportPictureChange(hwnd, Union(old, rect));
  }
  if (resized) {
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.right - rect.left, rect.bottom - rect.top));
  }
}

void ChangeZOrder(Window& window, HWND insertAfter) {
  Window* parent = LookupWindow(window.parent);
  if (parent == nullptr || insertAfter == window.handle) {
    return;
  }
  auto& siblings = parent->children;
  if (insertAfter != HWND_BOTTOM && insertAfter != HWND_TOP &&
      std::find(siblings.begin(), siblings.end(), insertAfter) == siblings.end()) {
    return;
  }
  std::erase(siblings, window.handle);
  if (insertAfter == HWND_TOP) {
    siblings.push_back(window.handle);
  } else if (insertAfter == HWND_BOTTOM) {
    siblings.insert(siblings.begin(), window.handle);
  } else {
    // "After" in Win32's top-first order is just below it here.
    siblings.insert(std::find(siblings.begin(), siblings.end(), insertAfter), window.handle);
  }
  ReportPictureChange(window.handle, window.rect);
}

BOOL SetVisible(HWND hwnd, bool visible) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  const bool wasVisible = window->visible;
  if (wasVisible == visible) {
    return wasVisible ? TRUE : FALSE;
  }
  window->visible = visible;
  if (visible) {
    InvalidateAll(*window);
  }
  if (window->IsTopLevel()) {
    winapi::CurrentBackend().WindowShown(hwnd, visible);
  } else {
    ReportPictureChange(hwnd, window->rect);
  }
  return wasVisible ? TRUE : FALSE;
}

}  // namespace

ATOM RegisterClassW(const WNDCLASSW* wndClass) {
  if (wndClass == nullptr || wndClass->lpszClassName == nullptr || IS_INTRESOURCE(wndClass->lpszClassName) ||
      wndClass->lpszClassName[0] == 0) {
    return 0;
  }
  auto windowClass = std::make_shared<WindowClass>();
  windowClass->name = wndClass->lpszClassName;
  windowClass->style = wndClass->style;
  windowClass->proc = wndClass->lpfnWndProc;
  windowClass->cursor = wndClass->hCursor;
  static ATOM nextAtom = 0xC000;  // where Win32's registered-class atoms begin
  return AddClass(std::move(windowClass)) ? nextAtom++ : 0;
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  auto windowClass = FindClass(className);
  if (windowClass == nullptr) {
    return nullptr;
  }
  const bool child = (style & WS_CHILD) != 0;
  // A parent on its way out has already listed the children it takes with
  // it; a new one would outlive it, attached to a dead handle.
  if (child && (LookupWindow(parent) == nullptr || LookupWindow(parent)->destroying)) {
    return nullptr;
  }
  auto window = std::make_unique<Window>();
  window->windowClass = windowClass;
  window->proc = windowClass->proc;
  window->style = style;
  window->parent = child ? parent : nullptr;
  // A top-level window made with a parent is owned by that parent's
  // top-level window: the display keeps it above its owner.
  window->owner = !child && LookupWindow(parent) != nullptr ? TopLevelOf(parent) : nullptr;
  const int left = DefaultedCoordinate(x);
  const int top = DefaultedCoordinate(y);
  window->rect = RECT{left, top, left + DefaultedExtent(width), top + DefaultedExtent(height)};
  window->text = windowName != nullptr ? windowName : L"";
  window->surface = OwnedPixels(window->Width(), window->Height(), kOpaqueWhite);
  const HWND hwnd = AddWindow(std::move(window));
  if (child) {
    LookupWindow(parent)->children.push_back(hwnd);
  } else {
    winapi::CurrentBackend().WindowCreated(hwnd);
  }

  const Window* created = LookupWindow(hwnd);
  CREATESTRUCTW create{param,
                       instance,
                       menu,
                       created->parent,
                       created->Height(),
                       created->Width(),
                       static_cast<int>(created->rect.top),
                       static_cast<int>(created->rect.left),
                       static_cast<LONG>(style),
                       windowName,
                       className,
                       exStyle};
  if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (created = LookupWindow(hwnd); created == nullptr) {
    return nullptr;
  }
  SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(created->Width(), created->Height()));
  if ((style & WS_VISIBLE) != 0) {
    SetVisible(hwnd, true);
  }
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr || window->destroying) {
    return FALSE;
  }
  const HWND parent = window->parent;
  const RECT rect = window->rect;
  const bool hadFocus = IsSelfOrDescendant(FocusWindow(), hwnd);
  if (window->visible) {
    ReportPictureChange(hwnd, rect);
  }
  DestroyTree(hwnd);
  // A child that had the focus hands it to its parent, so typing is not
  // lost into a window that no longer exists.
  if (hadFocus && LookupWindow(parent) != nullptr && !LookupWindow(parent)->destroying) {
    SetFocus(parent);
  }
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return LookupWindow(hwnd) != nullptr ? TRUE : FALSE; }

HWND GetParent(HWND hwnd) {
  const Window* window = LookupWindow(hwnd);
  return window == nullptr ? nullptr : window->parent;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr || rect == nullptr) {
    return FALSE;
  }
  *rect = ClientBounds(*window);
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr || rect == nullptr) {
    return FALSE;
  }
  const POINT origin = ClientOriginOnScreen(hwnd);
  *rect = RECT{origin.x, origin.y, origin.x + window->Width(), origin.y + window->Height()};
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  if (LookupWindow(hwnd) == nullptr) {
    return FALSE;
  }
  Place(hwnd, RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)}, repaint != FALSE);
  return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  if ((flags & SWP_NOZORDER) == 0) {
    ChangeZOrder(*window, insertAfter);
  }
  RECT rect = window->rect;
  if ((flags & SWP_NOMOVE) == 0) {
    rect = Offset(rect, x - rect.left, y - rect.top);
  }
  if ((flags & SWP_NOSIZE) == 0) {
    rect.right = rect.left + std::max(cx, 0);
    rect.bottom = rect.top + std::max(cy, 0);
  }
  Place(hwnd, rect, (flags & SWP_NOREDRAW) == 0);
  if ((flags & SWP_SHOWWINDOW) != 0) {
    SetVisible(hwnd, true);
  } else if ((flags & SWP_HIDEWINDOW) != 0) {
    SetVisible(hwnd, false);
  }
  return TRUE;
}

BOOL ShowWindow(HWND hwnd, int cmdShow) { return SetVisible(hwnd, cmdShow != SW_HIDE); }

BOOL IsWindowVisible(HWND hwnd) {
  for (const Window* window = LookupWindow(hwnd); window != nullptr; window = LookupWindow(window->parent)) {
    if (!window->visible) {
      return FALSE;
    }
    if (window->IsTopLevel()) {
      return TRUE;
    }
  }
  return FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
  const Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return FALSE;
  }
  if (!IsEmpty(window->update) && IsWindowVisible(hwnd)) {
    SendMessageW(hwnd, WM_PAINT, 0, 0);
  }
  return TRUE;
}

HWND SetFocus(HWND hwnd) {
  if (hwnd != nullptr && LookupWindow(hwnd) == nullptr) {
    return nullptr;
  }
  const HWND previous = FocusWindow();
  if (previous == hwnd) {
    return previous;
  }
  FocusWindow() = hwnd;
  if (previous != nullptr) {
    SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  }
  // The loser's handler may have moved the focus elsewhere already.
  if (hwnd != nullptr && FocusWindow() == hwnd) {
    SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  }
  return previous;
}

HWND GetFocus() { return FocusWindow(); }

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  if (LookupWindow(hwnd) == nullptr || point == nullptr) {
    return FALSE;
  }
  const POINT origin = ClientOriginOnScreen(hwnd);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  if (LookupWindow(hwnd) == nullptr || point == nullptr) {
    return FALSE;
  }
  const POINT origin = ClientOriginOnScreen(hwnd);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (LookupWindow(hwnd) == nullptr) {
    return FALSE;
  }
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
  if (buffer == nullptr || maxCount <= 0) {
    return 0;
  }
  buffer[0] = 0;
  if (LookupWindow(hwnd) == nullptr) {
    return 0;
  }
  return static_cast<int>(
      SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) { return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

namespace winapi {

HWND KeyboardTarget(HWND topLevel) {
  const HWND focus = FocusWindow();
  return focus != nullptr && TopLevelOf(focus) == topLevel ? focus : topLevel;
}

std::wstring WindowCaption(HWND hwnd) {
  const Window* window = LookupWindow(hwnd);
  return window == nullptr ? std::wstring() : window->text;
}

HWND OwnerOf(HWND topLevel) {
  const Window* window = LookupWindow(topLevel);
  return window != nullptr && LookupWindow(window->owner) != nullptr ? window->owner : nullptr;
}

void NoteWindowMoved(HWND topLevel, int x, int y) {
  Window* window = LookupWindow(topLevel);
  if (window == nullptr || !window->IsTopLevel()) {
    return;
  }
  window->rect = Offset(window->rect, x - window->rect.left, y - window->rect.top);
}

HWND WindowFromClientPoint(HWND topLevel, POINT point) {
  const Window* window = LookupWindow(topLevel);
  if (window == nullptr) {
    return nullptr;
  }
  HWND found = topLevel;
  for (bool descended = true; descended;) {
    descended = false;
    for (auto it = window->children.rbegin(); it != window->children.rend(); ++it) {
      const Window* child = LookupWindow(*it);
      const RECT& r = child->rect;
      if (child->visible && point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) {
        point.x -= r.left;
        point.y -= r.top;
        found = *it;
        window = child;
        descended = true;
        break;
      }
    }
  }
  return found;
}

}  // namespace winapi
