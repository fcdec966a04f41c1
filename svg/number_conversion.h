#pragma once

namespace agg::svg {

// Every number in SVG text (attributes, path data, point lists, transform
// arguments) goes through this one hook.  The program entry may install its
// own conversion; it starts as the C library's atof so that tools and tests
// can read SVG before any entry code has run.  The conversion relies on the
// "C" numeric locale, so nothing in the program may call setlocale.
using string_to_double_function = double (*)(const char*);
extern string_to_double_function string_to_double;

}  // namespace agg::svg
