#include "winapi/window_registry.h"

#include "winapi/edit_control.h"
#include "winapi/handle_table.h"

#include <cwctype>

namespace winapi::core {
namespace {

constexpr unsigned kWindowTag = 1;

HandleTable<Window, kWindowTag>& Windows() {
  // Never destroyed: windows may be destroyed by static objects at exit.
  static auto* windows = new HandleTable<Window, kWindowTag>;
  return *windows;
}

std::wstring FoldCase(LPCWSTR name) {
  std::wstring folded;
  for (; *name != 0; ++name) {
    folded.push_back(*name < 128 ? static_cast<wchar_t>(std::towlower(static_cast<wint_t>(*name))) : *name);
  }
  return folded;
}

using ClassMap = std::map<std::wstring, std::shared_ptr<WindowClass>>;

ClassMap& Classes() {
  static auto* classes = new ClassMap;
  return *classes;
}

// The layer's own controls are there from the start.
ClassMap& SystemClasses() {
  static auto* classes = new ClassMap{{L"edit", EditWindowClass()}};
  return *classes;
}

std::shared_ptr<WindowClass> Find(const ClassMap& classes, const std::wstring& key) {
  const auto found = classes.find(key);
  return found == classes.end() ? nullptr : found->second;
}

}  // namespace

std::uintptr_t NextHandleSerial() {
  static std::uintptr_t serial = 0;
  return ++serial;
}

std::shared_ptr<WindowClass> FindClass(LPCWSTR name) {
  if (name == nullptr || IS_INTRESOURCE(name)) {
    return nullptr;
  }
  const std::wstring key = FoldCase(name);
  auto windowClass = Find(Classes(), key);
  return windowClass != nullptr ? windowClass : Find(SystemClasses(), key);
}

bool AddClass(std::shared_ptr<WindowClass> windowClass) {
  return Classes().emplace(FoldCase(windowClass->name.c_str()), std::move(windowClass)).second;
}

void AddSystemClass(std::shared_ptr<WindowClass> windowClass) {
  const std::wstring key = FoldCase(windowClass->name.c_str());
  SystemClasses()[key] = std::move(windowClass);
}

Window* LookupWindow(HWND hwnd) { return Windows().Find(reinterpret_cast<std::uintptr_t>(hwnd)); }

HWND AddWindow(std::unique_ptr<Window> window) {
  Window* raw = window.get();
  raw->handle = reinterpret_cast<HWND>(Windows().Add(std::move(window)));
  return raw->handle;
}

void RemoveWindow(HWND hwnd) {
  if (FocusWindow() == hwnd) {
    FocusWindow() = nullptr;
  }
  Windows().Remove(reinterpret_cast<std::uintptr_t>(hwnd));
}

std::vector<HWND> AllWindows() {
  std::vector<HWND> all;
  for (const std::uintptr_t key : Windows().Keys()) {
    all.push_back(reinterpret_cast<HWND>(key));
  }
  return all;
}

HWND TopLevelOf(HWND hwnd) {
  const Window* window = LookupWindow(hwnd);
  while (window != nullptr && !window->IsTopLevel()) {
    hwnd = window->parent;
    window = LookupWindow(hwnd);
  }
  return window == nullptr ? nullptr : hwnd;
}

POINT ClientOriginOnScreen(HWND hwnd) {
  POINT origin{0, 0};
  for (const Window* window = LookupWindow(hwnd); window != nullptr; window = LookupWindow(window->parent)) {
    origin.x += window->rect.left;
    origin.y += window->rect.top;
  }
  return origin;
}

POINT OriginInTopLevel(HWND hwnd) {
  POINT origin{0, 0};
  for (const Window* window = LookupWindow(hwnd); window != nullptr && !window->IsTopLevel();
       window = LookupWindow(window->parent)) {
    origin.x += window->rect.left;
    origin.y += window->rect.top;
  }
  return origin;
}

HWND& FocusWindow() {
  static HWND focus = nullptr;
  return focus;
}

void ResetWindows() {
  Windows().Clear();
  Classes().clear();

  FocusWindow() = nullptr;
}

}  // namespace winapi::core
