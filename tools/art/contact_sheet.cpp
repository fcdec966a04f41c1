// Draws every glyph of "glyphs.dat", every value symbol of
// "titular_digits.dat" (in the three colourings of the grid) and the
// built-in logo onto one sheet, so the art can be judged by eye.
//
//   contact_sheet <resources folder/> <out.ppm>

#include "svg/builtin_logo.h"
#include "svg/fitted_render.h"
#include "svg/glyph_lookup.h"
#include "svg/svg_exception.h"
#include "svg/svg_parser.h"
#include "svg/xml_document_file.h"

#include <agg_conv_stroke.h>
#include <agg_gsv_text.h>
#include <agg_pixfmt_rgba.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_base.h>
#include <agg_renderer_scanline.h>
#include <agg_scanline_u.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct colour {
  int r, g, b;
};

// An opaque canvas, top-down BGRA.
class canvas {
 public:
  canvas(int width, int height) : m_width(width), m_height(height), m_bytes(std::size_t(width) * height * 4, 255) {}

  void fill(int x, int y, int w, int h, colour c) {
    for (int row = std::max(0, y); row < std::min(m_height, y + h); ++row)
      for (int col = std::max(0, x); col < std::min(m_width, x + w); ++col) {
        unsigned char* p = at(col, row);
        p[0] = static_cast<unsigned char>(c.b);
        p[1] = static_cast<unsigned char>(c.g);
        p[2] = static_cast<unsigned char>(c.r);
        p[3] = 255;
      }
  }

  // Blends a premultiplied image at (x, y), as the game's image cache does.
  void blend(const std::vector<unsigned char>& image, int w, int h, int x, int y) {
    for (int row = 0; row < h; ++row)
      for (int col = 0; col < w; ++col) {
        if (x + col < 0 || x + col >= m_width || y + row < 0 || y + row >= m_height) continue;
        const unsigned char* s = &image[(std::size_t(row) * w + col) * 4];
        unsigned char* d = at(x + col, y + row);
        for (int k = 0; k < 4; ++k) d[k] = static_cast<unsigned char>(s[k] + d[k] * (255 - s[3]) / 255);
      }
  }

  void label(const std::string& text, double x, double y, double height = 9.0) {
    agg::rendering_buffer buffer(m_bytes.data(), m_width, m_height, m_width * 4);
    agg::pixfmt_bgra32 pixels(buffer);
    agg::renderer_base<agg::pixfmt_bgra32> base(pixels);
    agg::renderer_scanline_aa_solid<agg::renderer_base<agg::pixfmt_bgra32>> solid(base);
    agg::gsv_text lettering;
    lettering.size(height);
    lettering.flip(true);
    lettering.start_point(x, y);
    lettering.text(text.c_str());
    agg::conv_stroke<agg::gsv_text> outline(lettering);
    outline.width(1.0);
    agg::rasterizer_scanline_aa<> ras;
    agg::scanline_u8 sl;
    ras.add_path(outline);
    solid.color(agg::rgba8(60, 60, 60, 255));
    agg::render_scanlines(ras, sl, solid);
  }

  bool write_ppm(const char* path) const {
    FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", m_width, m_height);
    for (std::size_t i = 0; i < m_bytes.size(); i += 4) {
      const unsigned char rgb[3] = {m_bytes[i + 2], m_bytes[i + 1], m_bytes[i]};
      std::fwrite(rgb, 1, 3, f);
    }
    return std::fclose(f) == 0;
  }

 private:
  unsigned char* at(int x, int y) { return &m_bytes[(std::size_t(y) * m_width + x) * 4]; }

  int m_width, m_height;
  std::vector<unsigned char> m_bytes;
};

std::vector<unsigned char> fitted(const TiXmlNode& node, int w, int h) {
  std::vector<unsigned char> image(std::size_t(w) * h * 4);
  agg::svg::render_svg_fitted(node, {image.data(), w, h, w * 4});
  return image;
}

// A glyph on its face, at a given size, with its id under it.
void glyph_cell(canvas& sheet, const TiXmlDocument& glyphs, int id, int x, int y, int w, int h, colour face) {
  sheet.fill(x, y, w + 2, h + 2, {57, 74, 99});
  sheet.fill(x + 1, y + 1, w, h, face);
  sheet.blend(fitted(*find_svg_node(glyphs, id), w - 2, h - 2), w - 2, h - 2, x + 2, y + 2);
}

// A value symbol drawn as the grid painter draws it: (14, 14) to the cell
// centre, 30 units to the cell side, the group's fill replaced.
void digit_cell(canvas& sheet, const TiXmlElement& glyph, const char* fill, int x, int y, int side) {
  sheet.fill(x, y, side, side, {235, 235, 255});
  TiXmlElement copy(glyph);
  if (fill != nullptr) copy.SetAttribute("fill", fill);
  agg::svg::path_renderer drawing;
  agg::svg::parser reader(drawing);
  reader.parse(copy);
  agg::trans_affine m = agg::trans_affine_translation(-14, -14);
  m *= agg::trans_affine_scaling(side / 30.0);
  m *= agg::trans_affine_translation(side / 2.0, side / 2.0);
  std::vector<unsigned char> image(std::size_t(side) * side * 4);
  agg::svg::render_over(drawing, {image.data(), side, side, side * 4}, m);
  sheet.blend(image, side, side, x, y);
}

