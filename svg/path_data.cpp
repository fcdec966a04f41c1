// Path data ("d") reading, a member of path_renderer kept in its own unit.
#include "svg/path_renderer.h"
#include "svg/path_tokenizer.h"
#include "svg/svg_exception.h"

namespace agg::svg {

void path_renderer::parse_path(path_tokenizer& tok) {
  while (tok.next()) {
    const char cmd = tok.last_command();
    const bool rel = cmd >= 'a' && cmd <= 'z';
    // The first argument came with the letter (or on its own when a
    // command repeats); the rest must follow without a new letter.
    double a[6];
    a[0] = tok.last_number();
    switch (cmd) {
      case 'M':
      case 'm':
        a[1] = tok.next_arg(cmd);
        move_to(a[0], a[1], rel);
        break;
      case 'L':
      case 'l':
        a[1] = tok.next_arg(cmd);
        line_to(a[0], a[1], rel);
        break;
      case 'H':
      case 'h': hline_to(a[0], rel); break;
      case 'V':
      case 'v': vline_to(a[0], rel); break;
      case 'Q':
      case 'q':
        for (int i = 1; i < 4; ++i) a[i] = tok.next_arg(cmd);
        curve3(a[0], a[1], a[2], a[3], rel);
        break;
      case 'T':
      case 't':
        a[1] = tok.next_arg(cmd);
        curve3_smooth(a[0], a[1], rel);
        break;
      case 'C':
      case 'c':
        for (int i = 1; i < 6; ++i) a[i] = tok.next_arg(cmd);
        curve4(a[0], a[1], a[2], a[3], a[4], a[5], rel);
        break;
      case 'S':
      case 's':
        for (int i = 1; i < 4; ++i) a[i] = tok.next_arg(cmd);
        curve4_smooth(a[0], a[1], a[2], a[3], rel);
        break;
      case 'Z':
      case 'z': close_subpath(); break;
      case 'A':
      case 'a': throw exception("parse_path: Command A: NOT IMPLEMENTED YET");
      default: throw exception("parse_path: Invalid Command %c", cmd);
    }
  }
}

}  // namespace agg::svg
