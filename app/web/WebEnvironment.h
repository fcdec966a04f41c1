// Where the web exchange goes.  Nothing is built in: without TAVLIN_WEB_HOST
// the program makes no request at all, and without TAVLIN_WEB_LINK it has no
// page to offer during the link period.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// TAVLIN_WEB_HOST ("name" or "name:port") when it is set to a usable host.
std::optional<std::string> WebHostFromEnvironment();

// TAVLIN_WEB_LINK when it is set to an openable web address.
std::optional<std::string> WebLinkFromEnvironment();

// True for a non-empty text of printable ASCII without blanks: the value
// goes into the request's Host line as it stands, where a line break would
// add lines of its own.
bool IsUsableHost(std::string_view host);
