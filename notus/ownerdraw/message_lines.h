// The lines of a message that must be read whole in a box of a given width
// (a dialog's message): broken between words, a word wider than the box
// broken where it fits, best just after a separator of a path or name
// ('/', '\\', '-', '_', '.'), so no character is lost to the box's edge.
// A carriage return or line feed ends a line (CR LF once); runs of spaces
// between words count as one, and no line starts or ends with a space; a
// tab counts as a space.  The wrapping is the layer's own message box's
// (winapi/message_box.h), with the separators as places to cut.
//
// Unlike the text box's wrapper (text_wrapper.h), whose long word stands
// whole on its own line to be scrolled past, a message has no scroll bar.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace text_algorithms {

// The width of a text in pixels.
using text_width_function = std::function<int(const std::wstring&)>;

// No line wider than max_width unless a single character is; an empty text
// gives no line.
std::vector<std::wstring> message_lines(const std::wstring& text, int max_width, const text_width_function& width);

}  // namespace text_algorithms
