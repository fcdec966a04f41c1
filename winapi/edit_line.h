// The text model of the single-line EDIT control: the text, the caret (an
// index between two characters, 0 before the first) and the horizontal
// scroll that keeps the caret in view.  Widths come from a measuring
// function, so the model knows nothing of fonts or pixels.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace winapi::core {

class EditLine {
 public:
  // Pixel width of a piece of text.
  using Measure = std::function<int(const std::wstring&)>;

  explicit EditLine(Measure measure) : measure_(std::move(measure)) {}

  const std::wstring& Text() const { return text_; }
  std::size_t Caret() const { return caret_; }
  // Pixels of text hidden left of the visible area.
  int Scroll() const { return scroll_; }
  // Offset of the caret from the start of the text, in pixels.
  int CaretX() const { return measure_(text_.substr(0, caret_)); }

  // New text with the caret after its last character, where a player who
  // goes on typing expects it.
  void SetText(std::wstring text);

  // Each returns whether the text or the caret changed.
  // A printable character; control codes are refused.  A character beyond
  // the BMP may also come as its two UTF-16 halves, high then low, as
  // WM_CHAR carries it: the halves make one character, and a half without
  // its partner (or followed by any other call) is dropped.
  bool Type(wchar_t character);
  bool Backspace();
  bool Delete();
  bool Left();
  bool Right();
  bool Home();
  bool End();
  // The caret to the character boundary nearest to x, a pixel offset from
  // the left edge of the visible text.
  bool PlaceCaretAt(int x);

  // The visible width changed (or the text did): scroll so that the caret
  // stays inside it and no space is wasted right of the text.
  void KeepCaretVisible(int visibleWidth);

 private:
  bool MoveCaretTo(std::size_t caret);

  Measure measure_;
  wchar_t highHalf_ = 0;  // a high surrogate waiting for its low half
  std::wstring text_;
  std::size_t caret_ = 0;
  int scroll_ = 0;
};

}  // namespace winapi::core
