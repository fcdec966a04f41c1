#pragma once

#include <tinyxml.h>

#include <ios>
#include <string>

// Reads one value from `text` after applying `manipulator`; false when the
// stream failed (no number at the start).  Trailing text is ignored.
bool read_stream_file(int& value, const std::string& text, std::ios_base& (*manipulator)(std::ios_base&));

// The first child element of the document's root whose "id" reads as the
// decimal `id` ("007" matches 7, "12abc" matches 12).  Throws the character
// string "No such SVG node!" when there is none, or no root.
const TiXmlElement* find_svg_node(const TiXmlDocument& doc, int id);
