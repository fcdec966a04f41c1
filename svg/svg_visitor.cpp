#include "svg/svg_parser.h"

#include <cstring>
#include <vector>

namespace agg::svg {

parser::TiSVGVisitor::TiSVGVisitor(start_callback start, end_callback end, content_callback content)
    : m_start(std::move(start)), m_end(std::move(end)), m_content(std::move(content)) {}

bool parser::TiSVGVisitor::VisitEnter(const TiXmlElement& element, const TiXmlAttribute* first_attribute) {
  std::vector<const char*> attributes;
  for (const TiXmlAttribute* a = first_attribute; a != nullptr; a = a->Next()) {
    attributes.push_back(a->Name());
    attributes.push_back(a->Value() ? a->Value() : "");
  }
  attributes.push_back(nullptr);
  m_start(m_user_data, element.Value(), attributes.data());

  const char* text = element.GetText();
  m_content(m_user_data, text, text ? static_cast<int>(std::strlen(text)) : 0);
  return true;
}

bool parser::TiSVGVisitor::VisitExit(const TiXmlElement& element) {
  m_end(m_user_data, element.Value());
  return true;
}

}  // namespace agg::svg
