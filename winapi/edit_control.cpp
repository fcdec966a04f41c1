#include "winapi/edit_control.h"

#include "base/utf.h"
#include "winapi/default_font.h"
#include "winapi/edit_line.h"
#include "winapi/gdi_objects.h"

#include <algorithm>

namespace winapi::core {
namespace {

constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;

int MeasureText(const std::wstring& text) {
  return text.empty() ? 0 : TextWidth(wide_to_utf8(text, utf_errors::lenient));
}

int LineHeight(HDC dc) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, L"", 0, &size);
  return size.cy;
}

// The control's model lives with its window and goes with it; callers hold
// a reference while a handler they call might destroy the window.
std::shared_ptr<EditLine> LineOf(HWND hwnd) {
  Window* window = LookupWindow(hwnd);
  if (window == nullptr) {
    return nullptr;
  }
  if (!window->controlState) {
    auto line = std::make_shared<EditLine>(&MeasureText);
    line->SetText(window->text);
    window->controlState = line;
  }
  return std::static_pointer_cast<EditLine>(window->controlState);
}

int VisibleWidth(const Window& window) { return std::max(window.Width() - 2 * kEditMargin, 0); }

// The whole control, drawn at once: white, the visible part of the text,
// and the caret while the control has the focus.
void Draw(HWND hwnd) {
  Window* window = LookupWindow(hwnd);
  const std::shared_ptr<EditLine> line = LineOf(hwnd);
  if (window == nullptr || line == nullptr) {
    return;
  }
  line->KeepCaretVisible(VisibleWidth(*window));
  // Keep the stored text in step, so WM_GETTEXT answers what is shown.
  window->text = line->Text();

  const HDC dc = GetDC(hwnd);
  const auto target = TargetOf(dc);
  if (!target) {
    ReleaseDC(hwnd, dc);
    return;
  }
  const RECT client{0, 0, window->Width(), window->Height()};
  FillPixels(target->view, client, kOpaqueWhite);

  const int lineHeight = LineHeight(dc);
  const int top = std::max((window->Height() - lineHeight) / 2, 0);
  const int left = kEditMargin - line->Scroll();
  if (!line->Text().empty()) {
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, kEditMargin, 0, window->Width() - kEditMargin, window->Height());
    RECT box{left, top, left + MeasureText(line->Text()) + 1, top + lineHeight};
    DrawTextW(dc, line->Text().c_str(), -1, &box, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX | DT_NOCLIP);
  }
  if (FocusWindow() == hwnd) {
    const int x = left + line->CaretX();
    FillPixels(target->view, Intersect(RECT{x, top, x + 1, top + lineHeight}, client), kOpaqueBlack);
  }
  ReportDrawn(*target, client);
  ReleaseDC(hwnd, dc);
}

bool OnKeyDown(EditLine& line, WPARAM key) {
  switch (key) {
    case VK_LEFT: return line.Left();
    case VK_RIGHT: return line.Right();
    case VK_HOME: return line.Home();
    case VK_END: return line.End();
    case VK_DELETE: return line.Delete();
    default: return false;
  }
}

bool OnChar(EditLine& line, WPARAM character) {
  if (character == VK_BACK) {
    return line.Backspace();
  }
  return line.Type(static_cast<wchar_t>(character));
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::shared_ptr<EditLine> line = LineOf(hwnd);
  if (line == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  switch (message) {
    case WM_SETTEXT: {
      const LRESULT stored = DefWindowProcW(hwnd, message, wParam, lParam);
      line->SetText(lParam != 0 ? reinterpret_cast<LPCWSTR>(lParam) : L"");
      Draw(hwnd);
      return stored;
    }
    case WM_CHAR:
      if (OnChar(*line, wParam)) {
        Draw(hwnd);
      }
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(*line, wParam)) {
        Draw(hwnd);
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (FocusWindow() != hwnd) {
        SetFocus(hwnd);
        if (LookupWindow(hwnd) == nullptr) {
          return 0;
        }
      }
      line->PlaceCaretAt(GET_X_LPARAM(lParam) - kEditMargin);
      Draw(hwnd);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SIZE: Draw(hwnd); return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (BeginPaint(hwnd, &paint) != nullptr) {
        EndPaint(hwnd, &paint);
      }
      Draw(hwnd);
      return 0;
    }
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

std::shared_ptr<WindowClass> EditWindowClass() {
  auto edit = std::make_shared<WindowClass>();
  edit->name = L"EDIT";
  edit->proc = &EditProc;
  edit->cursor = LoadCursorW(nullptr, IDC_IBEAM);
  return edit;
}

}  // namespace winapi::core
