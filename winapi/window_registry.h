// The core's window objects and window classes.
//
// Windows have no non-client area: a window's rectangle is its client area,
// given relative to the parent's client area (screen coordinates for a
// top-level window).  Every window owns a surface of its client size; a
// child's surface is drawn above its parent's when a top-level window is
// presented.
#pragma once

#include "winapi/pixels.h"
#include "winapi/windows.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace winapi::core {

struct WindowClass {
  std::wstring name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HCURSOR cursor = nullptr;
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> windowClass;
  WNDPROC proc = nullptr;
  LONG_PTR userData = 0;
  DWORD style = 0;
  HWND parent = nullptr;
  // The top-level window a top-level window was made for (a prompt's main
  // window), which the backend keeps it above; null for the others.
  HWND owner = nullptr;
  std::vector<HWND> children;  // z-order, bottom first
  RECT rect{};
  bool visible = false;
  bool destroying = false;
  std::wstring text;
  std::map<std::wstring, HANDLE> properties;
  RECT update{};  // bounding box of the invalid region, client coordinates
  // Counts BeginPaint and ValidateRect calls, so that dispatching WM_PAINT
  // can tell a procedure that validated (and may have invalidated again)
  // from one that ignored the message.
  unsigned validations = 0;
  OwnedPixels surface;
  // What a system class keeps per window (the EDIT control's line).
  std::shared_ptr<void> controlState;

  int Width() const { return rect.right - rect.left; }
  int Height() const { return rect.bottom - rect.top; }
  bool IsTopLevel() const { return parent == nullptr; }
};

// Class registry; names compare without regard to ASCII case, as in Win32.
// The program's own classes come first; then the system classes, which the
// layer itself provides (the EDIT control) and which outlive ResetState.
std::shared_ptr<WindowClass> FindClass(LPCWSTR name);
bool AddClass(std::shared_ptr<WindowClass> windowClass);
void AddSystemClass(std::shared_ptr<WindowClass> windowClass);

Window* LookupWindow(HWND hwnd);
HWND AddWindow(std::unique_ptr<Window> window);
void RemoveWindow(HWND hwnd);
std::vector<HWND> AllWindows();  // creation order

HWND TopLevelOf(HWND hwnd);
POINT ClientOriginOnScreen(HWND hwnd);
// Origin of `hwnd`'s client area inside its top-level window's client area.
POINT OriginInTopLevel(HWND hwnd);

HWND& FocusWindow();

void ResetWindows();

}  // namespace winapi::core
