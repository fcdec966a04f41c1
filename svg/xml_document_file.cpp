#include "svg/xml_document_file.h"

#include "base/GuardedXml.h"
#include "base/utf.h"

namespace {

// Our art files are a few ten KB; a downloaded logo gets the same generous
// room.  A longer file is not read at all.
constexpr std::size_t max_svg_file_bytes = 1024 * 1024;

}  // namespace

void load_xml_document(TiXmlDocument& doc, const std::wstring& path) {
  // File names are bytes, by convention UTF-8.  A name that no file can have
  // simply finds no file.
  LoadGuardedXml(wide_to_utf8(path, utf_errors::lenient), max_svg_file_bytes, doc);
}
