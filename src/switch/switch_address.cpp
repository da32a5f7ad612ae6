#include "switch/switch_address.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

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

struct TPrefixed {
  TTransportKind transport = TTransportKind::Telnet;
  std::string rest;
};

bool StartsWithNoCase(const std::string& text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

TPrefixed WithoutPrefix(const std::string& address) {
  constexpr std::string_view kSsh = "ssh://";
  constexpr std::string_view kTelnet = "telnet://";
  if (StartsWithNoCase(address, kSsh)) {
    return {TTransportKind::Ssh, address.substr(kSsh.size())};
  }
  if (StartsWithNoCase(address, kTelnet)) {
    return {TTransportKind::Telnet, address.substr(kTelnet.size())};
  }
  return {TTransportKind::Telnet, address};
}

TSwitchAddress SplitHostAndPort(const std::string& address, const std::string& defaultPort) {
  const TSwitchTarget asGiven{address, defaultPort};
  const TSwitchAddress invalidPort{asGiven, TAddressFault::InvalidPort};
  if (!address.empty() && address.front() == '[') {
    const size_t close = address.find("]:");
    if (close == std::string::npos) {
      return {asGiven};
    }
    const std::string literal = address.substr(1, close - 1);
    if (!LooksLikeIPv6Literal(literal)) {
      return {asGiven};
    }
    const std::optional<int> port = PortNumber(address.substr(close + 2));
    if (!port) {
      return invalidPort;
    }
    return {{literal, std::to_string(*port), TTransportKind::Telnet, true}};
  }
  const size_t colon = address.find(':');
  if (colon == std::string::npos || colon == 0 ||
      address.find(':', colon + 1) != std::string::npos) {
    return {asGiven, address.empty() ? TAddressFault::NoHost : TAddressFault::None};
  }
  const std::optional<int> port = PortNumber(address.substr(colon + 1));
  if (!port) {
    return invalidPort;
  }
  return {{address.substr(0, colon), std::to_string(*port), TTransportKind::Telnet, true}};
}

}  // namespace

TSwitchAddress SplitSwitchAddress(const std::string& text) {
  const TPrefixed prefixed = WithoutPrefix(text);
  const bool ssh = prefixed.transport == TTransportKind::Ssh;
  TSwitchAddress split = SplitHostAndPort(prefixed.rest, ssh ? "22" : "23");
  split.Target.Transport = prefixed.transport;
  return split;
}
