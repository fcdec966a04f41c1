#include "svg/xml_document_file.h"

#include <filesystem>
#include <fstream>

void load_xml_document(TiXmlDocument& doc, const std::wstring& path)
{
    // std::filesystem turns the wide name into the UTF-8 bytes Linux expects.
    std::ifstream in(std::filesystem::path(path), std::ios::in | std::ios::binary);
    if (!in.is_open())
        return;
    in >> doc;
}
