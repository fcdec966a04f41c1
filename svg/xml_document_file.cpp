#include "svg/xml_document_file.h"

#include "base/GuardedXml.h"
#include "base/PathBytes.h"

namespace {

// Our art files are a few ten KB; a downloaded logo gets the same generous
// room.  A longer file is not read at all.
constexpr std::size_t max_svg_file_bytes = 1024 * 1024;

}  // namespace

void load_xml_document(TiXmlDocument& doc, const std::wstring& path) {
  // The path codec gives back the very bytes a folder name was read from,
  // UTF-8 or not.
  LoadGuardedXml(PathToBytes(path), max_svg_file_bytes, doc);
}
