// Writes "titular_digits.dat": the value symbols of the grid (1-9, then A-P)
// as SVG outlines taken from a real outline font, so they are drawn with
// proper typography at every cell size.
//
//   digit_outlines <font.ttf> > resources/titular_digits.dat
//
// Every symbol is one <g> whose fill the grid painter replaces to recolour
// it, so the path inside carries no fill of its own.  All symbols share one
// size (the font's cap height spans `cap_height` units) and each is centred on
// (14, 14), the point the painter maps to the cell centre.  A glyph's contours
// never overlap, so the even-odd fill keeps the counters of 0, 4, 6, 8, 9, A,
// B, D, O, P open.

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BBOX_H

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

const char symbols[] = "123456789ABCDEFGHIJKLMNOP";
const double centre = 14.0;
const double cap_height = 19.0;
const char given_colour[] = "#000000";

// Font units to drawing units: uniform scale, y turned downwards, and the
// glyph's own box centred on (14, 14).
struct placement {
  double scale = 1.0;
  double offset_x = 0.0;
  double offset_y = 0.0;

  std::string point(const FT_Vector* v) const {
    const double x = v->x * scale + offset_x;
    const double y = -v->y * scale + offset_y;
    std::string text = number(x);
    text += ',';
    text += number(y);
    return text;
  }

  static std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::round(value * 100.0) / 100.0 + 0.0);
    std::string s = text;
    // Shortest form: no trailing zeros, never an exponent.
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s == "-0") s = "0";
    return s;
  }
};

struct path_writer {
  const placement* place;
  std::string d;

  void command(char letter, std::initializer_list<const FT_Vector*> points) {
    d += letter;
    const char* separator = "";
    for (const FT_Vector* p : points) {
      d += separator;
      d += place->point(p);
      separator = " ";
    }
    d += ' ';
  }
};

int move_to(const FT_Vector* to, void* user) {
  auto* w = static_cast<path_writer*>(user);
  if (!w->d.empty()) w->d += "Z ";
  w->command('M', {to});
  return 0;
}

int line_to(const FT_Vector* to, void* user) {
  static_cast<path_writer*>(user)->command('L', {to});
  return 0;
}

int conic_to(const FT_Vector* control, const FT_Vector* to, void* user) {
  static_cast<path_writer*>(user)->command('Q', {control, to});
  return 0;
}

int cubic_to(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  static_cast<path_writer*>(user)->command('C', {c1, c2, to});
  return 0;
}

int fail(const char* what, char symbol = 0) {
  std::fprintf(stderr, "digit_outlines: %s %c\n", what, symbol);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: digit_outlines <font.ttf> > titular_digits.dat\n");
    return 2;
  }
  FT_Library library;
  FT_Face face;
  if (FT_Init_FreeType(&library) != 0) return fail("cannot start FreeType");
  if (FT_New_Face(library, argv[1], 0, &face) != 0) return fail("cannot open the font");

  // The cap height is that of 'H', whose flat top and bottom make it exact.
  if (FT_Load_Char(face, 'H', FT_LOAD_NO_SCALE) != 0) return fail("no glyph for", 'H');
  FT_BBox h_box;
  FT_Outline_Get_CBox(&face->glyph->outline, &h_box);
  const double scale = cap_height / double(h_box.yMax - h_box.yMin);

  FT_Outline_Funcs funcs{};
  funcs.move_to = move_to;
  funcs.line_to = line_to;
  funcs.conic_to = conic_to;
  funcs.cubic_to = cubic_to;

  std::printf("<svg>\n");
  for (const char* s = symbols; *s; ++s) {
    if (FT_Load_Char(face, static_cast<unsigned char>(*s), FT_LOAD_NO_SCALE) != 0) return fail("no glyph for", *s);
    FT_Outline& outline = face->glyph->outline;
    FT_BBox box;
    FT_Outline_Get_BBox(&outline, &box);

    placement place;
    place.scale = scale;
    place.offset_x = centre - (box.xMin + box.xMax) / 2.0 * scale;
    place.offset_y = centre + (box.yMin + box.yMax) / 2.0 * scale;

    path_writer writer{&place, {}};
    if (FT_Outline_Decompose(&outline, &funcs, &writer) != 0) return fail("cannot read the outline of", *s);
    writer.d += "Z";
    std::printf(" <g id=\"%c\" fill=\"%s\"><path d=\"%s\"/></g>\n", *s, given_colour, writer.d.c_str());
  }
  std::printf("</svg>\n");

  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return 0;
}
