#pragma once

#include "svg/path_renderer.h"
#include "svg/path_tokenizer.h"

#include <agg_color_rgba.h>
#include <tinyxml.h>

#include <functional>
#include <string>

namespace agg::svg {

// Reads the SVG elements we draw (title, g, path, rect, line, polyline,
// polygon) from a TinyXML node into a path_renderer.  One parser serves one
// parse; after an exception it and its renderer are only fit for destruction.
class parser {
 public:
  // Walks an element tree and reports each element to three callbacks, in
  // the order an event-driven XML reader would.
  class TiSVGVisitor : public TiXmlVisitor {
   public:
    using start_callback = std::function<void(void*, const char*, const char**)>;
    using end_callback = std::function<void(void*, const char*)>;
    using content_callback = std::function<void(void*, const char*, int)>;

    TiSVGVisitor(start_callback start, end_callback end, content_callback content);

    void user_data(void* data) { m_user_data = data; }

    bool VisitEnter(const TiXmlElement& element, const TiXmlAttribute* first_attribute) override;
    bool VisitExit(const TiXmlElement& element) override;

   private:
    start_callback m_start;
    end_callback m_end;
    content_callback m_content;
    void* m_user_data = nullptr;
  };

  explicit parser(path_renderer& path);
  parser(const parser&) = delete;
  parser& operator=(const parser&) = delete;

  // The node may be a whole document or one element of it.
  void parse(const TiXmlNode& node);

  // One presentation attribute; false when the name is not one of them.
  bool parse_attr(const char* name, const char* value);
  // Pairs name, value, ... ended by a null name.
  void parse_attr_list(const char** attr);

  static rgba8 parse_color(const char* str);
  static double parse_double(const char* str);
  // Reads the bracketed arguments of the transform keyword at `str`;
  // returns the characters from the keyword up to the closing bracket.
  static unsigned parse_transform_args(const char* str, double* args, unsigned max_na, unsigned& na);

  static void start_element(void* data, const char* el, const char** attr);
  static void end_element(void* data, const char* el);
  static void content(void* data, const char* s, int len);

 private:
  void parse_path(const char** attr);
  void parse_rect(const char** attr);
  void parse_line(const char** attr);
  void parse_poly(const char** attr, bool close_flag);
  void parse_style(const char* str);
  void parse_transform(const char* str);
  unsigned parse_matrix(const char* str);
  unsigned parse_translate(const char* str);
  unsigned parse_rotate(const char* str);
  unsigned parse_scale(const char* str);
  unsigned parse_skew_x(const char* str);
  unsigned parse_skew_y(const char* str);

  TiSVGVisitor m_visitor;
  path_renderer& m_path;
  path_tokenizer m_tokenizer;
  bool m_path_flag = false;
  std::string m_attr_name;
  std::string m_attr_value;
};

}  // namespace agg::svg
