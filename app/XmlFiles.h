#pragma once
// Reading and writing the program's XML files with TinyXML.

#include <tinyxml.h>

#include "base/GuardedXml.h"

#include <cstddef>
#include <string>

// Texts keep their white space: TinyXML's condensing is switched off, once,
// for the whole run.  Called before the first parse.
void KeepXmlWhiteSpace();

// Parses the file into the document; true when it opened and parsed cleanly
// and has a root element.  A file longer than maxBytes, beyond the limits
// (nested deeper than any of ours, or holding more attributes or nodes), or
// not a regular file, is refused unparsed (see base/GuardedXml.h).
bool LoadXmlFile(const std::wstring& path, TiXmlDocument& document, std::size_t maxBytes, const XmlLimits& limits = {});
// Writes the document in TinyXML's stream form (no declaration, indentation
// or line breaks), replacing the file atomically.
bool SaveXmlFile(const std::wstring& path, const TiXmlDocument& document);
// The document in that stream form.
std::string StreamPrinted(const TiXmlNode& node);
