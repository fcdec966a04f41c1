#include "svg/svg_parser.h"

#include "svg/svg_exception.h"

#include <cctype>
#include <cstring>

namespace agg::svg {

parser::parser(path_renderer& path)
    : m_visitor(&parser::start_element, &parser::end_element, &parser::content), m_path(path) {
  m_visitor.user_data(this);
}

void parser::parse(const TiXmlNode& node) { node.Accept(&m_visitor); }

void parser::start_element(void* data, const char* el, const char** attr) {
  parser& self = *static_cast<parser*>(data);
  if (std::strcmp(el, "title") == 0) {
    // The title is not drawn.
  } else if (std::strcmp(el, "g") == 0) {
    // The group works on a copy of its parent's attributes.
    self.m_path.push_attr();
    self.parse_attr_list(attr);
  } else if (std::strcmp(el, "path") == 0) {
    if (self.m_path_flag) throw exception("start_element: Nested path");
    self.m_path.begin_path();
    self.parse_path(attr);
    self.m_path.end_path();
    self.m_path_flag = true;
  } else if (std::strcmp(el, "rect") == 0) {
    self.parse_rect(attr);
  } else if (std::strcmp(el, "line") == 0) {
    self.parse_line(attr);
  } else if (std::strcmp(el, "polyline") == 0) {
    self.parse_poly(attr, false);
  } else if (std::strcmp(el, "polygon") == 0) {
    self.parse_poly(attr, true);
  }
  // Anything else (the svg root, shapes we do not draw) is passed over;
  // its children are still visited.
}

void parser::end_element(void* data, const char* el) {
  parser& self = *static_cast<parser*>(data);
  if (std::strcmp(el, "g") == 0)
    self.m_path.pop_attr();
  else if (std::strcmp(el, "path") == 0)
    self.m_path_flag = false;
}

void parser::content(void*, const char*, int) {
  // Text content never affects the drawing.
}

void parser::parse_attr_list(const char** attr) {
  for (int i = 0; attr[i]; i += 2) {
    if (std::strcmp(attr[i], "style") == 0)
      parse_style(attr[i + 1]);
    else
      parse_attr(attr[i], attr[i + 1]);
  }
}

bool parser::parse_attr(const char* name, const char* value) {
  if (std::strcmp(name, "style") == 0) {
    parse_style(value);
  } else if (std::strcmp(name, "fill") == 0) {
    if (std::strcmp(value, "none") == 0)
      m_path.fill_none();
    else
      m_path.fill(parse_color(value));
  } else if (std::strcmp(name, "fill-opacity") == 0) {
    m_path.fill_opacity(parse_double(value));
  } else if (std::strcmp(name, "stroke") == 0) {
    if (std::strcmp(value, "none") == 0)
      m_path.stroke_none();
    else
      m_path.stroke(parse_color(value));
  } else if (std::strcmp(name, "stroke-width") == 0) {
    m_path.stroke_width(parse_double(value));
  } else if (std::strcmp(name, "stroke-linecap") == 0) {
    if (std::strcmp(value, "butt") == 0)
      m_path.line_cap(butt_cap);
    else if (std::strcmp(value, "square") == 0)
      m_path.line_cap(square_cap);
    else if (std::strcmp(value, "round") == 0)
      m_path.line_cap(round_cap);
  } else if (std::strcmp(name, "stroke-linejoin") == 0) {
    if (std::strcmp(value, "miter") == 0)
      m_path.line_join(miter_join);
    else if (std::strcmp(value, "round") == 0)
      m_path.line_join(round_join);
    else if (std::strcmp(value, "bevel") == 0)
      m_path.line_join(bevel_join);
  } else if (std::strcmp(name, "stroke-miterlimit") == 0) {
    m_path.miter_limit(parse_double(value));
  } else if (std::strcmp(name, "stroke-opacity") == 0) {
    m_path.stroke_opacity(parse_double(value));
  } else if (std::strcmp(name, "transform") == 0) {
    parse_transform(value);
  } else {
    return false;
  }
  return true;
}

void parser::parse_style(const char* str) {
  auto is_space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (*str) {
    while (*str && is_space(*str)) ++str;
    const char* item_end = str;
    while (*item_end && *item_end != ';') ++item_end;
    const char* trimmed_end = item_end;
    while (trimmed_end > str && is_space(trimmed_end[-1])) --trimmed_end;

    if (trimmed_end > str) {
      const char* colon = static_cast<const char*>(std::memchr(str, ':', trimmed_end - str));
      if (colon == nullptr) {
        m_attr_name.assign(str, trimmed_end);
        m_attr_value.clear();
      } else {
        const char* name_end = colon;
        while (name_end > str && is_space(name_end[-1])) --name_end;
        const char* value = colon + 1;
        while (value < trimmed_end && (*value == ':' || is_space(*value))) ++value;
        m_attr_name.assign(str, name_end);
        m_attr_value.assign(value, trimmed_end);
      }
      parse_attr(m_attr_name.c_str(), m_attr_value.c_str());
    }
    str = *item_end ? item_end + 1 : item_end;
  }
}

void parser::parse_path(const char** attr) {
  for (int i = 0; attr[i]; i += 2) {
    if (std::strcmp(attr[i], "d") == 0) {
      m_tokenizer.set_path_str(attr[i + 1]);
      m_path.parse_path(m_tokenizer);
    } else {
      const char* pair[4] = {attr[i], attr[i + 1], nullptr, nullptr};
      parse_attr_list(pair);
    }
  }
}

void parser::parse_rect(const char** attr) {
  m_path.begin_path();
  double x = 0.0, y = 0.0, w = 0.0, h = 0.0;
  for (int i = 0; attr[i]; i += 2) {
    if (parse_attr(attr[i], attr[i + 1])) continue;
    if (std::strcmp(attr[i], "x") == 0)
      x = parse_double(attr[i + 1]);
    else if (std::strcmp(attr[i], "y") == 0)
      y = parse_double(attr[i + 1]);
    else if (std::strcmp(attr[i], "width") == 0)
      w = parse_double(attr[i + 1]);
    else if (std::strcmp(attr[i], "height") == 0)
      h = parse_double(attr[i + 1]);
  }
  if (w != 0.0 && h != 0.0) {
    if (w < 0.0) throw exception("parse_rect: Invalid width: %f", w);
    if (h < 0.0) throw exception("parse_rect: Invalid height: %f", h);
    m_path.move_to(x, y);
    m_path.line_to(x + w, y);
    m_path.line_to(x + w, y + h);
    m_path.line_to(x, y + h);
    m_path.close_subpath();
  }
  m_path.end_path();
}

void parser::parse_line(const char** attr) {
  m_path.begin_path();
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
  for (int i = 0; attr[i]; i += 2) {
    if (parse_attr(attr[i], attr[i + 1])) continue;
    if (std::strcmp(attr[i], "x1") == 0)
      x1 = parse_double(attr[i + 1]);
    else if (std::strcmp(attr[i], "y1") == 0)
      y1 = parse_double(attr[i + 1]);
    else if (std::strcmp(attr[i], "x2") == 0)
      x2 = parse_double(attr[i + 1]);
    else if (std::strcmp(attr[i], "y2") == 0)
      y2 = parse_double(attr[i + 1]);
  }
  m_path.move_to(x1, y1);
  m_path.line_to(x2, y2);
  m_path.end_path();
}

void parser::parse_poly(const char** attr, bool close_flag) {
  m_path.begin_path();
  for (int i = 0; attr[i]; i += 2) {
    if (parse_attr(attr[i], attr[i + 1]) || std::strcmp(attr[i], "points") != 0) continue;
    m_tokenizer.set_path_str(attr[i + 1]);
    if (!m_tokenizer.next()) throw exception("parse_poly: Too few coordinates");
    double x = m_tokenizer.last_number();
    if (!m_tokenizer.next()) throw exception("parse_poly: Too few coordinates");
    double y = m_tokenizer.last_number();
    m_path.move_to(x, y);
    while (m_tokenizer.next()) {
      x = m_tokenizer.last_number();
      if (!m_tokenizer.next()) throw exception("parse_poly: Odd number of coordinates");
      y = m_tokenizer.last_number();
      m_path.line_to(x, y);
    }
  }
  if (close_flag) m_path.close_subpath();
  m_path.end_path();
}

}  // namespace agg::svg
