// Word wrapping for the text box (text_box.h), as a pure unit: split cuts a
// text into atoms (words and single separators), wrap breaks the atoms into
// lines narrower than max_width, measuring each atom through the function it
// is given (the screen device's text extent in the text box, a fake in
// tests).  A carriage return ends a line; a line feed is ignored, so CR LF
// breaks once.  A word wider than max_width stands on a line of its own and
// is not cut.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ttl/function.h"
#include "winapi/windows.h"

namespace text_algorithms {

class text_wrapper {
 public:
  enum atom_kind : std::uint32_t {
    kind_word = 0,
    kind_space = 1,
    // Placed and measured as four spaces.
    kind_tab = 2,
    kind_carriage_return = 3,
    kind_line_feed = 4,
  };

  struct atom {
    std::uint32_t kind = kind_word;
    // A word's characters, " ", four spaces, or empty for the line breaks.
    std::wstring text;
  };

  // Fills the size's cx with the text's width; cy is not read.
  using measure_function = ttl::func::function2<void, const std::wstring&, SIZE&>;

  // Result of the last wrap; emptied by split.
  std::vector<std::wstring> lines;
  // A line's measured width stays below this.
  std::uint32_t max_width = 0;
  // Result of the last split.  Atoms are never changed once made, so all
  // the separators of one kind share one atom.
  std::vector<std::shared_ptr<atom>> atoms;

  // Empties atoms and lines, then appends the atoms of text.
  void split(const std::wstring& text);
  // Rebuilds lines from atoms.  Each distinct atom text is measured once; an
  // empty measure throws ttl::func::exception when the first atom has to be
  // measured.
  void wrap(const measure_function& measure);
};

}  // namespace text_algorithms