int draw(const std::string& resources, const char* out) {
  TiXmlDocument glyphs, digits;
  load_xml_document(glyphs, std::wstring(resources.begin(), resources.end()) + L"glyphs.dat");
  load_xml_document(digits, std::wstring(resources.begin(), resources.end()) + L"titular_digits.dat");
  if (glyphs.Error() || digits.Error() || !glyphs.RootElement() || !digits.RootElement()) {
    std::fprintf(stderr, "contact_sheet: cannot read the art files in %s\n", resources.c_str());
    return 1;
  }

  canvas sheet(1000, 1110);
  const colour plain_face{236, 236, 244}, tab_selected{255, 255, 255}, tab_unselected{181, 206, 239};

  // Tabs: selected on the white face, unselected on the blue one, at the
  // size of a tab and smaller.
  sheet.label("tabs 100-105 (selected, unselected)", 10, 16, 10);
  for (int i = 0; i < 6; ++i) {
    const int id = 100 + i;
    const colour face = i % 2 == 0 ? tab_selected : tab_unselected;
    glyph_cell(sheet, glyphs, id, 10 + i * 160, 30, 150, 44, face);
    glyph_cell(sheet, glyphs, id, 10 + i * 160, 84, 76, 22, face);
    sheet.label(std::to_string(id), 100 + i * 160, 100);
  }

  // Buttons by state, in rows of normal, pressed, disabled.
  sheet.label("game buttons 106-117 (normal, pressed, disabled), clock 118-119", 10, 136, 10);
  const int big = 72, small = 26;
  for (int i = 0; i < 14; ++i) {
    const int id = 106 + i;
    const int x = 10 + (i % 7) * 140, y = 150 + (i / 7) * 120;
    glyph_cell(sheet, glyphs, id, x, y, big, big, plain_face);
    glyph_cell(sheet, glyphs, id, x + big + 8, y, small, small, plain_face);
    sheet.label(std::to_string(id), x + big + 8, y + 50);
  }
  sheet.label("keypad keys 121-128", 10, 406, 10);
  for (int i = 0; i < 8; ++i) {
    const int id = 121 + i;
    const int x = 10 + i * 120, y = 420;
    glyph_cell(sheet, glyphs, id, x, y, 60, 60, plain_face);
    glyph_cell(sheet, glyphs, id, x + 68, y, 24, 24, plain_face);
    sheet.label(std::to_string(id), x + 68, y + 46);
  }

  // Value symbols: given, player and wrong colourings at two cell sizes.
  sheet.label("value symbols 1-9, A-P: given, player, wrong", 10, 516, 10);
  int index = 0;
  for (const TiXmlElement* glyph = digits.RootElement()->FirstChildElement(); glyph;
       glyph = glyph->NextSiblingElement(), ++index) {
    const int x = 10 + (index % 13) * 75, y = 530 + (index / 13) * 90;
    digit_cell(sheet, *glyph, nullptr, x, y, 36);
    digit_cell(sheet, *glyph, "#488ecf", x + 37, y, 36);
    digit_cell(sheet, *glyph, "#c71414", x, y + 37, 36);
    digit_cell(sheet, *glyph, nullptr, x + 37, y + 37, 18);
    digit_cell(sheet, *glyph, "#488ecf", x + 55, y + 37, 18);
    digit_cell(sheet, *glyph, nullptr, x + 37, y + 55, 12);
  }

  // The built-in logo as the splash fits it, large and small.
  sheet.label("built-in logo", 10, 726, 10);
  TiXmlDocument logo;
  logo.Parse(agg::svg::builtin_logo_svg());
  if (logo.Error()) {
    std::fprintf(stderr, "contact_sheet: the built-in logo is not XML: %s\n", logo.ErrorDesc());
    return 1;
  }
  sheet.fill(10, 740, 360, 360, {255, 255, 255});
  sheet.blend(fitted(logo, 360, 360), 360, 360, 10, 740);
  sheet.fill(390, 740, 120, 160, {255, 255, 255});
  sheet.blend(fitted(logo, 120, 160), 120, 160, 390, 740);

  if (!sheet.write_ppm(out)) {
    std::fprintf(stderr, "contact_sheet: cannot write %s\n", out);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: contact_sheet <resources folder/> <out.ppm>\n");
    return 2;
  }
  try {
    return draw(argv[1], argv[2]);
  } catch (const agg::svg::exception& e) {
    std::fprintf(stderr, "contact_sheet: SVG error: %s\n", e.msg());
  } catch (const char* text) {
    std::fprintf(stderr, "contact_sheet: %s\n", text);
  }
  return 1;
}
