#include "app/web/WebEnvironment.h"

#include <cstdlib>

#include "app/web/VersionNotice.h"

namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace

bool IsUsableHost(std::string_view host) {
  if (host.empty()) return false;
  for (const char c : host) {
    if (c <= ' ' || c > '~') return false;
  }
  return true;
}

std::optional<std::string> WebHostFromEnvironment() {
  std::optional<std::string> host = Variable("TAVLIN_WEB_HOST");
  if (host && !IsUsableHost(*host)) return std::nullopt;
  return host;
}

std::optional<std::string> WebLinkFromEnvironment() {
  std::optional<std::string> link = Variable("TAVLIN_WEB_LINK");
  if (link && !IsOpenableWebAddress(*link)) return std::nullopt;
  return link;
}
