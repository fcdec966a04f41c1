#pragma once

#include <tinyxml.h>

#include <string>

// Replaces the content of `doc` by the parsed file (check doc.Error()).  A
// file nested deeper than any drawing of ours is refused unparsed: the
// document is left empty with an error set.  A file that cannot be opened, or
// is longer than any drawing of ours (1 MB), leaves the document as it was;
// that is no error here: the caller finds what it needs missing later.
void load_xml_document(TiXmlDocument& doc, const std::wstring& path);
