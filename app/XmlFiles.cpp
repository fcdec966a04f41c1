#include "app/XmlFiles.h"

#include "app/Paths.h"
#include "base/GuardedXml.h"
#include "base/SmallFile.h"

#include <mutex>
#include <sstream>

void KeepXmlWhiteSpace() {
  static std::once_flag once;
  std::call_once(once, [] { TiXmlBase::SetCondenseWhiteSpace(false); });
}

bool LoadXmlFile(const std::wstring& path, TiXmlDocument& document, std::size_t maxBytes, const XmlLimits& limits) {
  KeepXmlWhiteSpace();
  return LoadGuardedXml(NativePath(path), maxBytes, document, limits) && document.RootElement() != nullptr;
}

std::string StreamPrinted(const TiXmlNode& node) {
  std::ostringstream out;
  out << node;
  return out.str();
}

bool SaveXmlFile(const std::wstring& path, const TiXmlDocument& document) {
  return ReplaceFileAtomically(path, StreamPrinted(document));
}
