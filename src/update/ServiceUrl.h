#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where the web service is reached: the parts a connection and its request need.
struct TServiceUrl {
  bool Secure;
  std::u16string Host;
  unsigned short Port;
  std::u16string Path;
};

// Splits "https://host[:port]/path" or "http://host[:port]/path". The scheme ignores ASCII
// case; the port defaults to 443 or 80; a missing path is "/"; a query stays in the path and
// a fragment is dropped, as it never goes to the server. Anything else gives no URL: other
// schemes, an empty host, user information or a bracketed address, a port that is empty,
// not decimal, 0 or above 65535, and spaces or control characters anywhere.
std::optional<TServiceUrl> SplitServiceUrl(std::u16string_view url);
