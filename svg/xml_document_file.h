#pragma once

#include <tinyxml.h>

#include <string>

// Reads a whole file into `doc` (TinyXML parses it; check doc.Error()).  A
// file that cannot be opened leaves the document as it was; that is no error
// here: the caller finds what it needs missing later.
void load_xml_document(TiXmlDocument& doc, const std::wstring& path);
