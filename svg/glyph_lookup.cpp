#include "svg/glyph_lookup.h"

#include <sstream>

bool read_stream_file(int& value, const std::string& text, std::ios_base& (*manipulator)(std::ios_base&)) {
  std::istringstream in(text);
  in >> manipulator >> value;
  return !in.fail();
}

const TiXmlElement* find_svg_node(const TiXmlDocument& doc, int id) {
  const TiXmlElement* root = doc.RootElement();
  if (root != nullptr) {
    for (const TiXmlElement* child = root->FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
      const char* id_text = child->Attribute("id");
      int child_id = 0;
      if (id_text != nullptr && read_stream_file(child_id, id_text, std::dec) && child_id == id) return child;
    }
  }
  throw "No such SVG node!";
}
