#include "winapi/edit_line.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace winapi::core {

namespace {

bool IsHighSurrogate(std::uint32_t code) { return code >= 0xD800 && code <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t code) { return code >= 0xDC00 && code <= 0xDFFF; }

}  // namespace

void EditLine::SetText(std::wstring text) {
  highHalf_ = 0;
  text_ = std::move(text);
  caret_ = text_.size();
}

bool EditLine::Type(wchar_t character) {
  auto code = static_cast<std::uint32_t>(character);
  const auto high = static_cast<std::uint32_t>(highHalf_);
  highHalf_ = 0;
  if (IsHighSurrogate(code)) {
    highHalf_ = character;
    return false;
  }
  if (IsLowSurrogate(code)) {
    if (high == 0) {
      return false;
    }
    code = 0x10000 + ((high - 0xD800) << 10) + (code - 0xDC00);
    character = static_cast<wchar_t>(code);
  }
  // C0 controls, DEL and C1 controls are not text.  The text itself holds
  // code points only, never a surrogate half.
  if (code < 0x20 || (code >= 0x7F && code < 0xA0) || code > 0x10FFFF) {
    return false;
  }
  text_.insert(text_.begin() + static_cast<std::ptrdiff_t>(caret_), character);
  ++caret_;
  return true;
}

bool EditLine::Backspace() {
  highHalf_ = 0;
  if (caret_ == 0) {
    return false;
  }
  --caret_;
  text_.erase(caret_, 1);
  return true;
}

bool EditLine::Delete() {
  highHalf_ = 0;
  if (caret_ >= text_.size()) {
    return false;
  }
  text_.erase(caret_, 1);
  return true;
}

bool EditLine::MoveCaretTo(std::size_t caret) {
  highHalf_ = 0;
  caret = std::min(caret, text_.size());
  if (caret == caret_) {
    return false;
  }
  caret_ = caret;
  return true;
}

bool EditLine::Left() { return MoveCaretTo(caret_ > 0 ? caret_ - 1 : 0); }
bool EditLine::Right() { return MoveCaretTo(caret_ + 1); }
bool EditLine::Home() { return MoveCaretTo(0); }
bool EditLine::End() { return MoveCaretTo(text_.size()); }

bool EditLine::PlaceCaretAt(int x) {
  const int target = x + scroll_;
  std::size_t best = 0;
  int bestDistance = std::abs(target);
  for (std::size_t i = 1; i <= text_.size(); ++i) {
    const int distance = std::abs(measure_(text_.substr(0, i)) - target);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return MoveCaretTo(best);
}

void EditLine::KeepCaretVisible(int visibleWidth) {
  // The caret is one pixel wide and must fit inside the visible width.
  const int last = std::max(visibleWidth - 1, 0);
  const int caretX = CaretX();
  if (caretX - scroll_ > last) {
    scroll_ = caretX - last;
  }
  if (caretX < scroll_) {
    scroll_ = caretX;
  }
  // After a deletion near the end, bring text back in from the left.
  const int textWidth = measure_(text_);
  if (textWidth - scroll_ < last) {
    scroll_ = std::max(0, std::min(scroll_, textWidth - last));
  }
  scroll_ = std::max(scroll_, 0);
}

}  // namespace winapi::core
