#include "switch/switch_address.h"

#include <algorithm>
#include <optional>

namespace {

// The port number of a text of 1 to 5 digits with a value 1..65535.
std::optional<int> PortNumber(const std::string& text) {
  if (text.empty() || text.size() > 5 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const int value = std::stoi(text);
  if (value < 1 || value > 65535) {
    return std::nullopt;
  }
  return value;
}

// What may stand between the brackets: hexadecimal groups with colons, a dotted IPv4 tail and a
// zone after '%'. The resolver judges the rest; this only keeps other names out of the brackets.
bool LooksLikeIPv6Literal(const std::string& text) {
  if (std::count(text.begin(), text.end(), ':') < 2) {
    return false;
  }
  const size_t zone = text.find('%');
  const std::string address = text.substr(0, zone);
  return std::all_of(address.begin(), address.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
           c == '.';
  });
}

}  // namespace

TSwitchTarget SplitSwitchAddress(const std::string& address) {
  const TSwitchTarget asGiven{address, "23"};
  if (!address.empty() && address.front() == '[') {
    const size_t close = address.find("]:");
    if (close == std::string::npos) {
      return asGiven;
    }
    const std::string literal = address.substr(1, close - 1);
    const std::optional<int> port = PortNumber(address.substr(close + 2));
    if (!port || !LooksLikeIPv6Literal(literal)) {
      return asGiven;
    }
    return {literal, std::to_string(*port)};
  }
  const size_t colon = address.find(':');
  if (colon == std::string::npos || colon == 0 ||
      address.find(':', colon + 1) != std::string::npos) {
    return asGiven;
  }
  const std::optional<int> port = PortNumber(address.substr(colon + 1));
  if (!port) {
    return asGiven;
  }
  return {address.substr(0, colon), std::to_string(*port)};
}

bool NamesInvalidPort(const std::string& address) {
  if (!address.empty() && address.front() == '[') {
    const size_t close = address.find("]:");
    return close != std::string::npos && LooksLikeIPv6Literal(address.substr(1, close - 1)) &&
           !PortNumber(address.substr(close + 2));
  }
  const size_t colon = address.find(':');
  if (colon == std::string::npos || colon == 0 ||
      address.find(':', colon + 1) != std::string::npos) {
    return false;
  }
  return !PortNumber(address.substr(colon + 1));
}
