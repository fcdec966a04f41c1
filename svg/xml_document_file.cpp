#include "svg/xml_document_file.h"

#include "game/GuardedXml.h"

namespace {

// Our art files are a few ten KB; a downloaded logo gets the same generous
// room.  A longer file is not read at all.
constexpr std::size_t max_svg_file_bytes = 1024 * 1024;

// Linux file names are bytes, by convention UTF-8; wchar_t holds one code
// point.  The standard library's own conversion follows the locale, which the
// program keeps at "C", so it would refuse anything beyond ASCII.
std::string utf8_file_name(const std::wstring& wide)
{
    std::string out;
    for (wchar_t wc : wide) {
        char32_t c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

void load_xml_document(TiXmlDocument& doc, const std::wstring& path)
{
    LoadGuardedXml(utf8_file_name(path), max_svg_file_bytes, doc);
}
