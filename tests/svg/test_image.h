#pragma once

#include "svg/fitted_render.h"
#include "svg/path_renderer.h"
#include "svg/svg_parser.h"

#include <tinyxml.h>

#include <cstdint>
#include <string>
#include <vector>

namespace svg_test {

struct pixel {
  int b, g, r, a;
};

// A small top-down BGRA image for pixel checks.
class test_image {
 public:
  test_image(int width, int height, std::uint8_t fill = 0)
      : m_width(width), m_height(height), m_bytes(std::size_t(width) * height * 4, fill) {}

  agg::svg::bgra_view view() { return {m_bytes.data(), m_width, m_height, m_width * 4}; }

  pixel at(int x, int y) const {
    const std::uint8_t* p = &m_bytes[(std::size_t(y) * m_width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }

  int inked_pixels() const {
    int count = 0;
    for (std::size_t i = 3; i < m_bytes.size(); i += 4) count += m_bytes[i] != 0;
    return count;
  }

  bool all_transparent() const { return inked_pixels() == 0; }

  int width() const { return m_width; }
  int height() const { return m_height; }

 private:
  int m_width, m_height;
  std::vector<std::uint8_t> m_bytes;
};

// Parses SVG text into a renderer; fails the test on XML errors.
inline void parse_text(agg::svg::path_renderer& renderer, const std::string& text) {
  TiXmlDocument doc;
  doc.Parse(text.c_str());
  if (doc.Error()) throw std::runtime_error("bad XML in test: " + text);
  agg::svg::parser reader(renderer);
  reader.parse(doc);
}

}  // namespace svg_test
