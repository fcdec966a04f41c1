#include "winapi/message_box.h"

#include "base/utf.h"
#include "winapi/gdi_objects.h"
#include "winapi/handheld_api.h"
#include "winapi/modal_window.h"
#include "winapi/window_registry.h"

#include <algorithm>
#include <cstdio>

namespace winapi {
namespace {

constexpr LPCWSTR kClassName = L"MessageBox";

// The widest the box gets, and the room it leaves on each side.
constexpr int kWidestBox = 420;
constexpr int kRoomAround = 4;

// Roomy where there is the room, tight on a small handheld screen.
struct Spacing {
  int margin;         // around the text and the buttons
  int beforeButtons;  // between the text and the buttons
  int between;        // between two buttons
  int buttonHeight;
  int minButtonWidth;
};
constexpr Spacing kRoomy{12, 16, 8, 28, 84};
constexpr Spacing kTight{6, 8, 4, 24, 0};
constexpr int kButtonPadding = 16;  // around a button's text

// The spacing for text of `lineHeight` pixels.
Spacing ScaledToText(const Spacing& s, int lineHeight) {
  const auto scaled = [lineHeight](int pixels) { return core::ScaledToText(pixels, lineHeight); };
  return Spacing{scaled(s.margin), scaled(s.beforeButtons), scaled(s.between), scaled(s.buttonHeight),
                 scaled(s.minButtonWidth)};
}

// The mark that ends a text cut to fit the screen.
constexpr wchar_t kCutMark[] = L"\u2026";

MessageBoxTexts& Texts() {
  static MessageBoxTexts texts;
  return texts;
}

struct Box {
  std::vector<int> ids;
  std::vector<std::wstring> labels;
  MessageBoxLayout layout;
  std::size_t focus = 0;
  int escapeAnswer = IDOK;
  HWND window = nullptr;
  std::optional<int> answer;
};

void Paint(HWND hwnd, const Box& box) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(hwnd, &paint);
  if (dc == nullptr) {
    return;
  }
  if (const auto target = core::TargetOf(dc)) {
    const MessageBoxLayout& layout = box.layout;
    const RECT client{0, 0, layout.size.cx, layout.size.cy};
    // Framed, so that it stands out from a window of the same face under it
    // where no window manager draws a border.
    core::DrawModalFrame(target->view, client, core::kModalFace, layout.frame);
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
      core::DrawModalFrame(target->view, layout.buttons[i], core::kModalButton, layout.frame);
    }
    // Return and Space press the button that shows the focus.
    core::DrawModalFocus(target->view, layout.buttons[box.focus], layout.frame);
    core::ReportDrawn(*target, client);
    SetBkMode(dc, TRANSPARENT);
    int top = layout.text.top;
    for (const std::wstring& text : layout.lines) {
      RECT line{layout.text.left, top, layout.text.right, top + layout.lineHeight};
      DrawTextW(dc, text.c_str(), -1, &line, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
      top += layout.lineHeight;
    }
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
      RECT button = layout.buttons[i];
      DrawTextW(dc, box.labels[i].c_str(), -1, &button, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
  }
  EndPaint(hwnd, &paint);
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return 0;
  }
  auto* box = reinterpret_cast<Box*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (box == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  switch (message) {
    case WM_PAINT: Paint(hwnd, *box); return 0;
    case WM_LBUTTONDOWN:
      for (std::size_t i = 0; i < box->layout.buttons.size(); ++i) {
        if (core::PartContains(box->layout.buttons[i], GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
          box->answer = box->ids[i];
        }
      }
      return 0;
    case WM_CLOSE: box->answer = box->escapeAnswer; return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void EnsureClass() {
  static const bool added = (core::AddModalWindowClass(kClassName, &BoxProc), true);
  (void)added;
}

std::wstring LabelOf(int id, const MessageBoxTexts& texts) {
  switch (id) {
    case IDCANCEL: return texts.cancel;
    case IDYES: return texts.yes;
    case IDNO: return texts.no;
    default: return texts.ok;
  }
}

// Where to cut `word`: after its longest start no wider than `width`, at
// least one character, or earlier, just after one of `breakAfter`, where the
// piece still holds more than half of that.
std::size_t CutOf(const std::wstring& word, int width, const TextWidth& measure, std::wstring_view breakAfter) {
  std::size_t fits = 1;
  std::size_t tooLong = word.size() + 1;
  while (fits + 1 < tooLong) {
    const std::size_t middle = (fits + tooLong) / 2;
    if (measure(word.substr(0, middle)) <= width) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  for (std::size_t at = fits; at > fits / 2; --at) {
    if (breakAfter.find(word[at - 1]) != std::wstring_view::npos) {
      return at;
    }
  }
  return fits;
}

void WrapParagraph(const std::wstring& paragraph, int width, const TextWidth& measure, std::wstring_view breakAfter,
                   std::vector<std::wstring>& lines) {
  std::wstring current;
  std::size_t start = 0;
  while (start <= paragraph.size()) {
    std::size_t end = paragraph.find(L' ', start);
    if (end == std::wstring::npos) {
      end = paragraph.size();
    }
    std::wstring word = paragraph.substr(start, end - start);
    start = end + 1;
    if (word.empty()) {
      continue;
    }
    const std::wstring joined = current.empty() ? word : current + L' ' + word;
    if (measure(joined) <= width) {
      current = joined;
      continue;
    }
    if (!current.empty()) {
      lines.push_back(std::move(current));
      current.clear();
    }
    // Alone on its lines; broken only when it is wider than one, and never
    // inside a character.
    while (word.size() > 1 && measure(word) > width) {
      const std::size_t cut = CutOf(word, width, measure, breakAfter);
      lines.push_back(word.substr(0, cut));
      word.erase(0, cut);
    }
    current = std::move(word);
  }
  lines.push_back(std::move(current));
}

MessageBoxLayout Lay(const Spacing& s, int width, std::vector<std::wstring> lines,
                     const std::vector<std::wstring>& buttonTexts, const TextWidth& measure, int lineHeight) {
  MessageBoxLayout layout;
  layout.lineHeight = lineHeight;
  layout.frame = core::ScaledToText(1, lineHeight);
  const int right = width - s.margin;
  layout.text = RECT{s.margin, s.margin, right, s.margin + static_cast<int>(lines.size()) * lineHeight};
  layout.lines = std::move(lines);
  const int buttonTop = layout.text.bottom + s.beforeButtons;
  int buttonWidth = s.minButtonWidth;
  for (const std::wstring& text : buttonTexts) {
    buttonWidth = std::max(buttonWidth, measure(text) + core::ScaledToText(kButtonPadding, lineHeight));
  }
  const int count = static_cast<int>(buttonTexts.size());
  const int row = count * buttonWidth + (count - 1) * s.between;
  int bottom = buttonTop;
  if (row <= right - s.margin) {
    // In a row, centred under the text.
    int left = (width - row) / 2;
    for (int i = 0; i < count; ++i) {
      layout.buttons.push_back(RECT{left, buttonTop, left + buttonWidth, buttonTop + s.buttonHeight});
      left += buttonWidth + s.between;
    }
    bottom = buttonTop + s.buttonHeight;
  } else {
    // Too narrow for a row: each across the box, the first on top.
    for (int i = 0; i < count; ++i) {
      layout.buttons.push_back(RECT{s.margin, bottom, right, bottom + s.buttonHeight});
      bottom += s.buttonHeight + (i + 1 < count ? s.between : 0);
    }
  }
  layout.size = SIZE{width, bottom + s.margin};
  return layout;
}

}  // namespace

void SetMessageBoxTexts(MessageBoxTexts texts) { Texts() = std::move(texts); }

const MessageBoxTexts& MessageBoxTextsInUse() { return Texts(); }

void ReportUnseenMessageBox(const std::wstring& caption, const std::wstring& text) {
  std::fprintf(stderr, "[message box] %s: %s\n", wide_to_utf8(caption, utf_errors::lenient).c_str(),
               wide_to_utf8(text, utf_errors::lenient).c_str());
}

std::vector<int> MessageBoxButtons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    default: return {IDOK};
  }
}

int MessageBoxEscapeAnswer(UINT type) {
  const std::vector<int> buttons = MessageBoxButtons(type);
  for (const int wanted : {IDCANCEL, IDNO}) {
    if (std::find(buttons.begin(), buttons.end(), wanted) != buttons.end()) {
      return wanted;
    }
  }
  return buttons.front();
}

std::vector<std::wstring> WrapMessageText(const std::wstring& text, int width, const TextWidth& measure,
                                          std::wstring_view breakAfter) {
  std::vector<std::wstring> lines;
  std::wstring paragraph;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == L'\r' || text[i] == L'\n') {
      WrapParagraph(paragraph, std::max(width, 1), measure, breakAfter, lines);
      paragraph.clear();
      // CR LF is one break.
      if (i + 1 < text.size() && text[i] == L'\r' && text[i + 1] == L'\n') {
        ++i;
      }
    } else {
      paragraph.push_back(text[i]);
    }
  }
  return lines;
}

MessageBoxLayout LayoutMessageBox(SIZE room, SIZE screen, const std::wstring& text,
                                  const std::vector<std::wstring>& buttonTexts, const TextWidth& measure,
                                  int lineHeight) {
  const int roomWidth = std::max<int>(1, room.cx - 2 * kRoomAround);
  const int roomHeight = room.cy - 2 * kRoomAround;
  const int width = std::min(core::ScaledToText(kWidestBox, lineHeight), roomWidth);
  const Spacing roomySpacing = ScaledToText(kRoomy, lineHeight);
  const Spacing tightSpacing = ScaledToText(kTight, lineHeight);
  const auto lay = [&](const Spacing& s, int boxWidth) {
    return Lay(s, boxWidth, WrapMessageText(text, boxWidth - 2 * s.margin, measure), buttonTexts, measure, lineHeight);
  };
  const MessageBoxLayout roomy = lay(roomySpacing, width);
  const bool inARow = roomy.buttons.size() < 2 || roomy.buttons[0].top == roomy.buttons[1].top;
  if (roomy.size.cy <= roomHeight && inARow) {
    return roomy;
  }
  MessageBoxLayout tight = lay(tightSpacing, width);
  // A long text may take the screen's height, and then its width.
  const int tallest = std::max<int>(room.cy, screen.cy) - 2 * kRoomAround;
  const int widest = std::max<int>(room.cx, screen.cx) - 2 * kRoomAround;
  if (tight.size.cy > tallest && widest > width) {
    tight = lay(tightSpacing, widest);
  }
  if (tight.size.cy > tallest && !tight.lines.empty()) {
    // More than a screen can hold: the lines that fit, the last one marked.
    // The mark must fit beside what the last line keeps, or the line's end
    // would be clipped and the cut not seen.
    const int spare = tallest - (tight.size.cy - static_cast<int>(tight.lines.size()) * lineHeight);
    std::vector<std::wstring> lines = tight.lines;
    lines.resize(static_cast<std::size_t>(std::max(1, spare / std::max(lineHeight, 1))));
    std::wstring& last = lines.back();
    const int textWidth = tight.text.right - tight.text.left;
    while (!last.empty() && (last.back() == L' ' || measure(last + kCutMark) > textWidth)) {
      last.pop_back();
    }
    last += kCutMark;
    tight = Lay(tightSpacing, tight.size.cx, std::move(lines), buttonTexts, measure, lineHeight);
  }
  return tight;
}

std::optional<int> RunMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type,
                                 const std::function<bool(HWND box)>& shown) {
  EnsureClass();
  Box box;
  box.ids = MessageBoxButtons(type);
  box.escapeAnswer = MessageBoxEscapeAnswer(type);
  for (const int id : box.ids) {
    box.labels.push_back(LabelOf(id, Texts()));
  }
  const HWND previousFocus = GetFocus();
  const HWND top = owner != nullptr && IsWindow(owner) ? core::TopLevelOf(owner) : nullptr;
  const RECT room = core::ModalRoom(top);
  const RECT display = core::ModalDisplay(room);
  const SIZE screen{display.right - display.left, display.bottom - display.top};
  box.layout = LayoutMessageBox(
      SIZE{room.right - room.left, room.bottom - room.top}, screen, text, box.labels,
      [](const std::wstring& line) { return static_cast<int>(core::ScreenTextExtent(line).cx); },
      static_cast<int>(core::ScreenTextExtent(L"X").cy));
  const SIZE size = box.layout.size;
  const POINT at = core::PlaceModalWindow(room, size, display);
  box.window = CreateWindowExW(0, kClassName, caption.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, at.x, at.y,
                               size.cx, size.cy, top, nullptr, nullptr, &box);
  if (box.window == nullptr) {
    return std::nullopt;
  }
  if (shown && !shown(box.window)) {
    DestroyWindow(box.window);
    return std::nullopt;
  }
  ShowWindow(box.window, SW_SHOW);
  SetFocus(box.window);

  const auto moveFocus = [&box](int by) {
    const auto count = static_cast<int>(box.ids.size());
    box.focus = static_cast<std::size_t>((static_cast<int>(box.focus) + by + count) % count);
    InvalidateRect(box.window, nullptr, FALSE);
  };
  const core::ModalLoopEnd end = core::RunModalLoop(
      box.window, previousFocus, [&box] { return box.answer.has_value(); },
      [&](const MSG& msg) {
        if (msg.message == WM_KEYDOWN) {
          switch (msg.wParam) {
            case VK_RETURN:
            case VK_SPACE: box.answer = box.ids[box.focus]; break;
            case VK_ESCAPE: box.answer = box.escapeAnswer; break;
            case VK_TAB: moveFocus(GetKeyState(VK_SHIFT) < 0 ? -1 : 1); break;
            case VK_RIGHT:
            case VK_DOWN: moveFocus(1); break;
            case VK_LEFT:
            case VK_UP: moveFocus(-1); break;
            default: break;
          }
          return true;
        }
        // The box takes no text: Return, Escape, Space and Tab are acted on
        // as keys.
        return msg.message == WM_CHAR;
      });
  if (end.quitCode) {
    ReportUnseenMessageBox(caption, text);
  }
  if (!box.answer) {
    box.answer = box.escapeAnswer;
  }
  return box.answer;
}

}  // namespace winapi
